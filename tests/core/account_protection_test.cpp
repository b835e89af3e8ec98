#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <sodium.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "engine/account_identity.h"
#include "engine/account_protection.h"
#include "engine/version_history.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/change_intent.h"
#include "store/file_backups.h"
#include "support/builders.h"
#include "support/crash_child.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

std::string gbk(const std::string& utf8) {
    return utf8ToGbk(utf8).value();
}

std::string asText(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::string digest(const char* name, const std::string& text) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(text.data(), text.size(), out, &length, EVP_get_digestbyname(name), nullptr);
    return {reinterpret_cast<const char*>(out), length};
}

std::string hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (const unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

// 张三 (password "密码A", two records) and 李四 (password "pw"), as written by this
// program before any protection.
class AccountProtection : public ::testing::Test {
protected:
    AccountProtection() {
        Workspace setup(messages);
        setup.open(dir.path());
        setup.accounts = {test::account("张三", "密码A"), test::account("李四", "pw")};
        EXPECT_TRUE(setup.saveAccounts());
        EXPECT_TRUE(writeLedgerHeader(setup.ledgerStore(), setup.accounts[0], password));
        EXPECT_TRUE(saveLedger(setup.ledgerStore(), setup.accounts[0], records));
        plainLedger = test::readBytes(ledger);
        plainRegistry = test::readBytes(registry);
    }

    // A workspace opened as the next program opens it.
    std::unique_ptr<Workspace> opened() {
        auto workspace = std::make_unique<Workspace>(messages);
        workspace->open(dir.path());
        return workspace;
    }

    bool protect() {
        auto w = opened();
        return protectAccount(*w, gbk("张三"), password);
    }

    // Opens the folder as the next program does and tells whether 张三 is protected, after
    // checking that his ledger opens with his password and holds every record, and that
    // nothing of a change is left behind.
    bool protectedAfterNextOpen() {
        auto next = opened();
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        EXPECT_FALSE(test::fileExists(dir.file(kPreviousLedgerFileName)));
        const AccountInfo account = next->accounts.at(0);
        EXPECT_EQ(checkAccountPassword(*next, account, "密码A"), PasswordCheck::Right);
        EXPECT_EQ(next->loadLedgerOf(account), LedgerStatus::Ok);
        EXPECT_EQ(next->ledger.size(), records.size());
        return isProtected(account);
    }

    // Runs `change` on a freshly opened workspace in a child killed at `step`; true when
    // the child did die there.
    bool killedAt(const char* step, const std::function<void(Workspace&)>& change) {
        return test::stoppedAt(dir.path(), step, change);
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    std::string password = gbk("密码A");
    std::string ledger = dir.file("张三.da0");
    std::string registry = dir.file("pinfo.dat");
    Ledger records = {test::cashRecord(RecordType::CashIn, 20240101, 10000),
                      test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)};
    Bytes plainLedger;
    Bytes plainRegistry;
};

TEST_F(AccountProtection, ProtectingAndUnprotectingGivesBackTheSameFilesByteForByte) {
    ASSERT_TRUE(protect());
    EXPECT_EQ(asText(test::readBytes(ledger)).substr(0, 8), "FSPROTLG");
    EXPECT_TRUE(protectedAfterNextOpen());

    auto w = opened();
    ASSERT_EQ(checkAccountPassword(*w, w->accounts[0], "密码A"), PasswordCheck::Right);
    ASSERT_TRUE(unprotectAccount(*w, gbk("张三"), password));
    EXPECT_EQ(test::readBytes(ledger), plainLedger);
    EXPECT_EQ(test::readBytes(registry), plainRegistry);
    EXPECT_FALSE(protectedAfterNextOpen());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
}

TEST_F(AccountProtection, TheRegistryHoldsNoPasswordNorAnyHashOfIt) {
    ASSERT_TRUE(protect());
    const Bytes raw = test::readBytes(registry);
    Bytes deciphered = raw;
    DataScrambler scrambler;
    scrambler.setFileKey();
    scrambler.decrypt(deciphered.data(), deciphered.size());
    std::string blake(32, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(blake.data()), blake.size(),
                       reinterpret_cast<const unsigned char*>(password.data()), password.size(),
                       nullptr, 0);
    std::vector<std::string> traces = {password, "密码A", blake, hex(blake)};
    for (const char* name : {"MD5", "SHA1", "SHA256", "SHA512"}) {
        for (const std::string& text : {password, std::string("密码A")}) {
            traces.push_back(digest(name, text));
            traces.push_back(hex(digest(name, text)));
        }
    }
    for (const std::string& trace : traces) {
        EXPECT_EQ(asText(raw).find(trace), std::string::npos);
        EXPECT_EQ(asText(deciphered).find(trace), std::string::npos);
    }
    // The search finds what is there: 李四's unprotected password.
    EXPECT_NE(asText(deciphered).find("pw"), std::string::npos);
}

TEST_F(AccountProtection, AWrongPasswordReadsNothingAndChangesNothing) {
    ASSERT_TRUE(protect());
    const Bytes protectedLedger = test::readBytes(ledger);
    const Bytes protectedRegistry = test::readBytes(registry);
    auto w = opened();
    const AccountInfo account = w->accounts[0];
    EXPECT_EQ(checkAccountPassword(*w, account, "密码B"), PasswordCheck::Wrong);
    EXPECT_EQ(checkAccountPassword(*w, account, ""), PasswordCheck::Wrong);
    EXPECT_EQ(w->loadLedgerOf(account), LedgerStatus::Locked);
    EXPECT_TRUE(w->ledger.empty());
    EXPECT_FALSE(unprotectAccount(*w, gbk("张三"), password));
    EXPECT_EQ(test::readBytes(ledger), protectedLedger);
    EXPECT_EQ(test::readBytes(registry), protectedRegistry);
}

TEST_F(AccountProtection, BookingRenamingAndANewPasswordWorkOnAProtectedAccount) {
    ASSERT_TRUE(protect());
    auto w = opened();
    ASSERT_EQ(checkAccountPassword(*w, w->accounts[0], "密码A"), PasswordCheck::Right);
    ASSERT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Ok);
    w->ledger.push_back(test::cashRecord(RecordType::CashOut, 20240103, 500));
    ASSERT_EQ(w->saveLedgerOf(w->accounts[0]), SaveStatus::Saved);
    ASSERT_TRUE(renameAccount(*w, gbk("张三"), gbk("张三丰")));
    ASSERT_TRUE(changeAccountPassword(*w, gbk("张三丰"), gbk("新密码")));
    // The key of the new password is the one kept: the ledger still loads in this session.
    ASSERT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Ok);

    auto next = opened();
    const AccountInfo account = next->accounts.at(0);
    EXPECT_EQ(fieldText(account.name), "张三丰");
    EXPECT_TRUE(isProtected(account));
    EXPECT_EQ(checkAccountPassword(*next, account, "密码A"), PasswordCheck::Wrong);
    EXPECT_EQ(checkAccountPassword(*next, account, "新密码"), PasswordCheck::Right);
    ASSERT_EQ(next->loadLedgerOf(account), LedgerStatus::Ok);
    ASSERT_EQ(next->ledger.size(), 3u);
    EXPECT_EQ(next->ledger[2].date, 20240103);
    EXPECT_EQ(asText(test::readBytes(dir.file("张三丰.da0"))).substr(0, 8), "FSPROTLG");
}

