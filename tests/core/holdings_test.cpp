#include "engine/holdings.h"

#include <gtest/gtest.h>

#include "engine/trade_fee.h"
#include "host/module_state.h"
#include "support/builders.h"

namespace fiscora {
namespace {

LedgerRecord stock(RecordType kind, std::int32_t date, const char* code, std::int32_t qty,
                   double price, double fee, std::int32_t market = 1) {
    return test::stockRecord(kind, date, code, qty, price, fee, market);
}

class HoldingsTest : public ::testing::Test {
protected:
    void SetUp() override { setStandardDefaultTradeParams(); }
    const TradeParam& d = defaultTradeParams();
};

TEST_F(HoldingsTest, SumsEachStockInOrderOfFirstAppearance) {
    Ledger ledger = {
        test::cashRecord(RecordType::CashIn, 20240101, 50000),
        stock(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
        stock(RecordType::Buy, 20240103, "000001", 500, 8, 10, 0),
        stock(RecordType::Sell, 20240104, "600036", 400, 11, 20),
        stock(RecordType::RightsIssue, 20240105, "600036", 100, 5, 10),
        stock(RecordType::Dividend, 20240106, "600036", 700, 0.5, 0),
        stock(RecordType::BonusShares, 20240107, "000001", 100, 0, 0, 0),
        stock(RecordType::Buy, 20240108, "000001", 200, 9, 10, 1),  // same code, other market
    };
    Holdings h = computeHoldings(ledger, 0, -1);
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[0].stockCode, "600036");
    EXPECT_EQ(h[0].boughtQty, 1100);
    EXPECT_EQ(h[0].soldQty, 400);
    EXPECT_DOUBLE_EQ(h[0].buyAmount, 10030 + 510);
    EXPECT_DOUBLE_EQ(h[0].buyFee, 40);
    EXPECT_DOUBLE_EQ(h[0].sellAmount, 4380);
    EXPECT_DOUBLE_EQ(h[0].sellFee, 20);
    EXPECT_DOUBLE_EQ(h[0].dividendAmount, 350);
    EXPECT_EQ(h[0].heldQty(), 700);
    EXPECT_EQ(h[1].market, 0);
    EXPECT_EQ(h[1].bonusQty, 100);
    EXPECT_EQ(h[1].heldQty(), 600);
    EXPECT_EQ(h[2].market, 1);
    EXPECT_EQ(h[2].stockCode, "000001");
}

// Positions compared whole: identity, every sum, bit for bit.
void expectSameHoldings(const Holdings& got, const Holdings& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].market, want[i].market);
        EXPECT_EQ(got[i].stockCode, want[i].stockCode);
        EXPECT_EQ(got[i].boughtQty, want[i].boughtQty);
        EXPECT_EQ(got[i].soldQty, want[i].soldQty);
        EXPECT_EQ(got[i].bonusQty, want[i].bonusQty);
        EXPECT_EQ(got[i].buyAmount, want[i].buyAmount);
        EXPECT_EQ(got[i].sellAmount, want[i].sellAmount);
        EXPECT_EQ(got[i].buyFee, want[i].buyFee);
        EXPECT_EQ(got[i].sellFee, want[i].sellFee);
        EXPECT_EQ(got[i].dividendAmount, want[i].dividendAmount);
    }
}

TEST_F(HoldingsTest, ManyPositionsKeepTheirOrderAndSums) {
    // More positions than the index starts with, in both markets, each code bought twice.
    Ledger ledger;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 700; ++i) {
            const std::string code = std::to_string(600000 + i * 7);
            ledger.push_back(
                stock(RecordType::Buy, 20240102, code.c_str(), 100 + i, 1.5 + i, 5, i % 2));
        }
    }
    const Holdings h = computeHoldings(ledger, 0, -1);
    ASSERT_EQ(h.size(), 700u);
    for (int i = 0; i < 700; ++i) {
        EXPECT_EQ(h[i].stockCode, std::to_string(600000 + i * 7));
        EXPECT_EQ(h[i].market, i % 2);
        EXPECT_EQ(h[i].boughtQty, 2 * (100 + i));
    }
}

