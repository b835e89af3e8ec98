#include "engine/capital_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <random>

#include "engine/running_cash_balance.h"
#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/literal_capital_series.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::stockRecord;

const StockId kBank{1, "600036"};

DayBar bar(std::int32_t date, std::uint32_t open, std::uint32_t high, std::uint32_t low,
           std::uint32_t close) {
    DayBar b{};
    b.date = date;
    b.prices[0] = open;
    b.prices[1] = high;
    b.prices[2] = low;
    b.prices[3] = close;
    return b;
}

DayPoint point(std::int32_t day, double value) {
    return {value, value, value, value, day};
}

class CapitalSeries : public ::testing::Test {
protected:
    SeriesPrices prices(std::int32_t today) const {
        return {dir.path(), [](std::string_view, std::int32_t) { return 12.5; }, today};
    }

    test::TempDir dir;
};

TEST_F(CapitalSeries, WeekendsTakeFridaysBarAndHolidaysAreZero) {
    // Fri 1 March, Mon 4 March a holiday, Tue 5 March.
    test::writeDayBarFile(
        dir.path(), kBank,
        {bar(20240301, 1000, 1100, 900, 1050), bar(20240305, 1200, 1200, 1200, 1200)});
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240301, "600036", 100, 10, 5)};
    const DaySeries s = StockSeries(ledger, kBank, false, prices(20240305));
    const DayPoint friday{1100, 900, 1050, 1000, 20240301};
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], friday);
    EXPECT_EQ(s[1], (DayPoint{1100, 900, 1050, 1000, 20240302}));
    EXPECT_EQ(s[2], (DayPoint{1100, 900, 1050, 1000, 20240303}));
    EXPECT_EQ(s[3], point(20240304, 0));  // the curve breaks there
    EXPECT_EQ(s[4], point(20240305, 1200));
}

TEST_F(CapitalSeries, TodayWithoutABarTakesTheLatestPrice) {
    test::writeDayBarFile(dir.path(), kBank, {bar(20240304, 1000, 1000, 1000, 1000)});
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240304, "600036", 200, 10, 5)};
    const DaySeries s = StockSeries(ledger, kBank, false, prices(20240305));
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1], point(20240305, 200 * 12.5));
    // Without a quote source today is 0 like any day without a bar.
    SeriesPrices noQuotes = prices(20240305);
    noQuotes.latestPrice = nullptr;
    EXPECT_EQ(StockSeries(ledger, kBank, false, noQuotes)[1], point(20240305, 0));
}

TEST_F(CapitalSeries, QuantityIsTheStocksOwnHoldingInItsOwnMarket) {
    const StockId shenzhen{0, "600036"};
    test::writeDayBarFile(dir.path(), kBank, {bar(20240304, 1000, 1000, 1000, 1000)});
    test::writeDayBarFile(dir.path(), shenzhen, {bar(20240304, 2000, 2000, 2000, 2000)});
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240304, "600036", 300, 20, 5, 0),
                           stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 5, 1)};
    EXPECT_EQ(StockSeries(ledger, kBank, false, prices(20240304)),
              DaySeries{point(20240304, 1000)});
    EXPECT_EQ(StockSeries(ledger, shenzhen, false, prices(20240304)),
              DaySeries{point(20240304, 6000)});
}

TEST_F(CapitalSeries, ClosedPositionsAreZeroUntilBoughtAgain) {
    test::writeDayBarFile(dir.path(), kBank, test::weekdayBars(20240304, 20240308, 1));
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 5),
                           stockRecord(RecordType::Sell, 20240305, "600036", 100, 11, 5),
                           stockRecord(RecordType::Dividend, 20240306, "600036", 100, 1, 0),
                           stockRecord(RecordType::Buy, 20240307, "600036", 100, 10, 5)};
    const DaySeries s = StockSeries(ledger, kBank, false, prices(20240308));
    ASSERT_EQ(s.size(), 5u);
    EXPECT_GT(s[0].close, 0);
    EXPECT_EQ(s[1], point(20240305, 0));
    EXPECT_EQ(s[2], point(20240306, 0));
    EXPECT_GT(s[3].close, 0);
}

