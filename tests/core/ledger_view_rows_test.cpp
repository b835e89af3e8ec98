#include <gtest/gtest.h>

#include <limits>

#include "engine/ledger_filter.h"
#include "output/ledger_rows.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

// Cash, a purchase and a sale of 600036, a purchase of 000002, a dividend, out of date
// order as entered.
Ledger sampleLedger() {
    return {cashRecord(RecordType::CashIn, 20240102, 100000),
            stockRecord(RecordType::Buy, 20240105, "600036", 1000, 10, 30),
            stockRecord(RecordType::Buy, 20240103, "000002", 500, 8, 10, 0),
            stockRecord(RecordType::Sell, 20240105, "600036", 400, 11, 20),
            cashRecord(RecordType::CashOut, 20240110, 5000),
            stockRecord(RecordType::Dividend, 20240301, "600036", 600, 0.5, 0)};
}

TEST(LedgerFilter, EachFilterAndTheirCombination) {
    Ledger ledger = sampleLedger();
    EXPECT_EQ(refillViewRows(ledger, {}), (ViewRows{0, 1, 2, 3, 4, 5}));

    LedgerFilter time;
    time.byTime = true;
    time.from = 20240103;
    time.to = 20240105;
    EXPECT_EQ(refillViewRows(ledger, time), (ViewRows{1, 2, 3}));
    // From later than to shows nothing; one day shows that day's records.
    time.from = 20240106;
    EXPECT_TRUE(refillViewRows(ledger, time).empty());
    EXPECT_EQ(refillViewRows(ledger, LedgerFilter::oneDay(20240105)), (ViewRows{1, 3}));

    LedgerFilter kind;
    kind.byKind = true;
    kind.kind = RecordType::Buy;
    EXPECT_EQ(refillViewRows(ledger, kind), (ViewRows{1, 2}));

    // The code filter hides every cash record, whatever the code: even an empty one.
    LedgerFilter code;
    code.byCode = true;
    code.gbkCode = "600036";
    EXPECT_EQ(refillViewRows(ledger, code), (ViewRows{1, 3, 5}));
    code.gbkCode = "";
    EXPECT_TRUE(refillViewRows(ledger, code).empty());
    code.gbkCode = "60003";  // whole codes only
    EXPECT_TRUE(refillViewRows(ledger, code).empty());

    EXPECT_EQ(refillViewRows(ledger, LedgerFilter::oneDay(20240105, "600036")), (ViewRows{1, 3}));
    LedgerFilter all = LedgerFilter::oneDay(20240105, "600036");
    all.byKind = true;
    all.kind = RecordType::Sell;
    EXPECT_EQ(refillViewRows(ledger, all), (ViewRows{3}));
}

TEST(LedgerFilter, RefillTiesRowsAndRecordsThroughViewRow) {
    Ledger ledger = sampleLedger();
    for (auto& r : ledger) r.viewRow = 77;  // whatever a file held
    const ViewRows rows = refillViewRows(ledger, LedgerFilter::oneDay(20240105));
    EXPECT_EQ(test::unpacked(ledger[0].viewRow), -1);
    EXPECT_EQ(test::unpacked(ledger[1].viewRow), 0);
    EXPECT_EQ(test::unpacked(ledger[2].viewRow), -1);
    EXPECT_EQ(test::unpacked(ledger[3].viewRow), 1);
    EXPECT_EQ(test::unpacked(ledger[5].viewRow), -1);
    for (std::size_t row = 0; row < rows.size(); ++row)
        EXPECT_EQ(findByViewRow(ledger, static_cast<std::int32_t>(row)), &ledger[rows[row]]);
}

TEST(LedgerFilter, KindListNamesMapToKinds) {
    const auto& items = ledgerKindItems();
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items.front(), "投入资金");
    EXPECT_EQ(items.back(), "配股");
    EXPECT_EQ(kindFromListText("投入资金"), RecordType::CashIn);
    EXPECT_EQ(kindFromListText("划出资金"), RecordType::CashOut);
    EXPECT_EQ(kindFromListText("买入股票"), RecordType::Buy);
    EXPECT_EQ(kindFromListText("卖出股票"), RecordType::Sell);
    EXPECT_EQ(kindFromListText("股票分红"), RecordType::Dividend);
    EXPECT_EQ(kindFromListText("送股"), RecordType::BonusShares);
    EXPECT_EQ(kindFromListText("配股"), RecordType::RightsIssue);
    EXPECT_EQ(kindFromListText("buy"), RecordType::None);
}

