#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "engine/account_identity.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/change_intent.h"
#include "support/builders.h"
#include "support/crash_child.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

std::string gbk(const std::string& utf8) {
    return utf8ToGbk(utf8).value();
}

// 张三 (password "secret", two records) and 李四, as a killed rename or password change
// finds them; each test kills the change at one step in a child process and opens the
// folder afterwards as the next program would.
class InterruptedChange : public ::testing::Test {
protected:
    InterruptedChange() {
        Workspace setup(messages);
        setup.open(dir.path());
        setup.accounts = {test::account("张三", "secret"), test::account("李四", "pw")};
        EXPECT_TRUE(setup.saveAccounts());
        EXPECT_TRUE(writeLedgerHeader(setup.ledgerStore(), setup.accounts[0], "secret"));
        EXPECT_TRUE(saveLedger(setup.ledgerStore(), setup.accounts[0], records));
    }

    // Runs `change` on a freshly opened workspace in a child killed at `step`; true when
    // the child did die there.
    bool killedAt(const char* step, const std::function<void(Workspace&)>& change) {
        return test::stoppedAt(dir.path(), step, change);
    }

    // The state the next open leaves: the registered name and password of the first
    // account, after checking that its ledger loads with them and holds every record,
    // that no other ledger file of it is left, and that the intent is gone.
    std::pair<std::string, std::string> stateAfterNextOpen() {
        Workspace next(messages);
        next.open(dir.path());
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        EXPECT_EQ(next.accounts.size(), 2u);
        if (next.accounts.empty()) return {};
        const AccountInfo account = next.accounts[0];
        EXPECT_EQ(next.loadLedgerOf(account), LedgerStatus::Ok);
        EXPECT_EQ(next.ledger.size(), records.size());
        const std::string name = fieldText(account.name);
        for (const char* other : {"张三", "张三丰"}) {
            if (name != other) {
                EXPECT_FALSE(test::fileExists(dir.file(std::string(other) + ".da0")));
            }
        }
        return {name, fieldText(account.password)};
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Ledger records = {test::cashRecord(RecordType::CashIn, 20240101, 10000),
                      test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)};
};

void rename(Workspace& w) {
    renameAccount(w, gbk("张三"), gbk("张三丰"));
}
void newPassword(Workspace& w) {
    changeAccountPassword(w, gbk("张三"), "n3w");
}

// Writes of a rename: the intent (temporary 1), the registry (temporary 2).
TEST_F(InterruptedChange, ARenameKilledAtAnyStepIsUndoneOrFinished) {
    const std::vector<std::pair<const char*, const char*>> steps = {{"temporary-written#1", "张三"},
                                                                    {"intent-written", "张三"},
                                                                    {"ledger-changed", "张三"},
                                                                    {"temporary-written#2", "张三"},
                                                                    {"registry-written", "张三丰"}};
    for (const auto& [step, expected] : steps) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(killedAt(step, rename));
        const auto [name, password] = stateAfterNextOpen();
        EXPECT_EQ(name, expected);
        EXPECT_EQ(password, "secret");
        EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
        // Back to the start for the next step.
        if (name != "张三") {
            Workspace back(messages);
            back.open(dir.path());
            ASSERT_TRUE(renameAccount(back, gbk("张三丰"), gbk("张三")));
        }
    }
}

// Writes of a password change: the intent, the ledger's header, the registry.
TEST_F(InterruptedChange, APasswordChangeKilledAtAnyStepIsUndoneOrFinished) {
    const std::vector<std::pair<const char*, const char*>> steps = {
        {"intent-written", "secret"},
        {"temporary-written#2", "secret"},
        {"ledger-changed", "secret"},
        {"temporary-written#3", "secret"},
        {"registry-written", "n3w"}};
    for (const auto& [step, expected] : steps) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(killedAt(step, newPassword));
        const auto [name, password] = stateAfterNextOpen();
        EXPECT_EQ(name, "张三");
        EXPECT_EQ(password, expected);
        EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
        if (password != "secret") {
            Workspace back(messages);
            back.open(dir.path());
            ASSERT_TRUE(changeAccountPassword(back, gbk("张三"), "secret"));
        }
    }
}

// An unregistered file of the new name that was there before the rename began is never
// taken for the account's ledger, whichever way the change is settled.
TEST_F(InterruptedChange, SettlingNeverMovesAFileTheChangeDidNotStartWith) {
    ChangeIntent intent{ChangeIntent::Kind::Rename, 1, 1, gbk("张三"), gbk("张三"), gbk("张三丰")};
    std::filesystem::rename(dir.file("张三.da0"), dir.file("张三丰.da0"));
    DataScrambler scrambler;
    scrambler.setFileKey();
    FileError error = FileError::None;
    ASSERT_TRUE(writeIntent(dir.path(), scrambler, intent, error));
    ASSERT_EQ(readIntent(dir.path(), scrambler), intent);

    settleInterruptedChange(dir.path(), scrambler, messages);
    EXPECT_TRUE(test::fileExists(dir.file("张三丰.da0")));
    EXPECT_FALSE(test::fileExists(dir.file("张三.da0")));
    EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
}

}  // namespace
}  // namespace fiscora
