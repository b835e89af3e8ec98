#include <gtest/gtest.h>

#include <filesystem>

#include "store/file_backups.h"
#include "ui/account/restore_version_dialog.h"
#include "ui/main/command_ids.h"
#include "ui/main/main_menus.h"
#include "ui/trade/cash_dialog.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

namespace command = ui::command;
using ui::CashDialog;
using ui::RestoreVersionDialog;

// 撤销 and 恢复… over 甲 (logged in, 1000 in cash) and 乙.
class LedgerUndoTest : public WindowTest {
protected:
    LedgerUndoTest() {
        seed({holder, account("乙", "2")}, {{cashRecord(RecordType::CashIn, 20240101, 1000)}});
        open();
        login(0, "1");
        messages.shown.clear();
    }
    void cashIn(const std::string& amount) {
        runner.then<CashDialog>([amount](CashDialog& d) {
            d.amount.text = amount;
            return true;
        });
        window.OnCommand(command::kCashIn);
    }
    Bytes ledgerBytes() { return readBytes(ledgerFile("甲")); }

    AccountInfo holder = account("甲", "1");
};

// A booking then 撤销 brings the file back byte for byte and the window shows it; pressed
// again it goes one change further back, and with nothing left it says so.
TEST_F(LedgerUndoTest, UndoRestoresTheFileByteForByteChangeAfterChange) {
    const Bytes start = ledgerBytes();
    cashIn("250");
    const Bytes afterFirst = ledgerBytes();
    cashIn("100");
    ASSERT_EQ(window.workspace().ledger.size(), 3u);

    window.OnCommand(command::kUndo);
    EXPECT_EQ(ledgerBytes(), afterFirst);
    EXPECT_EQ(window.workspace().ledger.size(), 2u);
    EXPECT_EQ(window.accountStatus().find("资金余额: 1250.000元"), 0u);
    window.OnCommand(command::kUndo);
    EXPECT_EQ(ledgerBytes(), start);
    EXPECT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    window.OnCommand(command::kUndo);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户甲没有可以撤销的修改"});
    EXPECT_EQ(ledgerBytes(), start);
    EXPECT_EQ(ui::shortcutOf(command::kUndo), "Ctrl+Z");
}

// Only this window's changes to the logged-in account are undone: a file another program
// wrote since is left as it is, and another account's changes are not this one's.
TEST_F(LedgerUndoTest, UndoNeverTakesBackAnotherProgramsChangeOrAnotherAccounts) {
    cashIn("250");
    window.selectTreeItem(1);
    login(1, "2");
    messages.shown.clear();
    window.OnCommand(command::kUndo);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户乙没有可以撤销的修改"});

    window.selectTreeItem(0);
    Ledger other = {cashRecord(RecordType::CashIn, 20240101, 1000),
                    cashRecord(RecordType::CashIn, 20240102, 7)};
    ASSERT_TRUE(saveLedger(store(), holder, other));  // another program
    const Bytes theirs = ledgerBytes();
    messages.shown.clear();
    window.OnCommand(command::kUndo);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_NE(messages.texts()[0].find("已被其他程序修改"), std::string::npos);
    EXPECT_EQ(ledgerBytes(), theirs);
}

// 恢复… lists the versions oldest first with what changed to the next, restores the chosen
// one after asking, and that restore is undone by 撤销.
TEST_F(LedgerUndoTest, RestoreListsTheVersionsAndRestoresOneThatCanBeUndone) {
    const Bytes start = ledgerBytes();
    cashIn("250");
    cashIn("100");
    const Bytes beforeRestore = ledgerBytes();
    const std::vector<FileVersion> kept = versionsOf(ledgerFile("甲"));
    ASSERT_EQ(kept.size(), 3u);  // the header alone, the seeded ledger, the first booking
    EXPECT_EQ(readVersion(kept[1]), start);

    std::vector<std::vector<std::string>> rows;
    runner.then<RestoreVersionDialog>([&](RestoreVersionDialog& d) {
        for (std::size_t r = 0; r < d.versions.rowCount; ++r)
            rows.push_back({d.versions.cellText(r, 0), d.versions.cellText(r, 3),
                            d.versions.cellText(r, 4), d.versions.cellText(r, 5),
                            d.versions.cellText(r, 6)});
        EXPECT_EQ(d.versions.selected, 2);
        EXPECT_EQ(d.version.text, "3");
        d.typeText(d.version, "2");
        EXPECT_EQ(d.versions.selected, 1);
        return true;
    });
    messages.answer = false;
    window.OnCommand(command::kRestoreVersions);
    EXPECT_EQ(ledgerBytes(), beforeRestore) << "No restores nothing";
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"1", "0", "1", "0", "0"},
                                                           {"2", "1", "1", "0", "0"},
                                                           {"3", "2", "1", "0", "0"}}));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_NE(messages.asked[0].find("恢复到版本2"), std::string::npos);

    messages.answer = true;
    runner.then<RestoreVersionDialog>([](RestoreVersionDialog& d) {
        d.pickRow(d.versions, 1);
        EXPECT_EQ(d.version.text, "2");
        return true;
    });
    window.OnCommand(command::kRestoreVersions);
    EXPECT_EQ(ledgerBytes(), start);
    EXPECT_EQ(window.workspace().ledger.size(), 1u);

    window.OnCommand(command::kUndo);
    EXPECT_EQ(ledgerBytes(), beforeRestore);
    EXPECT_EQ(window.workspace().ledger.size(), 3u);
}

// A protected version's bytes tell its record count but not what changed after it: those
// cells are empty, while a plain version that could not be read shows "?".
TEST(RestoreVersionCells, AProtectedVersionShowsNoCountsOfWhatChanged) {
    VersionRow row;
    row.version.number = 7;
    row.records = 3;
    row.protectedLedger = true;
    const std::vector<std::string> cells = ui::versionCells(row);
    EXPECT_EQ(cells[0], "7");
    EXPECT_EQ(cells[3], "3");
    EXPECT_EQ((std::vector<std::string>(cells.begin() + 4, cells.end())),
              (std::vector<std::string>{"", "", ""}));
    row.protectedLedger = false;
    EXPECT_EQ(ui::versionCells(row)[4], "?");
}

// An unknown number keeps the dialog open with a message; a ledger without versions says so.
TEST_F(LedgerUndoTest, RestoreRefusesAnUnknownVersionAndAnAccountWithoutVersions) {
    RestoreVersionDialog dialog(window.workspace(), window.workspace().accounts[1]);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.caption(), "恢复帐户乙的流水帐");
    EXPECT_EQ(dialog.versions.rowCount, 1u);  // the header alone, before the seeded save
    dialog.typeText(dialog.version, "9");
    EXPECT_EQ(dialog.versions.selected, -1);
    EXPECT_FALSE(dialog.OnConfirm());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"请选择一个版本"});

    std::filesystem::remove_all(dataDir() + ".fiscora-backups");
    RestoreVersionDialog empty(window.workspace(), window.workspace().accounts[1]);
    empty.OnInitDialog();
    EXPECT_FALSE(empty.OnConfirm());
    EXPECT_EQ(messages.texts().back(), "帐户乙没有保存的版本");
    EXPECT_TRUE(messages.asked.empty());
}

}  // namespace
}  // namespace fiscora::test
