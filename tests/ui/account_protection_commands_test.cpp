#include <gtest/gtest.h>

#include "ui/account/change_password_dialog.h"
#include "ui/main/command_ids.h"
#include "ui/trade/cash_dialog.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::WindowTest;

// 修改密码 with its switch of 加强保护 set as `protect`, the password kept.
std::function<bool(ChangePasswordDialog&)> switchProtection(bool protect,
                                                            std::vector<std::string>* warnings) {
    return [=](ChangePasswordDialog& d) {
        d.typeText(d.oldPassword, "secret");
        d.typeText(d.newPassword, "secret");
        d.typeText(d.confirmation, "secret");
        d.setChecked(d.protection, protect);
        warnings->push_back(d.warning.text);
        return true;
    };
}

class AccountProtectionCommandsTest : public WindowTest {
protected:
    void SetUp() override {
        seed({test::account("张三", "secret"), test::account("李四", "pw")},
             {{test::cashRecord(RecordType::CashIn, 20240101, 10000),
               test::cashRecord(RecordType::CashOut, 20240105, 2000)}});
        open();
        window.selectTreeItem(0);
        messages.shown.clear();
    }
    std::vector<std::string> warnings;
};

TEST_F(AccountProtectionCommandsTest, TheSwitchProtectsTheLoggedInAccountAndTurnsItOffAgain) {
    const Bytes plain = test::readBytes(ledgerFile("张三"));
    login(0, "secret");
    runner.then<ChangePasswordDialog>(switchProtection(true, &warnings));
    window.OnCommand(command::kChangePassword);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
    EXPECT_TRUE(isProtected(registryOnDisk()[0]));
    EXPECT_NE(warnings.back().find("原Windows程序不能再打开此帐户"), std::string::npos);
    // Still logged in, its records read from the protected file.
    EXPECT_EQ(treeImages()[0], kLoggedInImage);
    EXPECT_EQ(window.workspace().ledger.size(), 2u);

    window.OnCommand(command::kCloseAccount);
    login(0, "wrong");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"密码错误"});
    EXPECT_EQ(treeImages()[0], kLoggedOutImage);
    messages.shown.clear();
    login(0, "secret");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.workspace().ledger.size(), 2u);

    runner.then<ChangePasswordDialog>([&](ChangePasswordDialog& d) {
        EXPECT_TRUE(d.protection.checked) << "the switch opens as the account has it";
        return switchProtection(false, &warnings)(d);
    });
    window.OnCommand(command::kChangePassword);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
    EXPECT_EQ(fieldText(registryOnDisk()[0].password), "secret");
    EXPECT_EQ(test::readBytes(ledgerFile("张三")), plain);
    EXPECT_NE(warnings.back().find("得到文件的人都能读取"), std::string::npos);
}

// Protecting keeps no readable version, so the bookings before it cannot be undone: 撤销 says
// there is nothing to undo rather than blaming another program.
TEST_F(AccountProtectionCommandsTest, NothingBeforeTurningProtectionOnIsLeftToUndo) {
    login(0, "secret");
    runner.then<CashDialog>([](CashDialog& d) {
        d.amount.text = "300";
        return true;
    });
    window.OnCommand(command::kCashIn);
    runner.then<ChangePasswordDialog>(switchProtection(true, &warnings));
    window.OnCommand(command::kChangePassword);
    messages.shown.clear();
    const Bytes protectedBytes = test::readBytes(ledgerFile("张三"));
    window.OnCommand(command::kUndo);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户张三没有可以撤销的修改"});
    EXPECT_EQ(test::readBytes(ledgerFile("张三")), protectedBytes);
}

// A booking on a protected account writes its last chunk over in place; 撤销 still brings
// back each earlier file byte for byte, the latest change first.
TEST_F(AccountProtectionCommandsTest, UndoAfterProtectedBookingsRestoresEachFileByteForByte) {
    login(0, "secret");
    runner.then<ChangePasswordDialog>(switchProtection(true, &warnings));
    window.OnCommand(command::kChangePassword);
    std::vector<Bytes> states = {test::readBytes(ledgerFile("张三"))};
    for (const char* amount : {"300", "400"}) {
        runner.then<CashDialog>([=](CashDialog& d) {
            d.amount.text = amount;
            return true;
        });
        window.OnCommand(command::kCashIn);
        states.push_back(test::readBytes(ledgerFile("张三")));
    }
    messages.shown.clear();
    for (std::size_t undone = 1; undone <= 2; ++undone) {
        window.OnCommand(command::kUndo);
        EXPECT_EQ(test::readBytes(ledgerFile("张三")), states[states.size() - 1 - undone]);
        EXPECT_EQ(window.workspace().ledger.size(), 4u - undone);
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
}

TEST_F(AccountProtectionCommandsTest, ATamperedProtectedLedgerIsRefusedAtLogin) {
    login(0, "secret");
    runner.then<ChangePasswordDialog>(switchProtection(true, &warnings));
    window.OnCommand(command::kChangePassword);
    window.OnCommand(command::kCloseAccount);
    Bytes bytes = test::readBytes(ledgerFile("张三"));
    bytes[bytes.size() - 1] ^= 0x01;
    test::writeBytes(ledgerFile("张三"), bytes);
    messages.shown.clear();
    login(0, "secret");
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"记录张三个人资料的文件已经被非法篡改，不能读取资料"});
    EXPECT_TRUE(window.workspace().ledger.empty());
    EXPECT_EQ(test::readBytes(ledgerFile("张三")), bytes);
}

}  // namespace
}  // namespace fiscora::ui
