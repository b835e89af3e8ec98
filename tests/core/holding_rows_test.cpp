#include "output/holding_rows.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/number_format.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

TEST(NumberFormat, ThreeDecimalsPercentAndWholeQuantities) {
    EXPECT_EQ(formatAmount(1012), "1012.000");
    EXPECT_EQ(formatAmount(-0.0005), "-0.001");
    EXPECT_EQ(formatAmount(2.0005), "2.001");
    EXPECT_EQ(formatPercent(12.3456), "12.346%");
    EXPECT_EQ(formatQuantity(-300), "-300");
    EXPECT_EQ(formatAmount(1e300).size(), 305u);  // huge values are not cut
}

// A figure is coloured by the sign it shows with three decimals.
TEST(HoldingRows, TheToneFollowsTheFigureAsShown) {
    EXPECT_EQ(toneOf(0.001), CellTone::Gain);
    EXPECT_EQ(toneOf(-0.001), CellTone::Loss);
    EXPECT_EQ(toneOf(0.0004), CellTone::Plain);   // shows 0.000
    EXPECT_EQ(toneOf(-0.0004), CellTone::Plain);  // shows -0.000: no loss either
    EXPECT_EQ(toneOf(std::nan("")), CellTone::Plain);
    HoldingRow row;
    row.figures.floatingProfit = -12.5;
    row.figures.returnRate = 0.0001;
    EXPECT_EQ(holdingCellTone(row, 5), CellTone::Loss);
    EXPECT_EQ(holdingCellTone(row, 9), CellTone::Plain);
    EXPECT_EQ(holdingCellTone(row, 4), CellTone::Plain);
}

TEST(HoldingRows, TenCellsWithHostNamesAndPrices) {
    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace ws(messages);
    ws.open(dir.path(), dir.file("trdpara.dat"));
    ws.ledger = {test::stockRecord(RecordType::Buy, 20240102, "600036", 1000, 10, 30),
                 test::stockRecord(RecordType::Buy, 20240103, "000002", 100, 8, 10, 0)};
    ws.recomputeHoldings();

    test::FakeQuotes quotes;
    quotes.add("600036", 1, "\xD5\xD0\xC9\xCC\xD2\xF8\xD0\xD0", 12.0f, 11.0f);  // 招商银行
    const auto rows = holdingRows(ws, ws.holdings);
    ASSERT_EQ(rows.size(), 2u);
    const HoldingFigures& f = rows[0].figures;
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{
                                 "上海", "600036", "招商银行", "1000", "12000.000",
                                 formatAmount(f.floatingProfit), "10.030", "12.000",
                                 formatAmount(f.breakEvenPrice), formatPercent(f.returnRate)}));
    // An unknown stock keeps its row, with an empty name and a price of 0.
    EXPECT_EQ(rows[1].cells[0], "深圳");
    EXPECT_EQ(rows[1].cells[2], "");
    EXPECT_EQ(rows[1].cells[4], "0.000");

    const ListTable table = holdingTable(rows);
    ASSERT_EQ(table.columns.size(), 10u);
    EXPECT_EQ(table.columns[5].header, "浮动盈亏");
    EXPECT_EQ(table.columns[5].width, 92);
    EXPECT_EQ(table.columns[7].width, 90);
    EXPECT_EQ(table.rows.size(), 2u);
}

}  // namespace
}  // namespace fiscora
