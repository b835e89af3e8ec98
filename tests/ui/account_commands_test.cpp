#include "ui/account/account_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "engine/dates.h"
#include "support/packed_field.h"
#include "ui/common/headless_runner.h"
#include "ui/main/dialog_fillers.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::enterAccount;
using test::WindowTest;

class AccountCommandsTest : public WindowTest {
protected:
    CommandContext& commands() { return window.commands(); }
};

TEST_F(AccountCommandsTest, ANewAccountIsRegisteredLoggedInSelectedAndGetsItsOpeningRecord) {
    open();
    runner.then<NewAccountDialog>(enterAccount("张三", "secret", "10000.5", 1, "备用金"));
    OnNewAccount(commands());

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(runner.captions, std::vector<std::string>{"新建帐户"});
    const AccountList onDisk = registryOnDisk();
    ASSERT_EQ(onDisk.size(), 1u);
    const AccountInfo& a = onDisk[0];
    EXPECT_EQ(fieldText(a.name), "张三");
    EXPECT_EQ(fieldText(a.password), "secret");
    EXPECT_EQ(fieldText(a.tradeType), "深证B股");
    EXPECT_DOUBLE_EQ(a.initialCapital, 10000.5);
    EXPECT_EQ(test::unpacked(a.createdDate), today());
    EXPECT_EQ(fieldText(a.remark), "备用金");
    // Zero after every terminator, as the program always writes its entries.
    AccountInfo expected{};
    std::memcpy(&expected, &a, sizeof expected);
    storeText(expected.remark, "备用金");
    EXPECT_EQ(std::memcmp(&expected, &a, sizeof a), 0);

    EXPECT_EQ(treeTexts(), std::vector<std::string>{"张三"});
    EXPECT_EQ(treeImages(), std::vector<int>{1});
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_EQ(window.caption(), "Fiscora -[张三]");
    ASSERT_EQ(window.workspace().loginStates.size(), 1u);
    EXPECT_TRUE(window.workspace().loginStates[0].loggedIn);

    // The file: the header slot with the password, then the one CashIn record.
    Bytes plain = test::readBytes(ledgerFile("张三"));
    ASSERT_EQ(plain.size(), 400u);
    scrambler.decrypt(plain.data(), plain.size());
    LedgerRecord header;
    std::memcpy(static_cast<void*>(&header), "secret", 6);
    EXPECT_EQ(std::memcmp(plain.data(), &header, 200), 0);
    LedgerRecord opening = makeRecord(RecordType::CashIn, today());
    opening.amount = 10000.5;
    storeText(opening.remark, "备用金");
    EXPECT_EQ(std::memcmp(plain.data() + 200, &opening, 200), 0);

    Ledger loaded;
    EXPECT_EQ(loadLedger(store(), a, loaded), LedgerStatus::Ok);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(test::unpacked(loaded[0].type), 6);
    EXPECT_EQ(test::unpacked(loaded[0].cashSign), 1);
    EXPECT_EQ(test::unpacked(loaded[0].market), 0);
    EXPECT_EQ(loaded[0].stockCode[0], '\0');
    ASSERT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_EQ(std::memcmp(&window.workspace().ledger[0], &opening, 200), 0);
}

TEST_F(AccountCommandsTest, CancellingTheNewAccountDialogWritesNothing) {
    open();
    runner.thenCancel();
    OnNewAccount(commands());
    EXPECT_TRUE(window.tree().empty());
    EXPECT_EQ(test::readBytes(dataDir() + "pinfo.dat").size(), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataDir()), {}), 1);
}

