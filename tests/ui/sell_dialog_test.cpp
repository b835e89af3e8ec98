#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "engine/dates.h"
#include "engine/workspace.h"
#include "host/module_state.h"
#include "output/holding_rows.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::ui {
namespace {

using test::FakeQuotes;
using test::RecordingMessages;
using test::stockRecord;

std::int32_t dayOffset(int days) {
    return dateFromTime(std::time(nullptr) + days * 86400);
}

class SellDialogTest : public ::testing::Test {
protected:
    SellDialogTest() {
        setStandardDefaultTradeParams();
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 12.0f, 11.5f);
        quotes.add("000001", 0, *utf8ToGbk("平安银行"), 9.0f, 9.1f);
    }

    // The dialog over the account's ledger and its positions, opened.
    SellDialog& open(const std::string& unit = "元") {
        workspace.recomputeHoldings();
        dialog = std::make_unique<SellDialog>(messages, "张三", unit, workspace);
        dialog->OnInitDialog();
        return *dialog;
    }
    void type(TextField& box, const std::string& text) { dialog->typeText(box, text); }
    void pickDate(std::int32_t date) { dialog->pickDate(dialog->tradeDate, date); }

    FakeQuotes quotes;
    RecordingMessages messages;
    Workspace workspace{messages};
    std::unique_ptr<SellDialog> dialog;
};

TEST_F(SellDialogTest, OpensOnTheFirstCodeWithItsHoldingAndTheSharesSellableToday) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-3), "600036", 1000, 10.0, 30),
                        stockRecord(RecordType::Buy, dayOffset(-2), "000001", 300, 9.0, 12, 0),
                        stockRecord(RecordType::Buy, today(), "000001", 200, 9.5, 12, 0)};
    SellDialog& d = open();
    EXPECT_EQ(d.caption(), "卖出股票 -[张三]");
    EXPECT_EQ(d.code.items, (std::vector<std::string>{"000001", "600036"}));  // sorted
    EXPECT_EQ(d.code.selectedText(), "000001");
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_FALSE(d.market.enabled);
    EXPECT_EQ(d.nameLabel.text, "平安银行");
    EXPECT_EQ(d.held.text, "500");
    EXPECT_EQ(d.sellable.text, "300");          // today's purchase is not yet for sale
    EXPECT_EQ(d.breakEvenPrice.text, "9.299");  // 500 x p = 4624 + fee(p, 500)
    EXPECT_EQ(d.sellQuantity.text, "0");
    EXPECT_EQ(d.price.text, "0");
    EXPECT_EQ(d.commission.text, "0");
    EXPECT_EQ(d.totalIncome.text, "0");
    EXPECT_EQ(d.floatingProfit.text, "0");
    EXPECT_EQ(d.tradeDate.date, today());
    EXPECT_EQ(d.focused(), &d.tradeDate);
    EXPECT_EQ(d.holdings().size(), 2u);
    EXPECT_EQ(d.tabOrder(), (std::vector<Field*>{&d.tradeDate, &d.code, &d.market, &d.sellQuantity,
                                                 &d.price, &d.remark, &d.floatingProfit}));
}

TEST_F(SellDialogTest, TheSaleShowsFeeIncomeAndProfitAgainstTheAveragePrice) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 1000, 10.0, 30)};
    SellDialog& d = open();
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_EQ(d.focused(), &d.tradeDate);
    type(d.sellQuantity, "500");
    type(d.price, "12.00");
    EXPECT_EQ(d.commission.text, "33.000");  // commission 21 + stamp duty 12
    EXPECT_EQ(d.totalIncome.text, "5967.000");
    EXPECT_EQ(d.floatingProfit.text, "952.000");  // 5967 - 500 x 10.03

    // A price of 0 or an empty quantity leaves the figures as they were.
    type(d.price, "0");
    EXPECT_EQ(d.commission.text, "33.000");
    d.sellQuantity.text.clear();
    type(d.price, "11");
    EXPECT_EQ(d.totalIncome.text, "5967.000");
    type(d.sellQuantity, "abc");
    EXPECT_EQ(d.totalIncome.text, "5967.000");
}

