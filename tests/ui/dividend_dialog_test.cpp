#include "ui/trade/dividend_dialog.h"

#include "held_stock_fixture.h"

namespace fiscora::test {
namespace {

using ui::DividendDialog;

class DividendDialogTest : public HeldStockDialogTest<DividendDialog> {
protected:
    DividendDialog& open(const std::string& unit = "元") {
        return show(std::make_unique<DividendDialog>(messages, "张三", unit, workspace.ledger));
    }
};

TEST_F(DividendDialogTest, OpensOnTheFirstHeldCodeInItsMarket) {
    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10.0, 30),
                        stockRecord(RecordType::Buy, 20240103, "000001", 300, 9.0, 12, 0),
                        stockRecord(RecordType::Buy, 20240104, "600036", 500, 9.0, 12, 0)};
    DividendDialog& d = open();
    EXPECT_EQ(d.caption(), "股票分红 -[张三]");
    EXPECT_EQ(d.tradeDate.label, "分红日期");
    EXPECT_EQ(d.market.label, "交易市场");
    EXPECT_EQ(d.rate.note, "元/每股");
    EXPECT_EQ(d.code.items, (std::vector<std::string>{"000001", "600036"}));
    EXPECT_EQ(d.code.selectedText(), "000001");
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_FALSE(d.market.enabled);
    EXPECT_EQ(d.nameLabel.text, "平安银行");
    EXPECT_EQ(d.held.text, "300");
    EXPECT_EQ(d.rate.text, "0");
    EXPECT_EQ(d.due.text, "0");
    EXPECT_EQ(d.tradeDate.date, today());
    EXPECT_EQ(d.focused(), &d.tradeDate);
    EXPECT_EQ(d.tabOrder(),
              (std::vector<ui::Field*>{&d.tradeDate, &d.market, &d.code, &d.rate, &d.remark}));

    // 600036 is listed once although held in both markets; its digits say 上海.
    pick(d.code, "600036");
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.held.text, "1000");
    EXPECT_EQ(d.nameLabel.text, "招商银行");
    EXPECT_EQ(d.focused(), &d.code);
}

TEST_F(DividendDialogTest, DueIsHeldTimesRateAndTheRecordKeepsFullPrecision) {
    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10.0, 30)};
    DividendDialog& d = open();
    type(d.rate, "0.125");
    EXPECT_EQ(d.due.text, "125.000");
    type(d.rate, "0");  // a rate of 0 leaves the figure alone
    EXPECT_EQ(d.due.text, "125.000");
    type(d.rate, "0.125");
    type(d.remark, "2023年度分红");
    ASSERT_TRUE(d.OnConfirm());
    expectBooked(zeroed(RecordType::Dividend, 1, "600036", 1000, 0.125, 0, 125, "2023年度分红"));

    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 1234, 10.0, 30)};
    DividendDialog& again = open();
    type(again.rate, "0.0123");
    EXPECT_EQ(again.due.text, "15.178");
    ASSERT_TRUE(again.OnConfirm());
    EXPECT_DOUBLE_EQ(again.confirmedRecord()->amount, 1234 * 0.0123);
}

TEST_F(DividendDialogTest, RefusalsLeaveTheDialogOpen) {
    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10.0, 30)};
    DividendDialog& d = open();
    EXPECT_FALSE(d.OnConfirm());  // the rate is still 0
    type(d.rate, "-0.5");
    EXPECT_FALSE(d.OnConfirm());
    type(d.rate, "0.1x");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"每股分红金额不能小于零", "每股分红金额不能小于零",
                                        "请输入一个数字。"}));
    EXPECT_EQ(d.focused(), &d.rate);
    EXPECT_FALSE(d.confirmedRecord());
}

TEST_F(DividendDialogTest, WithoutHoldingsConfirmingBooksNothing) {
    workspace.ledger = {cashRecord(RecordType::CashIn, 20240101, 5000)};
    DividendDialog& d = open("美元");
    EXPECT_TRUE(d.code.items.empty());
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.rate.note, "美元/每股");
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_FALSE(d.confirmedRecord());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DividendDialogTest, ACodeOfEitherMarketCountsOnlyThePositionInTheChosenMarket) {
    workspace.ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 700, 10.0, 30),
                        stockRecord(RecordType::Buy, 20240103, "100001", 40, 100.0, 10, 1)};
    DividendDialog& d = open();
    ASSERT_EQ(d.code.selectedText(), "100001");
    EXPECT_TRUE(d.market.enabled);
    // The account starts on 深圳, where it holds none: 0, not 600036's 700.
    EXPECT_EQ(d.held.text, "0");
    EXPECT_EQ(d.nameLabel.text, "深转债");
    pick(d.market, "上海");
    EXPECT_EQ(d.held.text, "40");
    EXPECT_EQ(d.nameLabel.text, "沪转债");
    type(d.rate, "1.5");
    EXPECT_EQ(d.due.text, "60.000");
    ASSERT_TRUE(d.OnConfirm());
    expectBooked(zeroed(RecordType::Dividend, 1, "100001", 40, 1.5, 0, 60, ""));
}

}  // namespace
}  // namespace fiscora::test
