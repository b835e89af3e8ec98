#include "store/ledger_append.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/version_history.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/change_intent.h"
#include "store/file_backups.h"
#include "store/ledger_digests.h"
#include "store/ledger_file.h"
#include "support/builders.h"
#include "support/crash_child.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// 张三's ledger of 4,100 records (one whole run of 4,096 and part of the next), booked on as
// a login, a booking and a save do; the same ledger rewritten whole in a second folder is
// what every booking must leave byte for byte.
class LedgerAppendTest : public ::testing::Test {
protected:
    LedgerAppendTest() {
        scrambler.setFileKey();
        Workspace setup(messages);
        setup.open(dir.path());
        setup.accounts = {owner};
        EXPECT_TRUE(setup.saveAccounts());
        EXPECT_TRUE(writeLedgerHeader(store(), owner, "secret"));
        EXPECT_TRUE(saveLedger(store(), owner, records));
        before = test::readBytes(ledger());
    }

    LedgerStore store(const test::TempDir& in) {
        return {in.path(), scrambler, messages, OpenMode::CreateIfMissing};
    }
    LedgerStore store() { return store(dir); }
    std::string ledger() const { return dir.file("张三.da0"); }

    // Loads the ledger, adds `added` at its end (or changes it as `change` says) and saves.
    SaveStatus book(const std::vector<LedgerRecord>& added,
                    const std::function<void(Ledger&)>& change = {}) {
        Ledger ledger;
        LedgerStamp stamp;
        EXPECT_TRUE(isLoaded(loadLedger(store(), owner, ledger, &stamp)));
        ledger.insert(ledger.end(), added.begin(), added.end());
        if (change) change(ledger);
        return saveLoadedLedger(store(), owner, ledger, stamp);
    }

    // The bytes a whole rewrite of `ledger` gives, with the digest it records.
    std::pair<Bytes, std::optional<std::string>> rewritten(const Ledger& ledger) {
        test::TempDir other;
        EXPECT_TRUE(writeLedgerHeader(store(other), owner, "secret"));
        EXPECT_TRUE(saveLedger(store(other), owner, ledger));
        return {test::readBytes(other.file("张三.da0")),
                recordedLedgerDigest(other.path(), "张三.da0")};
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    DataScrambler scrambler;
    AccountInfo owner = test::account("张三", "secret");
    Ledger records = test::manyPurchases(4100);
    Bytes before;
    LedgerRecord sale = test::stockRecord(RecordType::Sell, 20240301, "600001", 100, 11, 5);
};

TEST_F(LedgerAppendTest, ABookingAppendsInPlaceTheBytesARewriteWouldWrite) {
    const ino_t inode = test::inodeOf(ledger());
    const FileStamp old = stampOf(ledger());
    // One record, then enough to fill the open run and start another.
    Ledger expected = records;
    for (const std::vector<LedgerRecord>& added :
         {std::vector<LedgerRecord>{sale}, std::vector<LedgerRecord>(4000, sale)}) {
        ASSERT_EQ(book(added), SaveStatus::Saved);
        expected.insert(expected.end(), added.begin(), added.end());
        const auto [bytes, digest] = rewritten(expected);
        EXPECT_EQ(test::readBytes(ledger()), bytes);
        EXPECT_EQ(recordedLedgerDigest(dir.path(), "张三.da0"), digest);
        EXPECT_EQ(test::inodeOf(ledger()), inode);
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));

    // Each version kept is the file as it was, though they share its bytes: listed with its
    // own length, time and record count, found for undo, restored byte for byte.
    const std::vector<FileVersion> versions = versionsOf(ledger());
    ASSERT_GE(versions.size(), 2u);
    const FileVersion& first = versions[versions.size() - 2];
    EXPECT_EQ(first.bytes, before.size());
    EXPECT_EQ(first.writtenNs, old.modifiedNs);
    EXPECT_EQ(readVersion(first), before);
    ASSERT_TRUE(versionMatching(ledger(), old));
    EXPECT_EQ(versionMatching(ledger(), old)->path, first.path);
    const std::vector<VersionRow> rows = versionHistory(ledger());
    EXPECT_EQ(rows[rows.size() - 2].records, records.size());
    ASSERT_TRUE(rows[rows.size() - 2].toNext && rows.back().toNext);
    EXPECT_EQ(rows[rows.size() - 2].toNext->added, 1u);
    EXPECT_EQ(rows.back().records, records.size() + 1);
    EXPECT_EQ(rows.back().toNext->added, 4000u);

    ASSERT_TRUE(restoreLedger(store(), owner, first.path));
    EXPECT_EQ(test::readBytes(ledger()), before);
    // The restore replaced the file: the versions it shared bytes with stay as they were.
    Ledger afterFirst = records;
    afterFirst.push_back(sale);
    ASSERT_TRUE(restoreLedger(store(), owner, versions.back().path));
    EXPECT_EQ(test::readBytes(ledger()), rewritten(afterFirst).first);
}