TEST_F(CapitalSeries, BarPricesOfThreeDecimalCodesAndPartialFiles) {
    const StockId bShare{1, "900901"};
    test::writeDayBarFile(dir.path(), bShare, {bar(20240304, 412, 415, 410, 413)});
    test::writeDayBarFile(dir.path(), kBank, {bar(20240304, 1000, 1000, 1000, 1000)}, 10);
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240304, "900901", 1000, 0.4, 5),
                           stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 5)};
    EXPECT_EQ(StockSeries(ledger, bShare, false, prices(20240304)),
              (DaySeries{{1000 * 0.415, 1000 * 0.41, 1000 * 0.413, 1000 * 0.412, 20240304}}));
    // A file with a partial record is not read at all: only today's latest price remains.
    EXPECT_EQ(StockSeries(ledger, kBank, false, prices(20240305)),
              (DaySeries{point(20240304, 0), point(20240305, 1250)}));
}

TEST_F(CapitalSeries, StartsAtTheStocksFirstRecordOrTheLedgersAndNeverAtAnImpossibleDay) {
    LedgerRecord impossible = test::cashRecord(RecordType::CashIn, 20240231, 1);
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240301, 1000), impossible,
                           test::cashRecord(RecordType::CashIn, 0, 1),
                           stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 5),
                           stockRecord(RecordType::Buy, 20240315, "600036", 100, 10, 5)};
    EXPECT_EQ(StockSeries(ledger, kBank, false, prices(20240305)).front().day, 20240304);
    EXPECT_EQ(StockSeries(ledger, kBank, true, prices(20240305)).front().day, 20240301);
    // Records after today count for nothing and start nothing.
    EXPECT_EQ(StockSeries(ledger, {0, "000001"}, false, prices(20240305)),
              DaySeries{point(20240305, 0)});
}

TEST_F(CapitalSeries, DaysFollowTheCalendarAcrossMonthsAndDaylightSaving) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    ::setenv("TZ", "Europe/Berlin", 1);
    ::tzset();
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240227, "600036", 100, 10, 5)};
    std::vector<std::int32_t> days;
    for (const auto& p : StockSeries(ledger, kBank, false, prices(20240402))) days.push_back(p.day);
    const Ledger autumn = {stockRecord(RecordType::Buy, 20241026, "600036", 100, 10, 5)};
    const DaySeries october = StockSeries(autumn, kBank, false, prices(20241028));
    saved ? ::setenv("TZ", previous.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();

    ASSERT_EQ(days.size(), 36u);  // 27 Feb to 2 April 2024
    EXPECT_EQ(days[2], 20240229);
    EXPECT_EQ(days[3], 20240301);
    EXPECT_EQ(days[33], 20240331);  // clocks go forward
    EXPECT_EQ(days[34], 20240401);
    ASSERT_EQ(october.size(), 3u);  // clocks go back on the 27th
    EXPECT_EQ(october[1].day, 20241027);
}

TEST_F(CapitalSeries, WholeAccountAddsCashAndNothingBeforeAStocksFirstPurchase) {
    const StockId bank2{0, "000001"};
    test::writeDayBarFile(dir.path(), kBank,
                          {bar(20240304, 0, 0, 0, 1000), bar(20240305, 0, 0, 0, 1000)});
    test::writeDayBarFile(dir.path(), bank2,
                          {bar(20240304, 0, 0, 0, 500), bar(20240305, 0, 0, 0, 500)});
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240304, 5000),
                           stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 0),
                           stockRecord(RecordType::Buy, 20240305, "000001", 200, 5, 0, 0),
                           stockRecord(RecordType::Sell, 20240305, "600036", 100, 10, 0)};
    const DaySeries s = TotalSeries(ledger, prices(20240305));
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].close, 1000 + 4000);  // 600036 held, 000001 not yet bought
    EXPECT_EQ(s[1].close, 1000 + 4000);  // 600036 sold out, 000001 held
    EXPECT_EQ(s[0].high, 4000);          // the bars' highs are 0
    EXPECT_EQ(tradedStocks(ledger), (std::vector<StockId>{kBank, bank2}));
}

