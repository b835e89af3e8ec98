#include "engine/account_summary.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

// A workspace whose Shanghai "6..." stocks trade without fees, so every figure can be
// worked out by hand.
class AccountSummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ws.open(dir.path(), dir.file("trdpara.dat"));
        TradeParam freeOfFees{};
        freeOfFees.market = 1;
        freeOfFees.codePrefix[0] = '6';
        ws.tradeParams = {freeOfFees};
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace ws{messages};
    AccountInfo account = test::account("张三", "pw");
};

TEST_F(AccountSummaryTest, OpeningCashOnly) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 10000)};
    const AccountSummary s = accountSummary(ws, account);
    EXPECT_EQ(s.accountName, "张三");
    EXPECT_EQ(s.tradeType, "深沪A股");
    EXPECT_EQ(s.currencyUnit, "元");
    EXPECT_EQ(s.netCashIn, 10000);
    EXPECT_EQ(s.investmentCost, 0);
    EXPECT_EQ(s.marketValue, 0);
    EXPECT_EQ(s.cashBalance, 10000);
    EXPECT_EQ(s.totalAssets, s.cashBalance);
    EXPECT_EQ(s.holdingCount, 0);
    EXPECT_EQ(s.realisedRate, 0);
    EXPECT_EQ(s.currentRate, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccountSummaryTest, NetCashInCountsOnlyCashRecords) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 10000),
                 cashRecord(RecordType::CashOut, 20240102, 2000),
                 stockRecord(RecordType::Buy, 20240103, "600036", 100, 10, 0),
                 stockRecord(RecordType::Dividend, 20240104, "600036", 100, 0.5, 0),
                 stockRecord(RecordType::Sell, 20240105, "600036", 50, 12, 0)};
    const AccountSummary s = accountSummary(ws, account);
    EXPECT_EQ(s.netCashIn, 8000);
    EXPECT_EQ(s.cashBalance, 8000 - 1000 + 50 + 600);
}

TEST_F(AccountSummaryTest, PositionSoldOutCountsOnlyThroughTheCash) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 20000),
                 stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                 stockRecord(RecordType::Sell, 20240103, "600036", 1000, 11, 60)};
    const AccountSummary s = accountSummary(ws, account);
    EXPECT_EQ(s.holdingCount, 0);
    EXPECT_EQ(s.investmentCost, 0);
    EXPECT_EQ(s.realisedProfit, 0);
    EXPECT_EQ(s.currentProfit, 0);
    EXPECT_EQ(s.cashBalance, 20000 - 10030 + 10940);
    EXPECT_EQ(s.totalAssets, s.cashBalance);
}

TEST_F(AccountSummaryTest, TwoOpenPositionsWithLatestPrices) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 20000),
                 stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 0),
                 stockRecord(RecordType::Sell, 20240103, "600036", 400, 12, 0),
                 stockRecord(RecordType::Buy, 20240104, "600000", 200, 5, 0),
                 stockRecord(RecordType::BonusShares, 20240105, "600000", 100, 0, 0),
                 stockRecord(RecordType::Sell, 20240106, "600000", 100, 6, 0)};
    // The workspace's own list may be filtered; the summary always covers the whole ledger.
    ws.holdings = computeHoldings(ws.ledger, 20990101, -1);
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "", 11.0f, 10.0f);
    quotes.add("600000", 1, "", 0.0f, 4.0f);  // no trade today: the previous close

    const AccountSummary s = accountSummary(ws, account);
    EXPECT_EQ(s.holdingCount, 2);
    EXPECT_EQ(s.investmentCost, 11000);
    EXPECT_EQ(s.marketValue, 600 * 11.0 + 200 * 4.0);
    EXPECT_EQ(s.totalAssets, s.marketValue + s.cashBalance);
    // 600036: 400 * (12 - 10); 600000: 100 * (6 - 1000 / 300).
    const Holdings h = computeHoldings(ws.ledger, 0, -1);
    const double first = holdingFigures(h[0], 11.0, ws.feeRowFor(1, "600036")).realisedProfit;
    const double second = holdingFigures(h[1], 4.0, ws.feeRowFor(1, "600000")).realisedProfit;
    EXPECT_EQ(s.realisedProfit, first + second);
    EXPECT_NEAR(s.realisedProfit, 800 + 100 * (6 - 1000.0 / 300), 1e-9);
    EXPECT_NEAR(s.realisedRate, s.realisedProfit / (4000 + 1000.0 / 3) * 100, 1e-9);
    // Current profit: 6600 - (10000 - 4800) and 800 - (1000 - 600).
    EXPECT_NEAR(s.currentProfit, 1400 + 400, 1e-9);
    EXPECT_NEAR(s.currentRate, 1800.0 / 11000 * 100, 1e-9);
}

TEST_F(AccountSummaryTest, WithoutQuotesEveryPositionCountsAtPriceZero) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 5000),
                 stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 0)};
    const AccountSummary s = accountSummary(ws, account);
    EXPECT_EQ(s.marketValue, 0);
    EXPECT_EQ(s.currentProfit, -1000);
    EXPECT_EQ(s.currentRate, -100);
    EXPECT_EQ(s.totalAssets, 4000);
}

TEST_F(AccountSummaryTest, TradeTypeFollowsTheCurrencyUnit) {
    EXPECT_EQ(accountSummary(ws, test::account("b", "", "上证B股")).tradeType, "上证B股");
    const AccountSummary hk = accountSummary(ws, test::account("b", "", "深证B股"));
    EXPECT_EQ(hk.tradeType, "深证B股");
    EXPECT_EQ(hk.currencyUnit, "港元");
    // Any other stored text has the Hong Kong dollar as its unit, and so shows as Shenzhen B.
    EXPECT_EQ(accountSummary(ws, test::account("b", "", "其他")).tradeType, "深证B股");
}

}  // namespace
}  // namespace fiscora