TEST_F(HoldingsTest, ABookedRecordUpdatesTheHoldingsAsComputingThemAgainWould) {
    const Ledger before = {
        stock(RecordType::Buy, 20240102, "600036", 1000, 10.1, 30),
        stock(RecordType::Buy, 20240103, "000001", 500, 8.3, 10, 0),
        stock(RecordType::Buy, 20240104, "600000", 300, 7.7, 10),
        stock(RecordType::Sell, 20240105, "600000", 300, 7.9, 10),  // closed
    };
    const std::vector<LedgerRecord> listed = {
        stock(RecordType::Sell, 20240106, "600036", 400, 11.3, 20),
        stock(RecordType::Sell, 20240106, "000001", 500, 9.1, 10, 0),  // closes it
        stock(RecordType::Dividend, 20240107, "600036", 600, 0.37, 0),
        stock(RecordType::Buy, 20240107, "600036", 100, 10.9, 5),
        stock(RecordType::BonusShares, 20240107, "600036", 60, 0, 0),
        test::cashRecord(RecordType::CashIn, 20240108, 1000),
    };
    for (const LedgerRecord& r : listed) {
        Ledger ledger = before;
        Holdings kept = computeHoldings(ledger, 0, -1);
        ledger.push_back(r);
        EXPECT_TRUE(addToHoldings(kept, r));
        expectSameHoldings(kept, computeHoldings(ledger, 0, -1));
    }
    // A new position, a closed one reopened, and one of the same code in the other market:
    // their place is not known, and nothing is changed.
    for (const LedgerRecord& r : {stock(RecordType::Buy, 20240108, "601318", 100, 50, 5),
                                  stock(RecordType::Buy, 20240108, "600000", 100, 8, 5),
                                  stock(RecordType::Buy, 20240108, "600036", 100, 8, 5, 0)}) {
        Holdings kept = computeHoldings(before, 0, -1);
        EXPECT_FALSE(addToHoldings(kept, r));
        expectSameHoldings(kept, computeHoldings(before, 0, -1));
    }
}

TEST_F(HoldingsTest, QuantitiesSumBeyondThirtyTwoBits) {
    const std::int32_t most = 2147483647;
    const Ledger ledger = {stock(RecordType::Buy, 20240102, "600036", most, 1, 0),
                           stock(RecordType::Buy, 20240103, "600036", most, 1, 0),
                           stock(RecordType::BonusShares, 20240104, "600036", most, 0, 0)};
    const Holdings h = computeHoldings(ledger, 0, -1);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].heldQty(), std::int64_t{3} * most);
    EXPECT_EQ(computeSellable(ledger, 20240104)[0].heldQty(), std::int64_t{2} * most);
    const HoldingFigures f = holdingFigures(h[0], 2, d);
    EXPECT_EQ(f.heldQty, std::int64_t{3} * most);
    EXPECT_DOUBLE_EQ(f.marketValue, 6.0 * most);
    EXPECT_NEAR(f.averagePrice, 2.0 / 3.0, 1e-12);
}

TEST_F(HoldingsTest, ClosedAndDividendOnlyPositionsDisappear) {
    Ledger ledger = {stock(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                     stock(RecordType::Sell, 20240103, "600036", 1000, 11, 60),
                     stock(RecordType::Dividend, 20240104, "600000", 100, 1, 0)};
    EXPECT_TRUE(computeHoldings(ledger, 0, -1).empty());
}

TEST_F(HoldingsTest, DateRangeAndCodeFilterSelectRecords) {
    Ledger ledger = {stock(RecordType::Buy, 20011231, "600036", 1000, 10, 30),
                     stock(RecordType::Sell, 20020105, "600036", 300, 11, 20),
                     stock(RecordType::Buy, 20020201, "000001", 100, 8, 10, 0),
                     stock(RecordType::Buy, 20030101, "600000", 100, 8, 10)};
    Holdings later = computeHoldings(ledger, 20020101, -1);
    ASSERT_EQ(later.size(), 3u);
    EXPECT_EQ(later[0].heldQty(), -300);  // the purchase is outside the range
    Holdings y2002 = computeHoldings(ledger, 20020101, 20021231);
    EXPECT_EQ(y2002.size(), 2u);
    Holdings one = computeHoldings(ledger, 0, -1, std::string_view("000001"));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].stockCode, "000001");
}

TEST_F(HoldingsTest, SellableCountsEarlierAcquisitionsAndSalesUpToTheDay) {
    Ledger ledger = {stock(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                     stock(RecordType::Sell, 20240110, "600036", 200, 11, 20),  // sold on the day
                     stock(RecordType::Buy, 20240110, "600036", 500, 10, 30),   // bought on the day
                     stock(RecordType::BonusShares, 20240105, "600036", 100, 0, 0),
                     stock(RecordType::Dividend, 20240106, "600000", 100, 1, 0)};
    Holdings s = computeSellable(ledger, 20240110);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].heldQty(), 900);
    EXPECT_EQ(s[0].buyAmount, 0.0);  // quantities only
    EXPECT_EQ(computeSellable(ledger, 20240111)[0].heldQty(), 1400);
    EXPECT_TRUE(computeSellable(ledger, 20240102).empty());
}