TEST_F(AccountProtection, AChangedByteIsRefusedWithAClearMessage) {
    ASSERT_TRUE(protect());
    Bytes bytes = test::readBytes(ledger);
    bytes[bytes.size() - 20] ^= 0x04;  // inside the last record
    test::writeBytes(ledger, bytes);
    auto w = opened();
    ASSERT_EQ(checkAccountPassword(*w, w->accounts[0], "密码A"), PasswordCheck::Right);
    messages.shown.clear();
    EXPECT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Tampered);
    EXPECT_TRUE(w->ledger.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "记录张三个人资料的文件已经被非法篡改，不能读取资料");
    // Nothing is written over it.
    w->ledger = records;
    EXPECT_NE(w->saveLedgerOf(w->accounts[0]), SaveStatus::Saved);
    EXPECT_EQ(test::readBytes(ledger), bytes);

    bytes[10] ^= 0x01;  // in the header: refused at the login already
    test::writeBytes(ledger, bytes);
    auto next = opened();
    EXPECT_EQ(checkAccountPassword(*next, next->accounts[0], "密码A"), PasswordCheck::Tampered);
}

// The writes of turning protection on: the intent (temporary 1), the ledger (2), the
// registry (3). Each kill leaves the account as it was or as asked, its records whole.
TEST_F(AccountProtection, ProtectingOrUnprotectingKilledAtAnyStepIsUndoneOrFinished) {
    const std::vector<std::pair<const char*, bool>> steps = {
        {"temporary-written#1", false}, {"intent-written", false},
        {"temporary-written#2", false}, {"ledger-changed", false},
        {"temporary-written#3", false}, {"registry-written", true}};
    for (const auto& [step, done] : steps) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(
            killedAt(step, [&](Workspace& w) { protectAccount(w, gbk("张三"), password); }));
        EXPECT_EQ(protectedAfterNextOpen(), done);
        if (done) {
            // And back, killed at the same step.
            ASSERT_TRUE(killedAt(step, [&](Workspace& w) {
                checkAccountPassword(w, w.accounts[0], "密码A");
                unprotectAccount(w, gbk("张三"), password);
            }));
            EXPECT_FALSE(protectedAfterNextOpen());
            EXPECT_EQ(test::readBytes(ledger), plainLedger);
        }
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
}