TEST_F(AccountCommandsTest, ADuplicateNameShowsTheDialogAgainWithTheEntriesKept) {
    seed({test::account("Alice", "a")});
    open();
    runner.then<NewAccountDialog>(enterAccount("Alice", "b", "500", 2, "note"));
    runner.then<NewAccountDialog>([](NewAccountDialog& d) {
        EXPECT_EQ(d.name.text, "Alice");
        EXPECT_EQ(d.password.text, "b");
        EXPECT_EQ(d.capital.text, "500");
        EXPECT_EQ(d.tradeType.selected, 2);
        EXPECT_EQ(d.remark.text, "note");
        d.name.text = "alice";  // differs in case only: a different name
        return true;
    });
    OnNewAccount(commands());
    EXPECT_EQ(runner.captions.size(), 2u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "已有同样的帐户名存在，请选择其他的帐户名!");
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"Alice", "alice"}));
    EXPECT_EQ(treeImages(), (std::vector<int>{0, 1}));
    EXPECT_EQ(window.selectedIndex(), 1);
}

TEST_F(AccountCommandsTest, ADuplicateThenCancelAddsNothing) {
    seed({test::account("Alice", "a")});
    open();
    runner.then<NewAccountDialog>(enterAccount("Alice", "b", "500"));
    runner.thenCancel();
    OnNewAccount(commands());
    EXPECT_EQ(registryOnDisk().size(), 1u);
    EXPECT_EQ(window.tree().size(), 1u);
}

TEST_F(AccountCommandsTest, ANewAccountReplacesTheCurrentLedgerAndLeavesTheOtherLoggedIn) {
    seed({test::account("甲", "1")}, {{test::cashRecord(RecordType::CashIn, 20240101, 100),
                                       test::cashRecord(RecordType::CashOut, 20240102, 30)}});
    open();
    login(0, "1");
    ASSERT_EQ(window.workspace().ledger.size(), 2u);
    runner.then<NewAccountDialog>(enterAccount("乙", "2", "9"));
    OnNewAccount(commands());
    EXPECT_EQ(treeImages(), (std::vector<int>{1, 1}));
    ASSERT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_DOUBLE_EQ(window.workspace().ledger[0].amount, 9);
    window.selectTreeItem(0);
    EXPECT_EQ(window.workspace().ledger.size(), 2u);
    EXPECT_EQ(window.caption(), "Fiscora -[甲]");
}

TEST_F(AccountCommandsTest, ANameThatCannotBeAFileNameIsRefusedBeforeAnythingIsWritten) {
    open();
    runner.then<NewAccountDialog>(enterAccount("../escape", "p", "1"));
    runner.thenCancel();
    OnNewAccount(commands());
    EXPECT_EQ(
        messages.texts(),
        std::vector<std::string>{"帐户名称\"../escape\"不能用作文件名,请不要使用\"/\"或只用\".\""});
    EXPECT_TRUE(window.tree().empty());
    EXPECT_EQ(test::readBytes(dataDir() + "pinfo.dat").size(), 0u);
    EXPECT_FALSE(test::fileExists(dir.file("escape.da0")));
}

// Creating an account is all or nothing: without its ledger there is no account.
TEST_F(AccountCommandsTest, ALedgerFileThatCannotBeWrittenCreatesNoAccount) {
    open();
    std::filesystem::create_directory(ledgerFile("张三"));  // a folder where the file should go
    runner.then<NewAccountDialog>(enterAccount("张三", "p", "1"));
    OnNewAccount(commands());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"不能打开文件" + ledgerFile("张三") +
                                                         ".不能完成操作（原因：不是普通文件）"});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(registryOnDisk().empty());
    EXPECT_TRUE(window.tree().empty());
    EXPECT_TRUE(window.workspace().accounts.empty());
}

TEST_F(AccountCommandsTest, ARegistryThatCannotBeWrittenLeavesNoLedgerBehind) {
    // A folder in the registry's place: the ledger is written, the registry is not.
    std::filesystem::create_directories(dataDir() + "pinfo.dat");
    open();  // the registry could not be read
    runner.then<NewAccountDialog>(enterAccount("张三", "p", "1"));
    OnNewAccount(commands());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "不能打开文件pinfo.dat!无法将基本资料存盘.（原因：不是普通文件）"});
    EXPECT_FALSE(test::fileExists(ledgerFile("张三")));
    EXPECT_TRUE(window.tree().empty());
    EXPECT_TRUE(window.workspace().accounts.empty());
}

