#include <gtest/gtest.h>

#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/rename_account_dialog.h"
#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::WindowTest;

std::function<bool(RenameAccountDialog&)> rename(std::string name, std::string password) {
    return [=](RenameAccountDialog& d) {
        d.typeText(d.newName, name);
        d.typeText(d.password, password);
        return true;
    };
}

std::function<bool(ChangePasswordDialog&)> repassword(std::string old, std::string fresh,
                                                      std::string again) {
    return [=](ChangePasswordDialog& d) {
        d.typeText(d.oldPassword, old);
        d.typeText(d.newPassword, fresh);
        d.typeText(d.confirmation, again);
        return true;
    };
}

class AccountIdentityCommandsTest : public WindowTest {
protected:
    void SetUp() override {
        seed({test::account("张三", "secret"), test::account("李四", "pw")},
             {{test::cashRecord(RecordType::CashIn, 20240101, 10000),
               test::cashRecord(RecordType::CashOut, 20240105, 2000)}});
        open();
        window.selectTreeItem(0);
        messages.shown.clear();
    }
    Ledger loadAs(const std::string& name, const std::string& password) {
        Ledger out;
        loadLedger(store(), test::account(name, password), out);
        return out;
    }
};

TEST_F(AccountIdentityCommandsTest, RenameKeepsThePlaceTheLoginAndTheRecords) {
    login(0, "secret");
    runner.then<RenameAccountDialog>(rename("张三丰", "secret"));
    window.OnCommand(command::kRenameAccount);

    EXPECT_EQ(runner.captions.back(), "修改帐号 -[张三]");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"张三丰", "李四"}));
    EXPECT_EQ(treeImages()[0], kLoggedInImage);
    EXPECT_EQ(fieldText(registryOnDisk()[0].name), "张三丰");
    EXPECT_FALSE(test::fileExists(ledgerFile("张三")));
    EXPECT_EQ(loadAs("张三丰", "secret").size(), 2u);
    // The main window's title stays as it was.
    EXPECT_EQ(window.caption(), "Fiscora -[张三]");
}

TEST_F(AccountIdentityCommandsTest, RenameShowsTheDialogAgainUntilNameAndPasswordAreRight) {
    runner.then<RenameAccountDialog>(rename("", "secret"));        // refused in the dialog
    runner.then<RenameAccountDialog>(rename("张三", "secret"));    // its own name
    runner.then<RenameAccountDialog>(rename("王五", "wrong"));     // wrong password
    runner.then<RenameAccountDialog>([](RenameAccountDialog& d) {  // entries kept
        EXPECT_EQ(d.newName.text, "王五");
        EXPECT_EQ(d.focused(), &d.password);  // the box to correct
        d.typeText(d.password, "secret");
        return true;
    });
    window.OnCommand(command::kRenameAccount);

    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{"新用户名不能为空!", "已有同样的帐户名存在，请选择其他的帐户名!",
                                  "密码错误，注意是否按下了Caps Lock键"}));
    EXPECT_EQ(runner.captions.size(), 3u);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"王五", "李四"}));
}

TEST_F(AccountIdentityCommandsTest, CancelledRenameChangesNothing) {
    const Bytes registry = test::readBytes(dataDir() + "pinfo.dat");
    runner.then<RenameAccountDialog>(rename("王五", "wrong"));
    runner.thenCancel();
    window.OnCommand(command::kRenameAccount);
    EXPECT_EQ(test::readBytes(dataDir() + "pinfo.dat"), registry);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"张三", "李四"}));
}

TEST_F(AccountIdentityCommandsTest, RenameOntoAnExistingFileIsRefusedAndNothingDisagrees) {
    test::writeBytes(ledgerFile("王五"), {7});
    runner.then<RenameAccountDialog>(rename("王五", "secret"));
    window.OnCommand(command::kRenameAccount);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"张三", "李四"}));
    EXPECT_EQ(fieldText(registryOnDisk()[0].name), "张三");
    EXPECT_EQ(test::readBytes(ledgerFile("王五")), Bytes{7});
}