TEST_F(CapitalSeries, AccountWithoutStocksHasNoWholeAccountSeries) {
    const Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240304, 5000)};
    EXPECT_TRUE(TotalSeries(ledger, prices(20240305)).empty());
    EXPECT_TRUE(TotalSeries({}, prices(20240305)).empty());
}

// The records are grouped by stock in one pass: one code in both markets stays two
// positions, and a record dated no calendar day (never the start) or before every real date
// counts as the literal sum of each stock's own series counts it.
TEST_F(CapitalSeries, WholeAccountOfOddDatesIsTheSumOfEachStocksSeries) {
    const StockId shenzhenBank{0, "600036"};
    test::writeDayBarFile(dir.path(), kBank,
                          {bar(20240304, 0, 0, 0, 1000), bar(20240305, 0, 0, 0, 1100)});
    test::writeDayBarFile(dir.path(), shenzhenBank,
                          {bar(20240304, 0, 0, 0, 700), bar(20240306, 0, 0, 0, 900)});
    const Ledger ledger = {stockRecord(RecordType::Buy, 20240305, "600036", 100, 10, 0),
                           stockRecord(RecordType::Buy, 20240230, "600036", 300, 7, 0, 0),
                           test::cashRecord(RecordType::CashIn, 20240303, 5000),
                           stockRecord(RecordType::Buy, 20240304, "600036", 200, 7, 0, 0),
                           stockRecord(RecordType::Sell, 20240306, "600036", 50, 11, 0),
                           stockRecord(RecordType::Buy, 0, "600036", 10, 11, 0)};
    const DaySeries total = TotalSeries(ledger, prices(20240306));
    ASSERT_EQ(total.size(), 4u);
    EXPECT_EQ(total, test::literalTotalSeries(ledger, prices(20240306)));
}

// The one pass over the ledger shares its work between the stocks and the cash: records of
// 40 positions (one code in both markets, more than the first index table holds) taken in
// turn over days taken in turn, a stock sold to zero and bought back while the others trade
// on, and days with only cash records or none at all.
TEST_F(CapitalSeries, WholeAccountOfInterleavedStocksIsTheSumOfEachStocksSeries) {
    std::vector<StockId> stocks;
    for (int i = 0; i < 40; ++i) {
        stocks.push_back({i % 2, std::to_string(600000 + i / 2 * 3)});
        test::writeDayBarFile(
            dir.path(), stocks.back(),
            test::weekdayBars(20240226, 20240315, static_cast<unsigned>(i), i % 2 == 0 ? 0 : 4));
    }
    Ledger ledger;
    for (int i = 0; i < 400; ++i) {
        const StockId& stock = stocks[static_cast<std::size_t>(i) % stocks.size()];
        const std::int32_t day = 20240301 + i % 9;  // 1 to 9 March, a weekend among them
        if (day == 20240305) {
            ledger.push_back(test::cashRecord(i % 2 ? RecordType::CashIn : RecordType::CashOut, day,
                                              1000.1 + i));
            continue;
        }
        const RecordType kind = i % 5 == 4 ? RecordType::Sell : RecordType::Buy;
        ledger.push_back(stockRecord(kind, day, stock.code, 100, 10.5 + i % 7, 5, stock.market));
    }
    // The first stock sold to zero on the 6th, between others' records, and bought again.
    const StockId& first = stocks.front();
    std::int64_t held = 0;
    for (const LedgerRecord& r : ledger) {
        if (r.market == first.market && first.code == r.stockCode && r.date <= 20240306)
            held += r.kind() == RecordType::Sell ? -r.quantity : r.quantity;
    }
    ledger.insert(ledger.begin() + 150,
                  stockRecord(RecordType::Sell, 20240306, first.code,
                              static_cast<std::int32_t>(held), 11, 5, first.market));
    ledger.insert(ledger.begin() + 90,
                  stockRecord(RecordType::Buy, 20240308, first.code, 300, 12, 5, first.market));
    ledger.push_back(test::cashRecord(RecordType::CashIn, 20240229, 50000.7));

    const SeriesPrices sources = prices(20240312);
    const DaySeries total = TotalSeries(ledger, sources);
    ASSERT_EQ(total.size(), 13u);  // 29 February to 12 March
    EXPECT_EQ(total, test::literalTotalSeries(ledger, sources));
    const DaySeries firstAlone = StockSeries(ledger, first, true, sources);
    EXPECT_EQ(firstAlone, test::literalStockSeries(ledger, first, true, sources));
    EXPECT_NE(firstAlone[5].close, 0);  // the 5th: held
    EXPECT_EQ(firstAlone[6].close, 0);  // the 6th: sold out
    EXPECT_NE(firstAlone[7].close, 0);  // the 7th: bought again
    EXPECT_EQ(tradedStocks(ledger).size(), stocks.size());
}