TEST(LedgerRows, TenColumnsFormattedByKind) {
    const auto columns = ledgerViewColumns();
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns[0].header, "时间");
    EXPECT_EQ(columns[0].width, 106);
    EXPECT_EQ(columns[3].width, 125);
    EXPECT_EQ(columns[8].width, 90);
    EXPECT_EQ(columns[kRemarkColumn].header, "备注");

    test::FakeQuotes quotes;
    quotes.add("600036", 1, "\xD5\xD0\xC9\xCC\xD2\xF8\xD0\xD0", 12.0f, 11.0f);  // 招商银行
    LedgerRowFormatter f;
    const Ledger ledger = sampleLedger();
    EXPECT_EQ(f.cells(ledger[0]),
              (std::vector<std::string>{"2024年 1月 2日", "", "投入资金", "100000.000", "", "", "",
                                        "", "", "点击显示"}));
    EXPECT_EQ(f.cells(ledger[3]),
              (std::vector<std::string>{"2024年 1月 5日", "上海", "卖出股票", "4380.000", "600036",
                                        "招商银行", "400", "11.000", "20.000", "点击显示"}));
    // A stock the host does not know has an empty name.
    EXPECT_EQ(f.cell(ledger[2], 1), "深圳");
    EXPECT_EQ(f.cell(ledger[2], 5), "");
    // A dividend shows its price but no fee; bonus shares no cash and no price.
    EXPECT_EQ(f.cell(ledger[5], 7), "0.500");
    EXPECT_EQ(f.cell(ledger[5], 8), "");
    const LedgerRecord bonus = stockRecord(RecordType::BonusShares, 20241231, "600036", 300, 0, 0);
    EXPECT_EQ(f.cells(bonus),
              (std::vector<std::string>{"2024年12月31日", "上海", "送股", "", "600036", "招商银行",
                                        "300", "", "", "点击显示"}));
    // The name is asked once per stock, however many rows show it.
    const int calls = test::FakeQuotes::calls();
    f.cell(ledger[1], 5);
    f.cell(ledger[5], 5);
    EXPECT_EQ(test::FakeQuotes::calls(), calls);
}

TEST(LedgerRows, TableHoldsTheShownRowsInOrder) {
    Ledger ledger = sampleLedger();
    LedgerFilter kind;
    kind.byKind = true;
    kind.kind = RecordType::CashOut;
    const ListTable table = ledgerTable(ledger, refillViewRows(ledger, kind));
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.columns.size(), 10u);
    EXPECT_EQ(table.rows[0][0], "2024年 1月10日");
    EXPECT_EQ(table.rows[0][3], "5000.000");
}

// The view's 备注 cells offer a click; a printed or saved list holds the remarks themselves,
// each on its row's one line.
TEST(LedgerRows, TheTableHoldsEachRemarkOnOneLine) {
    Ledger ledger = sampleLedger();
    storeText(ledger[1].remark, "分批建仓");
    storeText(ledger[3].remark, "部分止盈\r\n第二\t批");
    const ListTable table = ledgerTable(ledger, {1, 3, 0});
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0][kRemarkColumn], "分批建仓");
    EXPECT_EQ(table.rows[1][kRemarkColumn], "部分止盈  第二 批");
    EXPECT_EQ(table.rows[2][kRemarkColumn], "");
    LedgerRowFormatter view;
    EXPECT_EQ(view.cell(ledger[1], kRemarkColumn), "点击显示");
}

TEST(LedgerRows, WidestRowsAreTheExtremesOfTheShownFigures) {
    Ledger ledger = sampleLedger();
    ledger[4].amount = -123456.5;  // the widest negative amount
    LedgerRecord bonus = stockRecord(RecordType::BonusShares, 20240401, "600036", 300, 0, 0);
    bonus.amount = 1e12;  // not shown: a bonus has no cash column
    ledger.push_back(bonus);
    LedgerRecord broken = cashRecord(RecordType::CashIn, 20240402, 0);
    broken.amount = std::numeric_limits<double>::quiet_NaN();
    ledger.push_back(broken);
    using Rows = std::vector<std::size_t>;
    const auto all = widestLedgerRows(ledger, refillViewRows(ledger, {}));
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all[3], (Rows{0, 4}));
    // Fees only of trades: the purchases of 600036 (30) and of 000002 (10).
    EXPECT_EQ(all[8], (Rows{1, 2}));
    // Dates: the last record's and the first's.
    EXPECT_EQ(all[0], (Rows{7, 0}));
    // Fixed texts and the host's names need no search.
    for (int column : {1, 2, 5, kRemarkColumn}) EXPECT_TRUE(all[column].empty());

    // Indexes are rows of the view, not positions in the ledger.
    LedgerFilter code;
    code.byCode = true;
    code.gbkCode = "600036";
    const ViewRows shown = refillViewRows(ledger, code);
    ASSERT_EQ(shown, (ViewRows{1, 3, 5, 6}));
    EXPECT_EQ(widestLedgerRows(ledger, shown)[6], (Rows{0, 3}));
    EXPECT_TRUE(widestLedgerRows(ledger, {})[3].empty());
}

TEST(LedgerRows, RemarkUnitsAndBalance) {
    LedgerRecord r = cashRecord(RecordType::CashIn, 20240102, 10);
    EXPECT_EQ(remarkMessage(r), "没有备注");
    storeText(r.remark, "年终奖");
    EXPECT_EQ(remarkMessage(r), "年终奖");

    EXPECT_EQ(ledgerViewUnits("美元").tradeType, "上证B股");
    EXPECT_EQ(ledgerViewUnits("美元").unit, "美元");
    EXPECT_EQ(ledgerViewUnits("港元").tradeType, "深证B股");
    EXPECT_EQ(ledgerViewUnits("港元").unit, "港元");
    EXPECT_EQ(ledgerViewUnits("元").tradeType, "深沪A股");
    EXPECT_EQ(ledgerViewUnits("元").unit, "人民币元");
    EXPECT_EQ(balanceText(1234.5678, "港元"), "1234.568港元");
}

}  // namespace
}  // namespace fiscora
