#include "ui/account/new_account_dialog.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "ui/account/password_dialog.h"

namespace fiscora::ui {
namespace {

class NewAccountDialogTest : public ::testing::Test {
protected:
    NewAccountDialogTest() {
        dialog.OnInitDialog();
        dialog.name.text = "张三";
        dialog.password.text = "pw";
        dialog.confirmation.text = "pw";
        dialog.capital.text = "10000";
    }

    // The single message of a refused confirmation, which must be an error.
    std::string refusal() {
        EXPECT_FALSE(dialog.OnConfirm());
        EXPECT_EQ(messages.shown.size(), 1u);
        if (messages.shown.empty()) return {};
        EXPECT_EQ(messages.shown[0].caption, "错误");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
        return messages.shown[0].text;
    }

    test::RecordingMessages messages;
    NewAccountDialog dialog{messages};
};

TEST(NewAccountDialog, OpensEmptyWithCapitalZeroAndAShares) {
    test::RecordingMessages messages;
    NewAccountDialog dialog(messages);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.caption(), "新建帐户");
    EXPECT_EQ(dialog.focused(), &dialog.name);
    EXPECT_EQ(dialog.capital.text, "0");
    EXPECT_EQ(dialog.capital.maxChars, 19u);
    EXPECT_EQ(dialog.tradeType.items, (std::vector<std::string>{"深沪A股", "深证B股", "上证B股"}));
    EXPECT_EQ(dialog.tradeType.selectedText(), "深沪A股");
    EXPECT_TRUE(dialog.password.masked && dialog.confirmation.masked);
    EXPECT_TRUE(dialog.remark.multiLine);
    EXPECT_EQ(dialog.name.maxGbkBytes, 20u);
    EXPECT_EQ(dialog.remark.maxGbkBytes, 100u);
    // Confirming it as it opened: the name is the first thing missing.
    EXPECT_FALSE(dialog.OnConfirm());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"帐户名不能为空!请重新输入帐户名."});
}

TEST_F(NewAccountDialogTest, AcceptsCompleteEntries) {
    dialog.capital.text = " 2500.75 ";
    dialog.tradeType.selected = 2;
    dialog.remark.text = "养老";
    EXPECT_TRUE(dialog.OnConfirm());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_DOUBLE_EQ(dialog.initialCapital(), 2500.75);
    EXPECT_EQ(dialog.tradeType.selectedText(), "上证B股");
}

TEST_F(NewAccountDialogTest, ACapitalThatDoesNotParseComesFirst) {
    dialog.name.text.clear();
    dialog.capital.text = "abc";
    EXPECT_FALSE(dialog.OnConfirm());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请输入一个数字。");
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");
    EXPECT_EQ(dialog.focused(), &dialog.capital);
    EXPECT_EQ(dialog.capital.text, "abc");
}

TEST_F(NewAccountDialogTest, EmptyNameBeforePasswordMismatch) {
    dialog.name.text.clear();
    dialog.confirmation.text = "other";
    EXPECT_EQ(refusal(), "帐户名不能为空!请重新输入帐户名.");
}

TEST_F(NewAccountDialogTest, MismatchBeforeEmptyPasswordAndCapital) {
    dialog.password.text.clear();
    dialog.capital.text = "0";
    EXPECT_EQ(refusal(), "两次输入的密码不一样!请重新输入密码.");
    EXPECT_EQ(dialog.confirmation.text, "pw");
}

TEST_F(NewAccountDialogTest, PasswordsCompareExactly) {
    dialog.confirmation.text = "PW";
    EXPECT_EQ(refusal(), "两次输入的密码不一样!请重新输入密码.");
}

TEST_F(NewAccountDialogTest, EqualButEmptyPasswordsGetTheEmptyPasswordMessage) {
    dialog.password.text.clear();
    dialog.confirmation.text.clear();
    dialog.capital.text = "-5";
    EXPECT_EQ(refusal(), "密码不能为空!请重新输入密码.");
}

TEST_F(NewAccountDialogTest, CapitalMustBeAboveZero) {
    for (const char* capital : {"0", "-1", "0.0"}) {
        messages.shown.clear();
        dialog.capital.text = capital;
        EXPECT_EQ(refusal(), "投入资金数额不能小于等于零!请重新输入投入资金数额.") << capital;
    }
}

TEST_F(NewAccountDialogTest, TextsThatCannotBeStoredAreRefusedLast) {
    dialog.name.text = "一二三四五六七八九十甲";  // 22 GBK bytes
    dialog.capital.text = "0";
    EXPECT_EQ(refusal(), "投入资金数额不能小于等于零!请重新输入投入资金数额.");
    messages.shown.clear();
    dialog.capital.text = "1";
    EXPECT_EQ(refusal(), "帐户名称太长,最多20个字节(一个汉字占两个字节)");
    EXPECT_EQ(dialog.focused(), &dialog.name);

    messages.shown.clear();
    dialog.name.text = "一二三四五六七八九十";  // exactly 20 bytes
    dialog.remark.text = std::string(101, 'x');
    EXPECT_EQ(refusal(), "备注太长,最多100个字节(一个汉字占两个字节)");
    EXPECT_EQ(dialog.focused(), &dialog.remark);

    messages.shown.clear();
    dialog.remark.text = std::string(100, 'x');
    dialog.password.text = dialog.confirmation.text = "p\xF0\x9F\x98\x80";
    EXPECT_EQ(refusal(), "帐户密码中含有不能保存的字符");
}

TEST_F(NewAccountDialogTest, ANameThatCannotBeAFileNameIsRefused) {
    for (const char* name : {"a/b", ".", ".."}) {
        messages.shown.clear();
        dialog.name.text = name;
        EXPECT_EQ(refusal(),
                  "帐户名称\"" + std::string(name) + "\"不能用作文件名,请不要使用\"/\"或只用\".\"");
    }
    messages.shown.clear();
    dialog.name.text = "..a";
    EXPECT_TRUE(dialog.OnConfirm());
}

TEST_F(NewAccountDialogTest, EnterWalksTheFieldsAndConfirmsFromTheRemark) {
    ASSERT_EQ(dialog.focused(), &dialog.name);
    const std::vector<const Field*> order{&dialog.password, &dialog.confirmation, &dialog.capital,
                                          &dialog.tradeType, &dialog.remark};
    for (const Field* next : order) {
        EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::Moved);
        EXPECT_EQ(dialog.focused(), next);
        EXPECT_TRUE(dialog.textSelected());
    }
    EXPECT_EQ(dialog.onKey(NavKey::Down), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(dialog.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(dialog.focused(), &dialog.tradeType);
    EXPECT_EQ(dialog.tradeType.selected, 0);
}

TEST(PasswordDialog, NamesTheAccountAndKeepsEnterForTheDefaultButton) {
    test::RecordingMessages messages;
    PasswordDialog dialog(messages, "张三");
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.caption(), "请输入帐户张三的密码");
    EXPECT_EQ(dialog.focused(), &dialog.password);
    EXPECT_TRUE(dialog.password.masked);
    EXPECT_EQ(dialog.password.maxGbkBytes, 20u);
    EXPECT_EQ(dialog.onKey(NavKey::Enter), KeyOutcome::NotHandled);
    dialog.password.text = "typed";
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.password.text, "typed");
    EXPECT_TRUE(dialog.OnConfirm());
}

}  // namespace
}  // namespace fiscora::ui