// A protected account's new password is one replacement of its ledger file.
TEST_F(AccountProtection, ANewPasswordKilledAtAnyStepKeepsTheOldOrTheNewKey) {
    ASSERT_TRUE(protect());
    for (const auto& [step, fits] : std::vector<std::pair<const char*, const char*>>{
             {"temporary-written", "密码A"}, {"ledger-changed", "新密码"}}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(killedAt(step, [&](Workspace& w) {
            checkAccountPassword(w, w.accounts[0], "密码A");
            changeAccountPassword(w, gbk("张三"), gbk("新密码"));
        }));
        auto next = opened();
        const AccountInfo account = next->accounts.at(0);
        EXPECT_EQ(checkAccountPassword(*next, account, fits), PasswordCheck::Right);
        ASSERT_EQ(next->loadLedgerOf(account), LedgerStatus::Ok);
        EXPECT_EQ(next->ledger.size(), records.size());
    }
}

// Protecting drops the readable versions kept of the ledger (the file it replaces among
// them), also when the change was killed once it counted; versions made afterwards are of
// the protected file.
TEST_F(AccountProtection, ProtectingLeavesNoReadableVersionOfTheLedger) {
    ASSERT_FALSE(versionsOf(ledger).empty());
    ASSERT_TRUE(protect());
    EXPECT_TRUE(versionsOf(ledger).empty());
    auto w = opened();
    ASSERT_EQ(checkAccountPassword(*w, w->accounts[0], "密码A"), PasswordCheck::Right);
    ASSERT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Ok);
    w->ledger.push_back(test::cashRecord(RecordType::CashOut, 20240103, 500));
    ASSERT_EQ(w->saveLedgerOf(w->accounts[0]), SaveStatus::Saved);
    const std::vector<VersionRow> history = versionHistory(ledger);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(asText(test::readBytes(history[0].version.path)).substr(0, 8), "FSPROTLG");
    // Its records are counted from its size; which of them changed cannot be told.
    EXPECT_TRUE(history[0].protectedLedger);
    EXPECT_EQ(history[0].records, records.size());
    EXPECT_EQ(history[0].toNext, std::nullopt);

    // Killed once the registry counts it: the next open drops the readable versions.
    ASSERT_TRUE(unprotectAccount(*w, gbk("张三"), password));
    auto plain = opened();
    ASSERT_EQ(plain->loadLedgerOf(plain->accounts[0]), LedgerStatus::Ok);
    plain->ledger.push_back(test::cashRecord(RecordType::CashOut, 20240104, 100));
    ASSERT_EQ(plain->saveLedgerOf(plain->accounts[0]), SaveStatus::Saved);
    ASSERT_TRUE(killedAt("protection-counted",
                         [&](Workspace& k) { protectAccount(k, gbk("张三"), password); }));
    ASSERT_FALSE(versionsOf(ledger).empty()) << "killed before they went";
    auto next = opened();
    EXPECT_TRUE(isProtected(next->accounts[0]));
    EXPECT_TRUE(versionsOf(ledger).empty());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
}

