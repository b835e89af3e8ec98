#include "ui/main/main_window_model.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "recording_list_output.h"
#include "support/fake_quotes.h"
#include "ui/main/about_box.h"
#include "ui/main/command_ids.h"
#include "ui/main/main_menus.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::WindowTest;

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override {
        seed({test::account("甲", "1"), test::account("乙", "2")},
             {{test::cashRecord(RecordType::CashIn, 20240101, 50000),
               test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12, 1),
               test::stockRecord(RecordType::Buy, 20240103, "000001", 200, 5, 10, 0)}});
        open();
    }
};

TEST_F(MainWindowTest, OpensWithEveryAccountLoggedOutAndTheTreeFocused) {
    EXPECT_EQ(currentMainWindow(), &window);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(treeImages(), (std::vector<int>{0, 0}));
    EXPECT_EQ(window.selectedIndex(), -1);
    EXPECT_EQ(window.caption(), "Fiscora");
    EXPECT_EQ(window.focusPane(), MainPane::Tree);
    EXPECT_DOUBLE_EQ(defaultTradeParams().commissionRate, 0.0035);
    // The fee table is read, not created: a missing one is empty until it is saved.
    EXPECT_FALSE(test::fileExists(dir.file("trdpara.dat")));
    EXPECT_TRUE(window.holdingRows().empty());
}

TEST(MainWindowStart, ANewDataDirectoryOpensEmptyWithoutMessages) {
    test::TempDir dir;
    test::ScopedCurrentDirectory cwd(dir.path());
    setPrivateInvestDir((dir.path() + "data/").c_str());
    test::RecordingMessages messages;
    test::ScriptedRunner runner;
    {
        MainWindowModel window(messages, runner);
        window.OnInitDialog();
        EXPECT_TRUE(window.tree().empty());
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(test::readBytes(dir.file("data/pinfo.dat")).size(), 0u);
    }
    // A closed window is no longer the current one.
    EXPECT_EQ(currentMainWindow(), nullptr);
}

TEST_F(MainWindowTest, LoggingInShowsTheHoldingsWithTheFirstRowSelected) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "\xd5\xd0\xc9\xcc\xd2\xf8\xd0\xd0", 11.0f, 10.5f);  // 招商银行
    login(0, "1");
    EXPECT_EQ(window.caption(), "Fiscora -[甲]");
    ASSERT_EQ(window.holdingRows().size(), 2u);
    EXPECT_EQ(window.holdingRows()[0].cells[2], "招商银行");
    EXPECT_EQ(window.holdingRows()[0].cells[4], "1100.000");
    EXPECT_EQ(window.holdingRows()[1].cells[1], "000001");
    EXPECT_EQ(window.holdingRows()[1].cells[2], "");  // the host does not know it
    EXPECT_EQ(window.holdingList().selected, 0);
    EXPECT_EQ(window.focusPane(), MainPane::List);
}

// 浮动盈亏 and 收益率 are red for a gain and green for a loss; the other cells stay plain.
TEST_F(MainWindowTest, GainsAreRedAndLossesGreen) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "X", 11.0f, 10.5f);  // above its cost; 000001 has no price: a loss
    login(0, "1");
    const ListField& list = window.holdingList();
    ASSERT_TRUE(list.cellTone);
    ASSERT_GT(window.holdingRows()[0].figures.floatingProfit, 0);
    for (std::size_t column : {5u, 9u}) {
        EXPECT_EQ(list.cellTone(0, column), CellTone::Gain) << column;
        EXPECT_EQ(list.cellTone(1, column), CellTone::Loss) << column;
    }
    for (std::size_t column : {0u, 3u, 4u, 6u, 7u, 8u})
        EXPECT_EQ(list.cellTone(0, column), CellTone::Plain) << column;
}

TEST_F(MainWindowTest, SelectingALoggedInAccountReloadsItsLedgerFromDisk) {
    login(0, "1");
    window.selectTreeItem(1);
    EXPECT_EQ(window.caption(), "Fiscora");
    EXPECT_TRUE(window.holdingRows().empty());
    EXPECT_TRUE(window.workspace().ledger.empty());
    // Changed behind the window's back: selecting the account again reads the file.
    ASSERT_TRUE(saveLedger(store(), test::account("甲", "1"),
                           {test::cashRecord(RecordType::CashIn, 20240101, 7)}));
    window.selectTreeItem(0);
    EXPECT_EQ(window.caption(), "Fiscora -[甲]");
    ASSERT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_DOUBLE_EQ(window.workspace().ledger[0].amount, 7);
    EXPECT_TRUE(window.holdingRows().empty());
    EXPECT_EQ(window.holdingList().selected, -1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, RefreshWithoutALoggedInSelectionChangesNothing) {
    window.OnCommand(command::kRefreshQuotes);
    window.selectTreeItem(0);
    window.OnCommand(command::kRefreshQuotes);
    EXPECT_TRUE(window.holdingRows().empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.focusPane(), MainPane::Tree);
}

TEST_F(MainWindowTest, RefreshAsksTheHostAgain) {
    login(0, "1");
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "X", 12.0f, 11.0f);
    window.OnCommand(command::kRefreshQuotes);
    EXPECT_EQ(window.holdingRows()[0].cells[2], "X");
    EXPECT_EQ(window.holdingRows()[0].cells[7], "12.000");
}

