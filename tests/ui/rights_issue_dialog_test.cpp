#include "ui/trade/rights_issue_dialog.h"

#include "held_stock_fixture.h"
#include "support/packed_field.h"

namespace fiscora::test {
namespace {

using ui::RightsIssueDialog;

class RightsIssueDialogTest : public HeldStockDialogTest<RightsIssueDialog> {
protected:
    RightsIssueDialog& open(double cash = 1000.0, const std::string& unit = "元") {
        return show(std::make_unique<RightsIssueDialog>(messages, "张三", unit, cash,
                                                        workspace.ledger, workspace.tradeParams));
    }
    void hold(std::int32_t shares) {
        workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", shares, 10.0, 30)};
    }
};

TEST_F(RightsIssueDialogTest, OpensWithTheMaximumOfTenForOne) {
    hold(1000);
    RightsIssueDialog& d = open();
    EXPECT_EQ(d.caption(), "配股 -[张三]");
    EXPECT_EQ(d.tradeDate.label, "配股日期");
    EXPECT_EQ(d.market.label, "市场类型");
    EXPECT_EQ(d.per.label + "N" + d.per.note + "M" + d.grant.note, "配股方案：每N股配M股");
    EXPECT_EQ(d.held.text, "1000");
    EXPECT_EQ(d.maximum.text, "100");
    EXPECT_EQ(d.cash.text, "1000.000");
    for (const ui::TextField* box : {&d.quantity, &d.price, &d.commission, &d.expense})
        EXPECT_EQ(box->text, "0");
    EXPECT_EQ(d.tabOrder(), (std::vector<ui::Field*>{&d.tradeDate, &d.market, &d.code, &d.per,
                                                     &d.grant, &d.quantity, &d.price, &d.remark}));
    type(d.grant, "3");
    EXPECT_EQ(d.maximum.text, "300");
}

TEST_F(RightsIssueDialogTest, FeesCountAgainstTheCash) {
    hold(1000);
    RightsIssueDialog& d = open(1000.0);
    type(d.quantity, "100");
    type(d.price, "10.00");
    EXPECT_EQ(d.commission.text, "12.000");
    EXPECT_EQ(d.expense.text, "1012.000");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"支出超过了现金数目，请减小配股数量"}));
    type(d.price, "9.00");
    EXPECT_EQ(d.commission.text, "11.800");
    EXPECT_EQ(d.expense.text, "911.800");
    type(d.remark, "10配1");
    ASSERT_TRUE(d.OnConfirm());
    expectBooked(zeroed(RecordType::RightsIssue, 1, "600036", 100, 9.0, 11.8, 911.8, "10配1"));
}

TEST_F(RightsIssueDialogTest, ChecksComeInOrder) {
    hold(1000);
    RightsIssueDialog& d = open(100000.0);
    type(d.quantity, "101");
    EXPECT_FALSE(d.OnConfirm());  // over the maximum, before the price of 0
    EXPECT_EQ(d.focused(), &d.quantity);
    type(d.quantity, "0");
    EXPECT_FALSE(d.OnConfirm());  // the price before the quantity
    EXPECT_EQ(d.focused(), &d.price);
    type(d.price, "5");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(d.focused(), &d.quantity);
    type(d.per, "0");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(d.focused(), &d.per);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "配股数量超过了最大可配股数，请重填数据",
                                    "价格不能小于等于零，请重填价格",
                                    "实际配股数要大于零，请重新填写数据",
                                    "配股方案填写有误，请重新填写数据",
                                }));
    EXPECT_FALSE(d.confirmedRecord());
}

TEST_F(RightsIssueDialogTest, AMaximumBeyondThirtyTwoBitsIsShownWhole) {
    hold(2000000000);
    RightsIssueDialog& d = open(1e12);
    type(d.grant, "30");
    EXPECT_EQ(d.maximum.text, "6000000000");
    type(d.quantity, "2147483647");
    type(d.price, "1");
    ASSERT_TRUE(d.OnConfirm());
    EXPECT_EQ(test::unpacked(dialog->confirmedRecord()->quantity), 2147483647);
}

TEST_F(RightsIssueDialogTest, WithoutHoldingsConfirmingBooksNothing) {
    RightsIssueDialog& d = open();
    EXPECT_TRUE(d.code.items.empty());
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_FALSE(d.confirmedRecord());
}

}  // namespace
}  // namespace fiscora::test