// A restore never leaves a ledger the account cannot open: a version of the other kind, or
// protected under another key, is refused with a message and nothing changes; a protected
// version under the present key comes back byte for byte.
TEST_F(AccountProtection, ARestoreTakesOnlyAVersionTheAccountCanOpen) {
    const std::string plainCopy = dir.file("plain-version");
    test::writeBytes(plainCopy, plainLedger);
    ASSERT_TRUE(protect());
    auto w = opened();
    ASSERT_EQ(checkAccountPassword(*w, w->accounts[0], "密码A"), PasswordCheck::Right);
    const Bytes protectedLedger = test::readBytes(ledger);
    const auto refused = [&](Workspace& in, const std::string& version, const char* words) {
        messages.shown.clear();
        const Bytes before = test::readBytes(ledger);
        const std::size_t kept = versionsOf(ledger).size();
        EXPECT_FALSE(restoreLedger(in.ledgerStore(), in.accounts[0], version));
        EXPECT_EQ(test::readBytes(ledger), before) << "nothing changed";
        EXPECT_EQ(versionsOf(ledger).size(), kept);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.texts().front().find(words), std::string::npos)
            << messages.texts().front();
    };
    refused(*w, plainCopy, "加强保护之前");

    // A protected version under the present key.
    ASSERT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Ok);
    w->ledger.push_back(test::cashRecord(RecordType::CashOut, 20240103, 500));
    ASSERT_EQ(w->saveLedgerOf(w->accounts[0]), SaveStatus::Saved);
    ASSERT_EQ(versionsOf(ledger).size(), 1u);
    ASSERT_TRUE(restoreLedger(w->ledgerStore(), w->accounts[0], versionsOf(ledger)[0].path));
    EXPECT_EQ(test::readBytes(ledger), protectedLedger);
    ASSERT_EQ(w->loadLedgerOf(w->accounts[0]), LedgerStatus::Ok);
    EXPECT_EQ(w->ledger.size(), records.size());

    // Under the key of an earlier password.
    ASSERT_TRUE(changeAccountPassword(*w, gbk("张三"), gbk("新密码")));
    const FileVersion earlierKey = versionsOf(ledger).back();
    ASSERT_EQ(test::readBytes(earlierKey.path), protectedLedger);
    refused(*w, earlierKey.path, "另一个密码");
    auto next = opened();
    EXPECT_EQ(checkAccountPassword(*next, next->accounts[0], "新密码"), PasswordCheck::Right);

    // A protected version onto the account once it is unprotected.
    ASSERT_TRUE(unprotectAccount(*next, gbk("张三"), password));
    refused(*next, earlierKey.path, "现在没有加强保护");
    auto plain = opened();
    ASSERT_EQ(plain->loadLedgerOf(plain->accounts[0]), LedgerStatus::Ok);
    EXPECT_EQ(plain->ledger.size(), records.size());
}

}  // namespace
}  // namespace fiscora