// Another program created an account while the window was open: the window reads the
// registry again instead of writing its older list over it.
TEST_F(AccountCommandsTest, ARegistryChangedByAnotherProgramIsReadAgainNotOverwritten) {
    open();
    ASSERT_TRUE(saveRegistry(dataDir(), {test::account("李四", "x")}, scrambler, fileMessages));
    runner.then<NewAccountDialog>(enterAccount("张三", "p", "1"));
    OnNewAccount(commands());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"文件" + dataDir() +
                                       "pinfo.dat已被其他程序修改,已重新读入,请重新操作"});
    EXPECT_EQ(treeTexts(), std::vector<std::string>{"李四"});
    EXPECT_FALSE(test::fileExists(ledgerFile("张三")));

    messages.shown.clear();
    runner.then<NewAccountDialog>(enterAccount("张三", "p", "1"));
    OnNewAccount(commands());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registryOnDisk().size(), 2u);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"李四", "张三"}));
}

TEST_F(AccountCommandsTest, AWrongPasswordKeepsComingBackUntilCancelled) {
    seed({test::account("甲", "right")});
    open();
    runner.then<PasswordDialog>([](PasswordDialog& d) {
        d.password.text = "wrong";
        return true;
    });
    runner.then<PasswordDialog>([](PasswordDialog& d) {
        EXPECT_EQ(d.password.text, "wrong");
        d.password.text = "Right";
        return true;
    });
    runner.thenCancel();
    window.OnTreeClick(0);
    EXPECT_EQ(runner.captions, std::vector<std::string>(3, "请输入帐户甲的密码"));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"密码错误", "密码错误"}));
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(treeImages(), std::vector<int>{0});
    EXPECT_FALSE(window.workspace().loginStates[0].loggedIn);
    EXPECT_EQ(window.caption(), "Fiscora");
}

TEST_F(AccountCommandsTest, TheRightPasswordLogsInAndLoadsTheLedger) {
    seed({test::account("甲", "1"), test::account("乙", "right")},
         {{}, {test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)}});
    open();
    runner.then<PasswordDialog>([](PasswordDialog& d) {
        d.password.text = "nope";
        return true;
    });
    login(1, "right");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"密码错误"});
    EXPECT_EQ(treeImages(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(window.workspace().loginStates[1].loggedIn);
    EXPECT_EQ(window.selectedIndex(), 1);
    EXPECT_EQ(window.caption(), "Fiscora -[乙]");
    EXPECT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_EQ(window.holdingRows().size(), 1u);
}

// The tree is filled again from the login states by name: a name given twice in the
// registry is its first account, so both of its items show that account's state.
TEST_F(AccountCommandsTest, ReloadedTreeShowsEachNamesFirstLoginState) {
    seed({test::account("甲", "1"), test::account("乙", "2"), test::account("甲", "3"),
          test::account("丙", "4")});
    open();
    login(1, "2");
    login(0, "1");
    EXPECT_EQ(treeImages(), (std::vector<int>{1, 1, 0, 0}));
    commands().accountTree().reload();
    EXPECT_EQ(treeImages(), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(window.selectedIndex(), -1);
}

TEST_F(AccountCommandsTest, LoginAndCloseDoNothingWhenThereIsNothingToDo) {
    seed({test::account("甲", "1")});
    open();
    OnLogin(commands());
    OnCloseAccount(commands());
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选中一个帐户", "请选中一个帐户"}));
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    messages.shown.clear();

    window.selectTreeItem(0);
    OnCloseAccount(commands());  // not logged in
    login(0, "1");
    OnLogin(commands());  // already logged in: no dialog
    EXPECT_TRUE(runner.done());
    EXPECT_EQ(runner.captions.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccountCommandsTest, ClosingLogsOutButKeepsTheLedgerInMemory) {
    seed({test::account("甲", "1")},
         {{test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)}});
    open();
    login(0, "1");
    ASSERT_EQ(window.holdingRows().size(), 1u);
    window.OnCommand(32773);
    EXPECT_EQ(treeImages(), std::vector<int>{0});
    EXPECT_FALSE(window.workspace().loginStates[0].loggedIn);
    EXPECT_TRUE(window.holdingRows().empty());
    EXPECT_EQ(window.caption(), "Fiscora");
    EXPECT_EQ(window.workspace().ledger.size(), 1u);
    EXPECT_FALSE(window.commands().AccountGuard());
}

class DeleteAccountTest : public AccountCommandsTest {
protected:
    void SetUp() override {
        seed({test::account("甲", "1"), test::account("乙", "2"), test::account("丙", "3")});
        open();
        login(0, "1");
        login(1, "2");
        login(2, "3");
    }
    void deleteSelected(int index) {
        window.selectTreeItem(index);
        messages.shown.clear();
        messages.asked.clear();
        OnDeleteAccount(commands());
    }
};

TEST_F(DeleteAccountTest, OnlyALoggedInAccountCanBeDeleted) {
    window.OnCommand(32773);  // close 丙
    deleteSelected(2);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户还未登录，不能删除"});
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(window.tree().size(), 3u);
}

TEST_F(DeleteAccountTest, AnsweringNoKeepsEverything) {
    messages.answer = false;
    deleteSelected(1);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], "乙的所有资料将被删除，真的要删除吗?|注意");
    EXPECT_EQ(messages.askedIcons[0], MessageIcon::Warning);
    EXPECT_EQ(window.tree().size(), 3u);
    EXPECT_TRUE(test::fileExists(ledgerFile("乙")));
}