TEST_F(MainWindowTest, TheGuardWantsASelectedLoggedInAccount) {
    EXPECT_FALSE(window.commands().AccountGuard());
    window.selectTreeItem(1);
    EXPECT_FALSE(window.commands().AccountGuard());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "请选中一个帐户");
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[1].text, "帐户还未登录，不能进行操作");
    EXPECT_EQ(messages.shown[1].caption, "错误");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
    login(1, "2");
    const auto guarded = window.commands().AccountGuard();
    ASSERT_TRUE(guarded);
    EXPECT_EQ(guarded->name, "乙");
    EXPECT_EQ(&guarded->info, &window.workspace().accounts[1]);
    EXPECT_EQ(messages.shown.size(), 2u);
}

// Every command id the menus, the popup menus and the toolbar carry.
std::vector<int> menuCommands() {
    std::vector<int> ids;
    const auto collect = [&ids](const std::vector<MenuItem>& items, auto& self) -> void {
        for (const auto& item : items) {
            if (item.command != 0) ids.push_back(item.command);
            self(item.submenu, self);
        }
    };
    for (const auto& entry : mainMenuBar()) {
        if (entry.command != 0) ids.push_back(entry.command);
        collect(entry.items, collect);
    }
    collect(otherOperationsMenu(), collect);
    collect(treePopupMenu(), collect);
    collect(listPopupMenu(), collect);
    for (const auto& button : toolbarButtons()) {
        if (!button.isSeparator()) ids.push_back(button.command);
    }
    return ids;
}

// Each id is carried out once the view has given printing and the file dialog; until then a
// command that needs them is not available and does nothing. None falls through silently.
TEST_F(MainWindowTest, EveryCommandOfTheMenusAndToolbarIsAvailableOnceTheViewGivesItsServices) {
    EXPECT_FALSE(window.isAvailable(command::kPrint));
    for (int id : menuCommands()) {
        if (!window.isAvailable(id)) window.OnCommand(id);
    }
    EXPECT_TRUE(runner.captions.empty());
    EXPECT_TRUE(messages.shown.empty());
    test::RecordingListOutput output;
    window.setListOutput(output);
    window.setStatementChooser([]() -> std::optional<std::string> { return std::nullopt; });
    for (int id : menuCommands()) EXPECT_TRUE(window.isAvailable(id)) << id;
    EXPECT_EQ(toolbarButtons().size(), 14u);
    EXPECT_TRUE(toolbarButtons()[4].isSeparator());
    EXPECT_TRUE(toolbarButtons()[7].dropDown);
    EXPECT_EQ(toolbarButtons()[11].command, command::kRefreshQuotes);
}

// Every menu names a command the same way, and the dialog it opens carries that name, so a
// user never wonders whether two words mean one thing.
TEST_F(MainWindowTest, ACommandHasOneNameInEveryMenuAndInItsDialogsTitle) {
    std::map<int, std::set<std::string>> names;
    const auto collect = [&names](const std::vector<MenuItem>& items, auto& self) -> void {
        for (const auto& item : items) {
            if (item.command != 0) names[item.command].insert(item.text);
            self(item.submenu, self);
        }
    };
    for (const auto& entry : mainMenuBar()) collect(entry.items, collect);
    collect(otherOperationsMenu(), collect);
    collect(treePopupMenu(), collect);
    collect(listPopupMenu(), collect);
    for (const auto& [id, texts] : names) EXPECT_EQ(texts.size(), 1u) << id;

    login(0, "1");
    runner.captions.clear();
    window.OnCommand(command::kCashIn);
    ASSERT_EQ(runner.captions.size(), 1u);
    EXPECT_EQ(runner.captions[0], *names[command::kCashIn].begin() + " -[甲]");
    runner.captions.clear();
    window.OnCommand(command::kNewAccount);
    EXPECT_EQ(runner.captions, std::vector<std::string>{*names[command::kNewAccount].begin()});
}

TEST_F(MainWindowTest, AboutAndExit) {
    runner.then<AboutBox>([](AboutBox&) { return true; });
    window.OnCommand(command::kAbout);
    EXPECT_EQ(runner.captions, std::vector<std::string>{"关于Fiscora"});
    EXPECT_STREQ(AboutBox::kText, "Fiscora1.13版");
    EXPECT_FALSE(window.closeRequested());
    window.OnCommand(command::kExit);
    EXPECT_TRUE(window.closeRequested());
}

TEST_F(MainWindowTest, RightClickSelectsTheItemUnderThePointer) {
    window.OnTreeRightClick(1);
    EXPECT_EQ(window.selectedIndex(), 1);
    window.OnTreeRightClick(-1);
    EXPECT_EQ(window.selectedIndex(), 1);
    EXPECT_TRUE(runner.captions.empty());
}

TEST_F(MainWindowTest, EnterInTheTreeLogsIn) {
    window.selectTreeItem(1);
    runner.then<PasswordDialog>([](PasswordDialog& d) {
        d.password.text = "2";
        return true;
    });
    window.OnTreeEnter();
    EXPECT_EQ(treeImages(), (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace fiscora::ui