TEST_F(HoldingsTest, SellableNeverExceedsWhatTheWholeLedgerLeavesHeld) {
    Ledger ledger = {stock(RecordType::Buy, 20240102, "600036", 1500, 10, 30),
                     stock(RecordType::Buy, 20240102, "000001", 300, 9, 10, 0),
                     stock(RecordType::Sell, 20240120, "600036", 1200, 11, 20)};
    Holdings s = computeSellable(ledger, 20240110);  // the later sale has used 1200 shares
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].stockCode, "600036");
    EXPECT_EQ(s[0].heldQty(), 300);
    EXPECT_EQ(s[1].heldQty(), 300);

    // An oversold file (written elsewhere) has nothing to sell rather than a negative count.
    ledger.push_back(stock(RecordType::Sell, 20240121, "600036", 800, 11, 20));
    s = computeSellable(ledger, 20240125);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].stockCode, "000001");
}

TEST_F(HoldingsTest, ANegativeHoldingShowsAsItIsWithoutAWrappedFee) {
    Holding h;
    h.boughtQty = 1000;
    h.buyAmount = 10030;
    h.soldQty = 1500;
    h.sellAmount = 16000;
    const HoldingFigures f = holdingFigures(h, 11.0, d);
    EXPECT_EQ(f.heldQty, -500);
    EXPECT_DOUBLE_EQ(f.marketValue, -5500);
    EXPECT_DOUBLE_EQ(f.floatingProfit, -5500 - ((10030 - 16000) + tradeFee(11.0, 500, d)));
    EXPECT_EQ(shareCount(-500), 500u);
    EXPECT_EQ(shareCount(INT32_MIN), 2147483648u);
}

TEST_F(HoldingsTest, BreakEvenCoversCostAndTheSaleFee) {
    const double p = breakEven(10000, 1000, d);
    EXPECT_GT(p, 10.0);
    EXPECT_NEAR(1000 * p, 10000 + tradeFee(p, 1000, d), 1000 * 0.001 * 1.01);
    EXPECT_EQ(breakEven(10000, 0, d), 0.0);
}

TEST_F(HoldingsTest, BreakEvenStopsWhenRatesMakeItDiverge) {
    TradeParam greedy{};
    greedy.commissionRate = 0.7;
    greedy.stampDutyRate = 0.3;
    const double p = breakEven(10000, 1000, greedy);  // must return at all
    EXPECT_FALSE(p == 0.0);
    greedy.commissionRate = 2.0;
    (void)breakEven(10000, 1000, greedy);
}

TEST_F(HoldingsTest, FiguresOfAPosition) {
    Holding h;
    h.market = 1;
    h.stockCode = "600036";
    h.boughtQty = 1000;
    h.buyAmount = 10030;
    h.soldQty = 500;
    h.sellAmount = 5967;
    const HoldingFigures f = holdingFigures(h, 12.0, d);
    EXPECT_EQ(f.heldQty, 500);
    EXPECT_DOUBLE_EQ(f.marketValue, 6000);
    EXPECT_DOUBLE_EQ(f.averagePrice, 10.03);
    EXPECT_DOUBLE_EQ(f.floatingProfit, 6000 - ((10030 - 5967) + tradeFee(12.0, 500, d)));
    EXPECT_DOUBLE_EQ(f.returnRate, f.floatingProfit / 10030 * 100);
    EXPECT_DOUBLE_EQ(f.breakEvenPrice, breakEven(10030, 1000, d));
    EXPECT_DOUBLE_EQ(f.realisedProfit, 500 * (5967.0 / 500 - f.breakEvenPrice));
    EXPECT_DOUBLE_EQ(f.realisedRate, f.realisedProfit / (10.03 * 500));
    EXPECT_DOUBLE_EQ(f.currentProfit, f.floatingProfit);
    EXPECT_DOUBLE_EQ(f.currentRate, f.floatingProfit / 10030);
}

TEST_F(HoldingsTest, FiguresWithoutCostOrSalesAreZeroNotNan) {
    Holding bonusOnly;
    bonusOnly.bonusQty = 1000;
    const HoldingFigures f = holdingFigures(bonusOnly, 5.0, d);
    EXPECT_EQ(f.returnRate, 0.0);
    EXPECT_EQ(f.averagePrice, 0.0);
    EXPECT_EQ(f.realisedProfit, 0.0);
    EXPECT_EQ(f.realisedRate, 0.0);
    EXPECT_EQ(f.currentRate, 0.0);

    Holding doubled;  // 10 bonus shares per 10 held
    doubled.boughtQty = 1000;
    doubled.bonusQty = 1000;
    doubled.buyAmount = 10030;
    EXPECT_DOUBLE_EQ(holdingFigures(doubled, 0, d).averagePrice, 10030.0 / 2000);
    EXPECT_EQ(holdingFigures(doubled, 0, d).heldQty, 2000);
}

}  // namespace
}  // namespace fiscora