TEST_F(DeleteAccountTest, DeletingAnyButTheFirstSelectsTheOneBefore) {
    deleteSelected(1);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"甲", "丙"}));
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_EQ(window.caption(), "Fiscora -[甲]");
    EXPECT_FALSE(test::fileExists(ledgerFile("乙")));
    EXPECT_TRUE(test::fileExists(ledgerFile("甲")));
    const AccountList onDisk = registryOnDisk();
    ASSERT_EQ(onDisk.size(), 2u);
    EXPECT_EQ(fieldText(onDisk[1].name), "丙");
    ASSERT_EQ(window.workspace().loginStates.size(), 2u);
    EXPECT_EQ(window.workspace().loginStates[1].name,
              std::string(fieldBytes(test::account("丙", "").name)));
    EXPECT_TRUE(messages.shown.empty());

    deleteSelected(1);  // the last one
    EXPECT_EQ(treeTexts(), std::vector<std::string>{"甲"});
    EXPECT_EQ(window.selectedIndex(), 0);
}

TEST_F(DeleteAccountTest, DeletingTheFirstSelectsTheOneThatFollowed) {
    window.selectTreeItem(1);
    window.OnCommand(32773);  // 乙 logged out: selecting it clears the list
    deleteSelected(0);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"乙", "丙"}));
    EXPECT_EQ(treeImages(), (std::vector<int>{0, 1}));
    EXPECT_EQ(window.selectedIndex(), 0);
    EXPECT_EQ(window.caption(), "Fiscora");
    EXPECT_TRUE(window.workspace().ledger.empty());
}

TEST_F(DeleteAccountTest, DeletingTheOnlyAccountLeavesAnEmptyWindow) {
    deleteSelected(2);
    deleteSelected(1);
    deleteSelected(0);
    EXPECT_TRUE(window.tree().empty());
    EXPECT_TRUE(window.holdingRows().empty());
    EXPECT_EQ(window.caption(), "Fiscora");
    EXPECT_EQ(test::readBytes(dataDir() + "pinfo.dat").size(), 0u);
    // Beside the registry only the kept versions, the deleted ledgers' among them.
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dataDir()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".fiscora-backups", "pinfo.dat"}));
}