// Fast and literal series on generated ledgers and bar files: two markets with one code,
// 3-decimal codes, holidays, a partial bar file, a stock without bars, ledgers in date order
// and in random order, today on a weekday with and without a bar and on a weekend.
class SeriesAgainstLiteral : public CapitalSeries,
                             public ::testing::WithParamInterface<unsigned> {};

TEST_P(SeriesAgainstLiteral, GiveIdenticalPoints) {
    const unsigned seed = GetParam();
    const std::vector<StockId> stocks = {kBank,         {0, "600036"}, {1, "900901"}, {0, "200002"},
                                         {0, "420001"}, {1, "201002"}, {0, "000001"}};
    const std::int32_t todays[] = {20240705, 20240706, 20240708, 20240710};
    const std::int32_t today = todays[seed % 4];
    for (unsigned i = 0; i < stocks.size(); ++i) {
        if (i == 5) continue;  // no bar file
        test::writeDayBarFile(
            dir.path(), stocks[i],
            test::weekdayBars(20231101, 20240708, seed * 31 + i, static_cast<int>(5 + i)),
            i == 4 ? 17 : 0);
    }
    test::LedgerShape shape;
    shape.stocks = stocks;
    shape.from = 20231201;
    shape.to = 20240712;
    shape.records = 150;
    shape.seed = seed;
    shape.dateOrder = seed % 2 == 0;
    const Ledger ledger = test::randomLedger(shape);
    const SeriesPrices sources = prices(today);

    for (const auto& stock : stocks) {
        for (bool fromAny : {false, true}) {
            SCOPED_TRACE(stock.code + (fromAny ? " from any record" : ""));
            EXPECT_EQ(StockSeries(ledger, stock, fromAny, sources),
                      test::literalStockSeries(ledger, stock, fromAny, sources));
        }
    }
    const DaySeries total = TotalSeries(ledger, sources);
    EXPECT_FALSE(total.empty());
    EXPECT_EQ(total, test::literalTotalSeries(ledger, sources));
}

INSTANTIATE_TEST_SUITE_P(GeneratedLedgers, SeriesAgainstLiteral, ::testing::Range(1u, 9u));

TEST(RunningCashBalance, EqualsTheSumInLedgerOrderDayAfterDay) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        test::LedgerShape shape;
        shape.stocks = {kBank};
        shape.from = 20230101;
        shape.to = 20230430;
        shape.records = 400;
        shape.seed = seed;
        shape.dateOrder = seed % 2 == 0;
        Ledger ledger = test::randomLedger(shape);
        ledger.push_back(test::cashRecord(RecordType::CashIn, -5, 7));  // never counts
        ledger.insert(ledger.begin() + 3, test::cashRecord(RecordType::CashIn, 0, 0.1));
        std::mt19937 random(seed);
        std::shuffle(ledger.begin() + ledger.size() / 2, ledger.end(), random);
        RunningCashBalance balance(ledger);
        for (std::int32_t day : {-10, 0, 20221231})
            EXPECT_EQ(balance.upTo(day), cashBalanceBetween(ledger, 0, day));
        for (std::int32_t day = 20230101; day <= 20230531; day += (day % 100 == 31 ? 70 : 1)) {
            ASSERT_EQ(balance.upTo(day), cashBalanceBetween(ledger, 0, day)) << day;
            ASSERT_EQ(balance.upTo(day), cashBalanceBetween(ledger, 0, day)) << day;  // asked again
        }
    }
}

}  // namespace
}  // namespace fiscora
