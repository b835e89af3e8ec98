#include "engine/trade_details.h"

#include <gtest/gtest.h>

#include "engine/ledger_filter.h"
#include "output/ledger_rows.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

// A workspace whose stocks trade without fees in both markets, so the figures can be
// worked out by hand.
class TradeDetailsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ws.open(dir.path(), dir.file("trdpara.dat"));
        for (const auto& [market, prefix] : {std::pair{1, '6'}, {1, '0'}, {0, '0'}}) {
            TradeParam freeOfFees{};
            freeOfFees.market = market;
            freeOfFees.codePrefix[0] = prefix;
            ws.tradeParams.push_back(freeOfFees);
        }
    }

    ViewRows rowsOf(std::int32_t market, const std::string& code) {
        return refillViewRows(ws.ledger, LedgerFilter::oneStock(market, code));
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace ws{messages};
    test::FakeQuotes quotes;
};

TEST_F(TradeDetailsTest, FiguresOfAPositionPartlySold) {
    quotes.add("600036", 1, "", 11.0f, 10.0f);
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 50000),
                 stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 0),
                 stockRecord(RecordType::Dividend, 20240103, "600036", 1000, 0.5, 0),
                 stockRecord(RecordType::Sell, 20240104, "600036", 400, 12, 0)};
    const TradeDetailFigures f = tradeDetailFigures(ws, 1, "600036");
    EXPECT_EQ(f.heldQty, 600);
    EXPECT_DOUBLE_EQ(f.averagePrice, 10);
    EXPECT_DOUBLE_EQ(f.buyAmount, 10000);
    // Sold 400 at 12 against a break-even of 10; the dividend counts in none of them.
    EXPECT_NEAR(f.realisedProfit, 800, 1e-9);
    EXPECT_NEAR(f.realisedRate, 20, 1e-9);  // a percentage, as the dialog shows it
    // 600 x 11 against the 10000 - 4800 still invested.
    EXPECT_NEAR(f.currentProfit, 1400, 1e-9);
    EXPECT_NEAR(f.currentRate, 14, 1e-9);
}

TEST_F(TradeDetailsTest, AStockOfBonusSharesOnly) {
    quotes.add("000001", 0, "", 5.0f, 5.0f);
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 1000),
                 stockRecord(RecordType::BonusShares, 20240102, "000001", 300, 0, 0, 0)};
    const TradeDetailFigures f = tradeDetailFigures(ws, 0, "000001");
    EXPECT_EQ(f.heldQty, 300);
    EXPECT_EQ(f.averagePrice, 0);
    EXPECT_EQ(f.buyAmount, 0);
    // Never sold: nothing realised.
    EXPECT_EQ(f.realisedProfit, 0);
    EXPECT_EQ(f.realisedRate, 0);
    EXPECT_DOUBLE_EQ(f.currentProfit, 1500);
    EXPECT_EQ(f.currentRate, 0);  // nothing was paid for the shares

    const ViewRows rows = rowsOf(0, "000001");
    ASSERT_EQ(rows, ViewRows{1});
    // Its row has no cash flow, price or fee, but the shares.
    const ListTable table = tradeDetailTable(ws.ledger, rows);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"2024年 1月 2日", "深圳", "送股", "",
                                                       "000001", "", "300", "", ""}));
}

TEST_F(TradeDetailsTest, ACodeInBothMarketsIsTwoStocks) {
    quotes.add("000001", 0, "", 10.0f, 10.0f);
    quotes.add("000001", 1, "", 3.0f, 3.0f);
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 50000),
                 stockRecord(RecordType::Buy, 20240102, "000001", 100, 9, 0, 0),
                 stockRecord(RecordType::Buy, 20240103, "000001", 500, 2, 0, 1),
                 stockRecord(RecordType::Sell, 20240104, "000001", 100, 3, 0, 1),
                 stockRecord(RecordType::BonusShares, 20240105, "000001", 10, 0, 0, 0)};

    EXPECT_EQ(rowsOf(1, "000001"), (ViewRows{2, 3}));
    // The rows tie to their records; the others, cash and the other market, are untied.
    const std::vector<std::int32_t> tied = {-1, -1, 0, 1, -1};
    for (std::size_t i = 0; i < tied.size(); ++i)
        EXPECT_EQ(test::unpacked(ws.ledger[i].viewRow), tied[i]) << i;
    const TradeDetailFigures shanghai = tradeDetailFigures(ws, 1, "000001");
    EXPECT_EQ(shanghai.heldQty, 400);
    EXPECT_DOUBLE_EQ(shanghai.buyAmount, 1000);
    EXPECT_DOUBLE_EQ(shanghai.currentProfit, 400 * 3 - (1000 - 300));

    EXPECT_EQ(rowsOf(0, "000001"), (ViewRows{1, 4}));
    const TradeDetailFigures shenzhen = tradeDetailFigures(ws, 0, "000001");
    EXPECT_EQ(shenzhen.heldQty, 110);
    EXPECT_DOUBLE_EQ(shenzhen.averagePrice, 900.0 / 110);
    EXPECT_EQ(shenzhen.realisedProfit, 0);
}

TEST_F(TradeDetailsTest, NoOpenPositionGivesEmptyFiguresButItsRecordsStillShow) {
    ws.ledger = {cashRecord(RecordType::CashIn, 20240101, 50000),
                 stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 0),
                 stockRecord(RecordType::Sell, 20240103, "600036", 100, 12, 0)};
    const TradeDetailFigures closed = tradeDetailFigures(ws, 1, "600036");
    EXPECT_EQ(closed.heldQty, 0);
    EXPECT_EQ(closed.buyAmount, 0);
    EXPECT_EQ(closed.realisedProfit, 0);
    EXPECT_EQ(rowsOf(1, "600036"), (ViewRows{1, 2}));
    // A code is compared whole, never as a prefix.
    EXPECT_EQ(tradeDetailFigures(ws, 1, "60003").heldQty, 0);
    EXPECT_TRUE(rowsOf(1, "60003").empty());
}

TEST_F(TradeDetailsTest, ACashRecordCarryingTheCodeIsNoRow) {
    // Only a file written elsewhere gives a deposit a code.
    LedgerRecord deposit = cashRecord(RecordType::CashIn, 20240101, 5000);
    deposit.market = 1;
    storeBytes(deposit.stockCode, "600036");
    ws.ledger = {deposit, stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 0)};
    EXPECT_EQ(rowsOf(1, "600036"), ViewRows{1});
}

TEST(TradeDetailRows, TheLedgerViewsColumnsWithoutTheRemark) {
    const std::vector<ListColumn> view = ledgerViewColumns();
    const std::vector<ListColumn> details = tradeDetailColumns();
    ASSERT_EQ(details.size(), 9u);
    for (std::size_t i = 0; i < details.size(); ++i) {
        EXPECT_EQ(details[i].header, view[i].header);
        EXPECT_EQ(details[i].width, view[i].width);
        EXPECT_EQ(details[i].align, ColumnAlign::Center);
    }
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 5)};
    const ListTable table = tradeDetailTable(ledger, {0});
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0],
              (std::vector<std::string>{"2024年 1月 2日", "上海", "买入股票", "1005.000", "600036",
                                        "", "100", "10.000", "5.000"}));
}

}  // namespace
}  // namespace fiscora