TEST_F(DeleteAccountTest, NothingIsDeletedFromARegistryChangedByAnotherProgram) {
    AccountList onDisk = registryOnDisk();
    onDisk.push_back(test::account("丁", "4"));
    ASSERT_TRUE(saveRegistry(dataDir(), onDisk, scrambler, fileMessages));
    deleteSelected(1);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"文件" + dataDir() +
                                       "pinfo.dat已被其他程序修改,已重新读入,请重新操作"});
    EXPECT_TRUE(test::fileExists(ledgerFile("乙")));
    EXPECT_EQ(registryOnDisk().size(), 4u);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"甲", "乙", "丙", "丁"}));
    EXPECT_EQ(treeImages(), (std::vector<int>{1, 1, 1, 0}));
}

TEST_F(DeleteAccountTest, AMissingLedgerFileDoesNotStopTheDeletion) {
    std::filesystem::remove(ledgerFile("乙"));
    deleteSelected(1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registryOnDisk().size(), 2u);
}

// A runner that types the given values into the new-account dialog, as the command
// line does.
HeadlessRunner typing(const std::string& name, const std::string& capital,
                      const std::string& tradeType) {
    HeadlessRunner runner(dialogFillers());
    runner.enter({{"name", name},
                  {"password", "pw"},
                  {"confirmation", "pw"},
                  {"capital", capital},
                  {"trade-type", tradeType}});
    return runner;
}

TEST_F(AccountCommandsTest, AHeadlessRunnerCreatesAnAccountFromGivenValues) {
    seed({test::account("甲", "1")});
    open();
    HeadlessRunner headless = typing("乙", "2000", "上证B股");
    MainWindowModel cli(messages, headless);
    cli.OnInitDialog();
    cli.OnCommand(32786);
    EXPECT_TRUE(headless.confirmed());
    ASSERT_GE(cli.selectedIndex(), 0);
    EXPECT_EQ(cli.tree()[static_cast<std::size_t>(cli.selectedIndex())].text, "乙");
    ASSERT_EQ(registryOnDisk().size(), 2u);
    EXPECT_EQ(fieldText(registryOnDisk()[1].tradeType), "上证B股");
    EXPECT_EQ(test::readBytes(ledgerFile("乙")).size(), 400u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccountCommandsTest, AHeadlessRunnerEndsAtTheFirstRefusal) {
    seed({test::account("甲", "1")});
    open();
    for (auto [name, capital, tradeType, message] :
         {std::tuple{"甲", "2000", "深沪A股", "已有同样的帐户名存在，请选择其他的帐户名!"},
          std::tuple{"丙", "0", "深沪A股", "投入资金数额不能小于等于零!请重新输入投入资金数额."},
          std::tuple{"丙", "x", "深沪A股", "请输入一个数字。"}}) {
        messages.shown.clear();
        HeadlessRunner headless = typing(name, capital, tradeType);
        MainWindowModel cli(messages, headless);
        cli.OnInitDialog();
        cli.OnCommand(32786);
        EXPECT_FALSE(headless.confirmed());
        EXPECT_EQ(messages.texts(), std::vector<std::string>{message});
        EXPECT_EQ(cli.selectedIndex(), -1);
    }
    messages.shown.clear();
    HeadlessRunner unknownType = typing("丙", "1", "港股");  // no such entry in the list
    MainWindowModel cli(messages, unknownType);
    cli.OnInitDialog();
    cli.OnCommand(32786);
    EXPECT_FALSE(unknownType.confirmed());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registryOnDisk().size(), 1u);
}

TEST_F(AccountCommandsTest, AHeadlessDialogIsShownAgainForEveryEntriesGiven) {
    seed({test::account("甲", "1")});
    open();
    // The name is taken: the dialog comes back and takes the second entries.
    HeadlessRunner headless = typing("甲", "2000", "深沪A股");
    headless.enter({{"name", "乙"}});
    MainWindowModel cli(messages, headless);
    cli.OnInitDialog();
    cli.OnCommand(32786);
    EXPECT_TRUE(headless.confirmed());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"已有同样的帐户名存在，请选择其他的帐户名!"});
    ASSERT_EQ(registryOnDisk().size(), 2u);
    EXPECT_EQ(fieldText(registryOnDisk()[1].name), "乙");
}

}  // namespace
}  // namespace fiscora::ui