// Whatever is not only records added at the end of a file that a rewrite would write the
// same way is rewritten whole (a new file renamed over the old one), as before.
TEST_F(LedgerAppendTest, AnythingButAnAppendIsRewrittenWhole) {
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"a record changed",
         [&] { ASSERT_EQ(book({sale}, [](Ledger& l) { l[4099].fee = 6; }), SaveStatus::Saved); }},
        {"a record removed",
         [&] { ASSERT_EQ(book({}, [](Ledger& l) { l.pop_back(); }), SaveStatus::Saved); }},
        {"a cut record at the end",
         [&] {
             Bytes cut = test::readBytes(ledger());
             cut.resize(cut.size() - 8);
             test::writeBytes(ledger(), cut);
             ASSERT_EQ(book({sale}), SaveStatus::Saved);
         }},
        {"a header not as a rewrite writes it",
         [&] {
             Bytes file = test::readBytes(ledger());
             scrambler.decrypt(file.data(), 200);
             file[100] = 1;
             scrambler.encrypt(file.data(), 200);
             test::writeBytes(ledger(), file);
             ASSERT_EQ(book({sale}), SaveStatus::Saved);
         }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(saveLedger(store(), owner, records));
        const ino_t inode = test::inodeOf(ledger());
        change();
        EXPECT_NE(test::inodeOf(ledger()), inode);
        Ledger saved;
        EXPECT_EQ(loadLedger(store(), owner, saved), LedgerStatus::Ok);
        EXPECT_EQ(test::readBytes(ledger()), rewritten(saved).first);
    }
}

// A booking the disk cannot take changes nothing: the file keeps its bytes, no version of
// it is left, no intent either, and the failure is reported.
TEST_F(LedgerAppendTest, AnAppendTheDiskRefusesLeavesTheFileAsItWas) {
    const std::size_t versions = versionsOf(ledger()).size();
    Ledger ledger;
    LedgerStamp stamp;
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);
    ledger.push_back(sale);
    {
        test::ScopedFileSizeLimit full(before.size() + 100);
        EXPECT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Failed);
    }
    EXPECT_EQ(test::readBytes(this->ledger()), before);
    EXPECT_EQ(versionsOf(this->ledger()).size(), versions);
    EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.texts().front().find("不能打开文件"), std::string::npos);
    // Tried again on the same load once the disk has room, it goes in.
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    EXPECT_EQ(test::readBytes(this->ledger()), rewritten(ledger).first);
}

// A booking killed at each step of its append: the next open leaves the old file or the new
// one, byte for byte, never a piece of the record, and every version kept restores exactly.
TEST_F(LedgerAppendTest, ABookingKilledAtAnyStepLeavesTheOldFileOrTheNew) {
    Ledger booked = records;
    booked.push_back(sale);
    const Bytes after = rewritten(booked).first;
    const auto bookSale = [&](Workspace& w) {
        w.loadLedgerOf(w.accounts.front());
        w.appendRecord(sale);
        w.saveLedgerOf(w.accounts.front());
    };
    // The intent's temporary, the intent, the records written but not flushed.
    for (const char* step : {"temporary-written#1", "intent-written", "ledger-appended"}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(test::stoppedAt(dir.path(), step, bookSale));
        Workspace next(messages);
        next.open(dir.path());
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        EXPECT_EQ(test::readBytes(ledger()), before);
        for (const FileVersion& v : versionsOf(ledger())) {
            EXPECT_LE(v.bytes, before.size());
            EXPECT_EQ(test::readBytes(v.path).size() >= v.bytes, true);
        }
    }
    ASSERT_FALSE(test::stoppedAt(dir.path(), "none", bookSale));
    EXPECT_EQ(test::readBytes(ledger()), after);
    ASSERT_TRUE(restoreLedger(store(), owner, versionsOf(ledger()).back().path));
    EXPECT_EQ(test::readBytes(ledger()), before);
    EXPECT_TRUE(messages.shown.empty());
}

// Settling cuts back only the file the append began on: a file that replaced it since (same
// name, another inode) is left whole.
TEST_F(LedgerAppendTest, SettlingCutsBackOnlyTheFileTheAppendBeganOn) {
    const FileStamp now = stampOf(ledger());
    ChangeIntent intent;
    intent.kind = ChangeIntent::Kind::Append;
    intent.ledgerDevice = now.device;
    intent.account = fieldBytes(owner.name);
    intent.from = std::to_string(now.size - 200);
    FileError error = FileError::None;
    for (const bool sameFile : {false, true}) {
        intent.ledgerInode = now.inode + (sameFile ? 0 : 1);
        ASSERT_TRUE(writeIntent(dir.path(), scrambler, intent, error));
        Workspace next(messages);
        next.open(dir.path());
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        Bytes expected = before;
        if (sameFile) expected.resize(before.size() - 200);
        EXPECT_EQ(test::readBytes(ledger()), expected);
    }
}

}  // namespace
}  // namespace fiscora
