#include <gtest/gtest.h>

#include "engine/dates.h"
#include "support/temp_dir.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/leading_number.h"

namespace fiscora::ui {
namespace {

using test::RecordingMessages;

TEST(CashDialog, OpensWithTheBalanceLineAndKeepsEnterForConfirming) {
    RecordingMessages messages;
    CashDialog d(messages, CashDialog::Mode::Deposit, "张三", "港元", 1500);
    d.OnInitDialog();
    EXPECT_EQ(d.caption(), "追加资金 -[张三]");
    EXPECT_EQ(d.balance.text, "现有资金:1500.000港元");
    EXPECT_EQ(d.amount.text, "0.0");
    EXPECT_EQ(d.tradeDate.date, today());
    EXPECT_EQ(d.tradeDate.latest - d.tradeDate.earliest, 2 * 864000000);
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::NotHandled);
    EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::NotHandled);
}

TEST(CashDialog, TheAmountMustReadBackAboveZeroAndAWithdrawalStayWithinTheCash) {
    RecordingMessages messages;
    CashDialog in(messages, CashDialog::Mode::Deposit, "张三", "元", -50);
    in.OnInitDialog();
    for (const char* text : {"", "abc", "0", "-3", "0.0"}) {
        in.amount.text = text;
        EXPECT_FALSE(in.OnConfirm()) << text;
    }
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "请输入一个数字。", "请输入一个数字。", "资金的数目必须大于零",
                                    "资金的数目必须大于零", "资金的数目必须大于零"}));
    in.amount.text = "1e6";  // a deposit is not limited by the cash
    EXPECT_TRUE(in.OnConfirm());
    EXPECT_DOUBLE_EQ(in.confirmedRecord()->amount, 1e6);

    messages.shown.clear();
    CashDialog negative(messages, CashDialog::Mode::Withdrawal, "张三", "元", -50);
    negative.OnInitDialog();
    negative.amount.text = "1";
    EXPECT_FALSE(negative.OnConfirm());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"没有足够的资金,请减少划出的资金量"});

    // A balance summed from many records may lie a hair below what the line shows.
    CashDialog all(messages, CashDialog::Mode::Withdrawal, "张三", "元", 0.1 + 0.2 + 999.7 - 1e-12);
    all.OnInitDialog();
    EXPECT_EQ(all.balance.text, "现有资金:1000.000元");
    all.amount.text = "1000";
    EXPECT_TRUE(all.OnConfirm());
    all.amount.text = "1000.01";
    EXPECT_FALSE(all.OnConfirm());
}

TEST(CashDialog, TheWholeCashMayGoTypedExactlyOrAsShownButNothingMore) {
    RecordingMessages messages;
    auto withdraws = [&](double cash, const char* typed) {
        CashDialog d(messages, CashDialog::Mode::Withdrawal, "张三", "元", cash);
        d.OnInitDialog();
        d.amount.text = typed;
        return d.OnConfirm();
    };
    EXPECT_TRUE(withdraws(1000.0004, "1000.0004"));  // the box shows 1000.000
    EXPECT_TRUE(withdraws(1000.0004, "1000.000"));
    EXPECT_FALSE(withdraws(1000.0004, "1000.0005"));
    EXPECT_FALSE(withdraws(1000.0004, "1000.001"));
    EXPECT_TRUE(withdraws(999.9996, "1000"));  // shown as 1000.000
    EXPECT_TRUE(withdraws(999.9996, "999.9996"));
    EXPECT_FALSE(withdraws(999.9996, "999.9997"));
    EXPECT_EQ(messages.texts().size(), 3u);
}

TEST(LeadingNumber, CountsOnlyTheNumberAtTheStart) {
    EXPECT_EQ(leadingUnsigned("123abc"), 123u);
    EXPECT_EQ(leadingUnsigned("  +42"), 42u);
    EXPECT_EQ(leadingUnsigned("abc"), 0u);
    EXPECT_EQ(leadingUnsigned("-5"), 0u);
    EXPECT_EQ(leadingUnsigned(""), 0u);
    EXPECT_EQ(leadingUnsigned("99999999999999999999"), 4294967295u);
    EXPECT_DOUBLE_EQ(leadingNumber("10.5元"), 10.5);
    EXPECT_DOUBLE_EQ(leadingNumber(" -2.5"), -2.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1e2x"), 100);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    for (const char* none : {"", "x1", "+-1", "inf", "nan", "1e999"})
        EXPECT_DOUBLE_EQ(leadingNumber(none), 0) << none;
}

}  // namespace
}  // namespace fiscora::ui