// Another program changed the registry while the window was open: renaming or a new
// password reads it again instead of writing the window's older list over it.
TEST_F(AccountIdentityCommandsTest, ARegistryChangedByAnotherProgramIsReadAgainNotOverwritten) {
    const std::vector<AccountInfo> theirs{test::account("张三", "secret"),
                                          test::account("李四", "pw"), test::account("赵六", "z")};
    ASSERT_TRUE(saveRegistry(dataDir(), theirs, scrambler, fileMessages));
    runner.then<RenameAccountDialog>(rename("王五", "secret"));
    window.OnCommand(command::kRenameAccount);
    const std::string reread =
        "文件" + dataDir() + "pinfo.dat已被其他程序修改,已重新读入,请重新操作";
    EXPECT_EQ(messages.texts(), std::vector<std::string>{reread});
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"张三", "李四", "赵六"}));
    EXPECT_TRUE(test::fileExists(ledgerFile("张三")));

    ASSERT_TRUE(saveRegistry(dataDir(), {theirs[0], theirs[1]}, scrambler, fileMessages));
    messages.shown.clear();
    window.selectTreeItem(0);
    runner.then<ChangePasswordDialog>(repassword("secret", "new", "new"));
    window.OnCommand(command::kChangePassword);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{reread});
    EXPECT_EQ(loadAs("张三", "secret").size(), 2u);
    EXPECT_EQ(registryOnDisk().size(), 2u);
}

TEST_F(AccountIdentityCommandsTest, NewPasswordOpensTheSameRecords) {
    runner.then<ChangePasswordDialog>(repassword("secret", "", ""));
    runner.then<ChangePasswordDialog>(repassword("secret", "n3w", "n3x"));
    runner.then<ChangePasswordDialog>(repassword("wrong", "n3w", "n3w"));
    runner.then<ChangePasswordDialog>([](ChangePasswordDialog& d) {
        EXPECT_EQ(d.focused(), &d.oldPassword);
        return repassword("secret", "n3w", "n3w")(d);
    });
    window.OnCommand(command::kChangePassword);

    EXPECT_EQ(runner.captions.front(), "修改密码 -[张三]");
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"新密码不能为空!请重新输入密码.",
                                                          "两次输入的密码不一样!请重新输入密码.",
                                                          "密码错误，注意是否按下了Caps Lock键"}));
    EXPECT_EQ(fieldText(registryOnDisk()[0].password), "n3w");
    EXPECT_EQ(loadAs("张三", "n3w").size(), 2u);

    // The next login takes the new password.
    messages.shown.clear();
    login(0, "n3w");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(treeImages()[0], kLoggedInImage);
}

TEST_F(AccountIdentityCommandsTest, WithoutASelectionNothingOpens) {
    window.selectTreeItem(-1);
    messages.shown.clear();
    window.OnCommand(command::kRenameAccount);
    window.OnCommand(command::kChangePassword);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选中一个帐户", "请选中一个帐户"}));
    EXPECT_TRUE(runner.captions.empty());
}

TEST_F(AccountIdentityCommandsTest, PropertiesShowTheFiguresOfTheLoggedInAccount) {
    window.OnCommand(command::kAccountProperties);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户还未登录，不能进行操作"});

    login(0, "secret");
    std::vector<std::string> shown;
    runner.then<AccountPropertiesDialog>([&shown](AccountPropertiesDialog& d) {
        for (const LabelField& f : d.figures) shown.push_back(f.label + f.text);
        return true;
    });
    window.OnTreeDoubleClick();
    EXPECT_EQ(runner.captions.back(), "帐户属性 -[张三]");
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "帐户名称：张三", "交易类型：深沪A股", "投入资金总数：8000.000元",
                         "投资成本：0.000", "市值：0.000", "资金余额：8000.000元",
                         "总资产：8000.000", "持股品种：0种", "成交净赢利：0.000",
                         "成交赢利率：0.000%", "现净赢利：0.000", "现赢利率：0.000%"}));
}

}  // namespace
}  // namespace fiscora::ui