// Half the first purchase sold, then more bought: the break-even price spreads what was paid
// over every share owned, as the holdings list does, not over the shares still held.
TEST_F(SellDialogTest, TheBreakEvenPriceIsTheHoldingsLists) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-395), "600036", 2000, 30.85, 61.7),
                        stockRecord(RecordType::Sell, dayOffset(-95), "600036", 1000, 36.12, 72.24),
                        stockRecord(RecordType::Buy, dayOffset(-12), "600036", 500, 34.80, 17.4)};
    SellDialog& d = open();
    const auto rows = holdingRows(workspace, computeHoldings(workspace.ledger, 0, -1));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(d.held.text, "1500");
    EXPECT_EQ(d.breakEvenPrice.text, rows[0].cells[8]);
    EXPECT_EQ(d.breakEvenPrice.text, "31.847");  // 79179.1 paid over 2500 shares, fee included
}

// A position beyond what a record holds (a file written elsewhere) can still be sold down.
TEST_F(SellDialogTest, AHoldingBeyondThirtyTwoBitsIsShownAndSoldFrom) {
    const LedgerRecord lot =
        stockRecord(RecordType::Buy, dayOffset(-5), "600036", 2000000000, 0.01, 30);
    workspace.ledger = {lot, lot, lot};
    SellDialog& d = open();
    EXPECT_EQ(d.held.text, "6000000000");
    EXPECT_EQ(d.sellable.text, "6000000000");
    type(d.sellQuantity, "1000");
    type(d.price, "0.02");
    ASSERT_TRUE(d.OnConfirm()) << (messages.texts().empty() ? "" : messages.texts().back());
    EXPECT_EQ(test::unpacked(d.confirmedRecord()->quantity), 1000);
}

TEST_F(SellDialogTest, SellableSharesAreThoseBoughtBeforeLessThoseSoldUpToTheTradeDate) {
    workspace.ledger = {stockRecord(RecordType::Buy, today(), "600036", 1000, 10.0, 30),
                        stockRecord(RecordType::Buy, dayOffset(-1), "600036", 100, 10.0, 10),
                        stockRecord(RecordType::Sell, today(), "600036", 50, 11.0, 10)};
    SellDialog& d = open();
    EXPECT_EQ(d.held.text, "1050");
    // Yesterday's purchase less today's sale; today's purchase is for sale tomorrow.
    EXPECT_EQ(d.sellable.text, "50");
    type(d.price, "12");
    type(d.sellQuantity, "51");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"卖出数量超过了今天可出售股票数，请重新填写卖出数量"});

    pickDate(dayOffset(1));
    EXPECT_EQ(d.sellable.text, "1050");
    EXPECT_EQ(d.focused(), &d.sellQuantity);  // the code's market decided the market box
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_TRUE(d.confirmedRecord());

    pickDate(dayOffset(-1));
    EXPECT_EQ(d.sellable.text, "0");
    EXPECT_TRUE(d.sellableHoldings().empty());
}

TEST_F(SellDialogTest, NoSaleTakesAPositionBelowZero) {
    // 1500 held, 500 sold today: a second sale of 1500 on the same day is an oversell.
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-3), "600036", 1500, 10.0, 30),
                        stockRecord(RecordType::Sell, today(), "600036", 500, 11.0, 10)};
    SellDialog& d = open();
    EXPECT_EQ(d.sellable.text, "1000");
    type(d.price, "12");
    type(d.sellQuantity, "1500");
    EXPECT_FALSE(d.OnConfirm());
    type(d.sellQuantity, "1000");
    EXPECT_TRUE(d.OnConfirm());

    // A sale already booked for a later day has used the shares too.
    workspace.ledger.push_back(stockRecord(RecordType::Sell, dayOffset(2), "600036", 1000, 12, 10));
    pickDate(dayOffset(-1));
    EXPECT_EQ(d.sellable.text, "0");
    type(d.sellQuantity, "1");
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(messages.texts().size(), 2u);
}

TEST_F(SellDialogTest, ChecksComeInTheirOrder) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 1000, 10.0, 30)};
    SellDialog& d = open();
    d.price.text = "abc";
    EXPECT_FALSE(d.OnConfirm());
    EXPECT_EQ(d.focused(), &d.price);
    d.price.text = "0";
    d.sellQuantity.text = "0";
    EXPECT_FALSE(d.OnConfirm());
    d.sellQuantity.text = "100";
    EXPECT_FALSE(d.OnConfirm());
    d.price.text = "-1";
    EXPECT_FALSE(d.OnConfirm());
    d.price.text = "12";
    d.sellQuantity.text = "1001";
    EXPECT_FALSE(d.OnConfirm());
    // The held quantity takes no part: only the sellable one limits the sale.
    d.held.text = "5";
    d.sellQuantity.text = "1000";
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{"请输入一个数字。", "卖出数量不能小于等于零，请重新输入卖出数量",
                                  "卖出价格不能小于等于零，请重新输入卖出价格",
                                  "卖出价格不能小于等于零，请重新输入卖出价格",
                                  "卖出数量超过了今天可出售股票数，请重新填写卖出数量"}));
    for (const auto& shown : messages.shown) EXPECT_EQ(shown.caption, "Fiscora");
}

TEST_F(SellDialogTest, ConfirmedValuesAreThoseTheBoxesShow) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 1000, 10.0, 30)};
    SellDialog& d = open();
    type(d.sellQuantity, "333");
    type(d.price, "12.3456");
    ASSERT_TRUE(d.OnConfirm());
    // fee 333 x 12.3456 x 0.0055 = 22.61097...; income 4111.0848 - fee = 4088.47383...
    const auto sold = d.confirmedRecord();
    ASSERT_TRUE(sold);
    EXPECT_EQ(fieldText(sold->stockCode), "600036");
    EXPECT_EQ(test::unpacked(sold->market), 1);
    EXPECT_EQ(test::unpacked(sold->quantity), 333);
    EXPECT_DOUBLE_EQ(sold->price, 12.3456);
    EXPECT_EQ(d.commission.text, "22.611");
    EXPECT_DOUBLE_EQ(sold->fee, 22.611);
    EXPECT_DOUBLE_EQ(sold->amount, 4088.474);
}

TEST_F(SellDialogTest, WithNoHoldingsConfirmingSellsNothing) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 100, 10.0, 10),
                        stockRecord(RecordType::Sell, dayOffset(-4), "600036", 100, 11.0, 10)};
    SellDialog& d = open();
    EXPECT_TRUE(d.code.items.empty());
    EXPECT_EQ(d.code.selected, -1);
    EXPECT_EQ(d.nameLabel.text, "股票名称");
    EXPECT_EQ(d.sellable.text, "0");
    d.pickItem(d.code, d.code.selected);  // nothing to select: nothing happens
    EXPECT_EQ(d.held.text, "0");
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_FALSE(d.confirmedRecord());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SellDialogTest, TheCodesMarketOverridesTheTradeTypeAndEitherMarketFreesTheBox) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 100, 10.0, 10),
                        stockRecord(RecordType::Buy, dayOffset(-5), "100001", 10, 100.0, 10, 0),
                        stockRecord(RecordType::Buy, dayOffset(-5), "100001", 20, 100.0, 10, 1)};
    SellDialog& d = open("港元");
    // 100001 is listed once although it is held in both markets.
    EXPECT_EQ(d.code.items, (std::vector<std::string>{"100001", "600036"}));
    EXPECT_TRUE(d.market.enabled);
    EXPECT_EQ(d.market.selectedText(), "深圳");
    EXPECT_EQ(d.held.text, "10");
    EXPECT_EQ(d.nameLabel.text, "");  // the host does not know it
    d.pickItem(d.market, 1);
    EXPECT_EQ(d.held.text, "20");
    EXPECT_EQ(d.sellable.text, "20");

    d.pickItem(d.code, 1);
    EXPECT_EQ(d.market.selectedText(), "上海");
    EXPECT_FALSE(d.market.enabled);
    EXPECT_EQ(d.nameLabel.text, "招商银行");
}

TEST_F(SellDialogTest, EnterWalksToTheRemarkWhichConfirms) {
    workspace.ledger = {stockRecord(RecordType::Buy, dayOffset(-5), "600036", 1000, 10.0, 30)};
    SellDialog& d = open();
    d.onKey(NavKey::Enter);
    EXPECT_EQ(d.focused(), &d.code);
    d.onKey(NavKey::Down);  // the market box is fixed by the code
    EXPECT_EQ(d.focused(), &d.sellQuantity);
    d.onKey(NavKey::Enter);
    d.onKey(NavKey::Enter);
    EXPECT_EQ(d.focused(), &d.remark);
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::ConfirmRequested);
    EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::ConfirmRequested);
    // The profit box after it is a tab stop from which Enter moves on, wrapping around.
    d.focusChangedTo(&d.floatingProfit);
    EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.tradeDate);
    EXPECT_EQ(d.onKey(NavKey::Up), KeyOutcome::Moved);
    EXPECT_EQ(d.focused(), &d.floatingProfit);
}

}  // namespace
}  // namespace fiscora::ui
