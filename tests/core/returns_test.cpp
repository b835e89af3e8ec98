#include "engine/returns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/dates.h"
#include "engine/irr_solver.h"
#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using test::cashRecord;
using test::stockRecord;

const StockId kBank{1, "600036"};
const StockId kIndex{1, "000001"};

// A series of `value(day)` over every day of 2023.
ValueSeries year2023(double (*value)(std::int32_t day)) {
    ValueSeries s{20230101, {}};
    for (std::int32_t n = dayNumber(20230101); n <= dayNumber(20231231); ++n)
        s.values.push_back(value(dateOfDayNumber(n)));
    return s;
}

DayBar closeBar(std::int32_t date, std::uint32_t close) {
    DayBar b{};
    b.date = date;
    for (std::uint32_t& p : b.prices) p = close;
    return b;
}

TEST(IrrSolver, FindsTheRateOfSimpleAndMixedFlows) {
    // 1000 in, 1100 back a year later: 10%.
    EXPECT_NEAR(*internalRateOfReturn({{1, 1000}, {0, -1100}}), 0.10, 1e-12);
    // A loss over half a year, as a year's rate: 0.9^2 - 1.
    EXPECT_NEAR(*internalRateOfReturn({{0.5, 1000}, {0, -900}}), 0.81 - 1, 1e-12);
    // Money in, some back, more in, the rest back.
    const std::vector<TimedAmount> mixed{{2, 1000}, {1.5, -200}, {1, 500}, {0, -1500}};
    const double r = *internalRateOfReturn(mixed);
    double sum = 0;
    for (const TimedAmount& a : mixed) sum += a.amount * std::pow(1 + r, a.years);
    EXPECT_NEAR(sum, 0, 1e-9);
}

TEST(IrrSolver, SaysSoWhenNoRateSolvesTheFlows) {
    EXPECT_FALSE(internalRateOfReturn({}));
    EXPECT_FALSE(internalRateOfReturn({{1, 0}, {0, 0}}));                 // zero values
    EXPECT_FALSE(internalRateOfReturn({{1, 1000}, {0.5, 200}, {0, 0}}));  // all inflows
    EXPECT_FALSE(internalRateOfReturn({{1, -1000}, {0, -5}}));            // all outflows
    EXPECT_FALSE(internalRateOfReturn({{1, 1}, {0, -1e9}}));              // beyond the range
    // Everything lost: the rate tends to -100% and is not reached.
    EXPECT_FALSE(internalRateOfReturn({{1, 1000}, {0, 0}}));
}

TEST(PeriodMeasure, OneDepositGrowingTenPercent) {
    const ValueSeries values =
        year2023([](std::int32_t d) { return d < 20231231 ? 10000.0 : 11000.0; });
    const PeriodFigures f = measurePeriod(values, {{20230101, 10000}}, 20230101, 20231231);
    EXPECT_EQ(f.startValue, 0);
    EXPECT_EQ(f.endValue, 11000);
    EXPECT_EQ(f.cashIn, 10000);
    EXPECT_EQ(f.netFlow(), 10000);
    EXPECT_NEAR(*f.irr, 0.10, 1e-12);
    EXPECT_NEAR(*f.twrTotal, 0.10, 1e-12);
    EXPECT_NEAR(*f.twr, 0.10, 1e-12);
}

TEST(PeriodMeasure, MoneyAddedBeforeAFallMakesTheTwoReturnsDifferInSign) {
    // 100 doubles by 30 June; 1000 more comes in on 1 July; the 1200 then falls to 720.
    const ValueSeries values = year2023([](std::int32_t d) {
        if (d < 20230630) return 100.0;
        if (d == 20230630) return 200.0;
        return d < 20231231 ? 1200.0 : 720.0;
    });
    const PeriodFigures f =
        measurePeriod(values, {{20230101, 100}, {20230701, 1000}}, 20230101, 20231231);
    EXPECT_NEAR(*f.twrTotal, 2 * 0.6 - 1, 1e-12);
    EXPECT_NEAR(*f.irr, -0.5424612125078596, 1e-9);  // 100x + 1000x^(184/365) = 720
    EXPECT_EQ(f.cashIn, 1100);
    // The unit value: 1 until June, 2 from 30 June, 1.2 on the last day, never back.
    EXPECT_NEAR(f.drawdown.depth, 0.4, 1e-12);
    EXPECT_EQ(f.drawdown.peakDay, 20231230);
    EXPECT_EQ(f.drawdown.troughDay, 20231231);
    EXPECT_FALSE(f.drawdown.recoveryDay);
}

TEST(PeriodMeasure, WithdrawalsAreNoLossAndARecoveryIsDated) {
    // 1000 falls to 800 on 1 March, 400 go out on 2 March, the rest climbs back to 500 by
    // 1 May (the unit value back at its peak) and 600 by the end.
    const ValueSeries values = year2023([](std::int32_t d) {
        if (d < 20230301) return 1000.0;
        if (d == 20230301) return 800.0;
        if (d < 20230501) return 400.0;
        return d < 20231231 ? 500.0 : 600.0;
    });
    const PeriodFigures f = measurePeriod(values, {{20230302, -400}}, 20230102, 20231231);
    EXPECT_EQ(f.startValue, 1000);
    EXPECT_EQ(f.cashOut, 400);
    EXPECT_NEAR(*f.twrTotal, 0.8 * 1.5 - 1, 1e-12);
    EXPECT_NEAR(f.drawdown.depth, 0.2, 1e-12);
    EXPECT_EQ(f.drawdown.peakDay, 20230228);
    EXPECT_EQ(f.drawdown.troughDay, 20230301);
    EXPECT_EQ(f.drawdown.recoveryDay, 20230501);
}

TEST(PeriodMeasure, NoFlowsAndNothingInvested) {
    const ValueSeries values =
        year2023([](std::int32_t d) { return d < 20230701 ? 1000.0 : 1100.0; });
    // A year with no flows inside it: both returns are the value's change.
    const PeriodFigures held = measurePeriod(values, {}, 20230102, 20231231);
    EXPECT_EQ(held.netFlow(), 0);
    EXPECT_NEAR(*held.irr, std::pow(1.1, 365.0 / 364) - 1, 1e-12);
    EXPECT_NEAR(*held.twr, std::pow(1.1, 365.0 / 364) - 1, 1e-12);
    // Before the series starts there is nothing to measure, and that is what is said.
    const PeriodFigures before = measurePeriod(values, {}, 20220101, 20221231);
    EXPECT_FALSE(before.irr);
    EXPECT_FALSE(before.twr);
    EXPECT_EQ(before.drawdown.depth, 0);
    // Cash overdrawn below zero: a loss of more than everything has a total but no yearly
    // rate, and no rate solves the flows.
    const ValueSeries overdrawn =
        year2023([](std::int32_t d) { return d < 20230701 ? 1000.0 : -500.0; });
    const PeriodFigures lost = measurePeriod(overdrawn, {}, 20230102, 20231231);
    EXPECT_NEAR(*lost.twrTotal, -1.5, 1e-12);
    EXPECT_FALSE(lost.twr);
    EXPECT_FALSE(lost.irr);
}

class AccountReturns : public ::testing::Test {
protected:
    SeriesPrices prices(std::int32_t today) const { return {dir.path(), nullptr, today}; }
    test::TempDir dir;
};

TEST_F(AccountReturns, ALosingYearAfterAGainingOneWithAHolidayThatIsNoLoss) {
    // 10000 in, 1000 shares at 10 on the first trading day of 2022; 12 at the end of 2022,
    // 9 at the end of 2023; 3 January 2023 is a holiday with no bar.
    test::writeDayBarFile(dir.path(), kBank,
                          {closeBar(20220104, 1000), closeBar(20221230, 1200),
                           closeBar(20230104, 1200), closeBar(20231229, 900)});
    const Ledger ledger = {cashRecord(RecordType::CashIn, 20220104, 10000),
                           stockRecord(RecordType::Buy, 20220104, "600036", 1000, 10, 0)};
    ReturnsRequest request;
    request.byYear = true;
    const std::vector<ReturnsRow> rows = measureReturns(ledger, prices(20231231), request);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].period, "all");
    EXPECT_EQ(rows[0].figures.from, 20220104);
    EXPECT_EQ(rows[0].figures.endValue, 9000);
    EXPECT_NEAR(*rows[0].figures.twrTotal, -0.1, 1e-12);
    const PeriodFigures& y2022 = rows[1].figures;
    const PeriodFigures& y2023 = rows[2].figures;
    EXPECT_EQ(rows[2].period, "2023");
    EXPECT_EQ(y2022.endValue, 12000);
    EXPECT_NEAR(*y2022.twrTotal, 0.2, 1e-12);
    EXPECT_EQ(y2023.startValue, 12000);
    EXPECT_NEAR(*y2023.twrTotal, -0.25, 1e-12);
    EXPECT_NEAR(*y2023.irr, -0.25, 1e-12);
    // The holiday keeps the last close; the only fall is the year's end.
    EXPECT_NEAR(y2023.drawdown.depth, 0.25, 1e-12);
    EXPECT_EQ(y2023.drawdown.troughDay, 20231229);
}

TEST_F(AccountReturns, APositionsOwnFlowsAndTheBenchmark) {
    // Bought at 10 on 2 January 2023, a dividend of 50 in July, sold at 11 at the year end.
    test::writeDayBarFile(dir.path(), kBank, {closeBar(20230103, 1000), closeBar(20231229, 1100)});
    test::writeDayBarFile(dir.path(), kIndex,
                          {closeBar(20221230, 300000), closeBar(20231229, 330000)});
    const Ledger ledger = {cashRecord(RecordType::CashIn, 20230101, 5000),
                           stockRecord(RecordType::Buy, 20230101, "600036", 100, 9.9, 10),
                           stockRecord(RecordType::Dividend, 20230701, "600036", 100, 0.5, 0),
                           stockRecord(RecordType::Sell, 20231231, "600036", 100, 11.05, 5)};
    ReturnsRequest request;
    request.stock = kBank;
    request.benchmark = kIndex;
    const std::vector<ReturnsRow> rows = measureReturns(ledger, prices(20231231), request);
    ASSERT_EQ(rows.size(), 1u);
    const PeriodFigures& f = rows[0].figures;
    EXPECT_EQ(f.cashIn, 1000);
    EXPECT_EQ(f.cashOut, 1150);
    EXPECT_EQ(f.endValue, 0);
    // 1000x = 50x^(184/365) + 1100x^(1/365)
    EXPECT_NEAR(*f.irr, 0.1541802745727543, 1e-9);
    EXPECT_NEAR(f.activity.realisedProfit, 100, 1e-9);
    EXPECT_EQ(f.activity.dividends, 50);
    EXPECT_EQ(f.activity.fees, 15);
    EXPECT_NEAR(*f.benchmarkTotal, 0.1, 1e-12);
    EXPECT_NEAR(*f.excess, *f.twr - *f.benchmark, 1e-15);
    // Another code was never traded: nothing to measure.
    request.stock = StockId{0, "000002"};
    EXPECT_TRUE(measureReturns(ledger, prices(20231231), request).empty());
}

TEST_F(AccountReturns, TheBenchmarkIsDrawnFromTheValueItIsComparedWith) {
    // 1000 shares at 10, 12 from July; the index 3000 until June, 3300 from July.
    test::writeDayBarFile(dir.path(), kBank, {closeBar(20230103, 1000), closeBar(20230703, 1200)});
    test::writeDayBarFile(dir.path(), kIndex,
                          {closeBar(20230103, 300000), closeBar(20230703, 330000)});
    const Ledger ledger = {cashRecord(RecordType::CashIn, 20230101, 10000),
                           stockRecord(RecordType::Buy, 20230103, "600036", 1000, 10, 0)};
    ReturnsRequest request;
    request.benchmark = kIndex;
    // From the second half: both start at the value before it, 10000, and the index's
    // 10% shows as 11000.
    request.from = 20230702;
    ReturnsAnalysis a = analyseReturns(ledger, prices(20230710), request);
    ASSERT_EQ(a.values.size(), 9u);
    ASSERT_EQ(a.benchmark.size(), 9u);
    EXPECT_EQ(a.values.front(), 10000);
    EXPECT_DOUBLE_EQ(a.benchmark.front(), 10000);
    EXPECT_DOUBLE_EQ(a.benchmark.back(), 11000);
    EXPECT_NEAR(a.benchmark.back() / a.benchmark.front() - 1, *a.rows[0].figures.benchmarkTotal,
                1e-12);
    // From the start: the index has no bar before 3 January, so its line starts there, at
    // the value of that day; the days before it are not drawn.
    request.from = 0;
    a = analyseReturns(ledger, prices(20230710), request);
    ASSERT_EQ(a.benchmark.size(), a.values.size());
    EXPECT_EQ(a.benchmark[0], 0);
    EXPECT_EQ(a.benchmark[1], 0);
    EXPECT_DOUBLE_EQ(a.benchmark.back(), 11000);
    // A code without bars draws nothing.
    request.benchmark = StockId{0, "399001"};
    EXPECT_TRUE(analyseReturns(ledger, prices(20230710), request).benchmark.empty());
}

TEST_F(AccountReturns, CashOnlyAccountsAndTrailingPeriods) {
    const Ledger ledger = {cashRecord(RecordType::CashIn, 20200315, 1000),
                           cashRecord(RecordType::CashOut, 20220601, 400)};
    ReturnsRequest request;
    request.trailing = true;
    const std::vector<ReturnsRow> rows = measureReturns(ledger, prices(20231231), request);
    // Five years back would start before the first record.
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].period, "1y");
    EXPECT_EQ(rows[1].figures.from, 20230101);
    EXPECT_EQ(rows[2].figures.from, 20210101);
    EXPECT_EQ(rows[0].figures.endValue, 600);
    EXPECT_NEAR(*rows[0].figures.twr, 0, 1e-15);
    EXPECT_NEAR(*rows[0].figures.irr, 0, 1e-12);
    EXPECT_EQ(rows[0].figures.drawdown.depth, 0);
    EXPECT_TRUE(measureReturns({}, prices(20231231), request).empty());
}

TEST_F(AccountReturns, ALargeLedgerMeasuresTheSameInAnyEntryOrder) {
    // 30,000 records over two years, entered in random order, and their copy in date order
    // (the same order within a day): the activity is the same to the bit, the rates to
    // rounding (the cash is summed in entry order). A record far in the past that carries
    // nothing makes the records be put in date order by sorting rather than by counting:
    // every figure of the period asked stays exactly the same.
    test::LedgerShape shape = test::barsOfManyStocks(dir.path(), 6, 30'000, 20220103, 20231229);
    shape.dateOrder = false;
    const Ledger shuffled = test::randomLedger(shape);
    Ledger ordered = shuffled;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const LedgerRecord& a, const LedgerRecord& b) { return a.date < b.date; });
    ReturnsRequest request;
    request.from = 20220103;
    request.to = 20231229;
    request.byYear = true;
    request.trailing = true;
    const auto measure = [&](const Ledger& ledger) {
        return measureReturns(ledger, prices(20231229), request);
    };
    const std::vector<ReturnsRow> rows = measure(shuffled);
    const std::vector<ReturnsRow> rowsInDateOrder = measure(ordered);
    ASSERT_EQ(rows.size(), 4u);
    ASSERT_EQ(rowsInDateOrder.size(), 4u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PeriodFigures& f = rows[i].figures;
        const PeriodFigures& g = rowsInDateOrder[i].figures;
        const auto near = [](std::optional<double> a, std::optional<double> b) {
            return a.has_value() == b.has_value() && (!a || std::abs(*a - *b) < 1e-9);
        };
        EXPECT_NE(f.activity.realisedProfit, 0);
        EXPECT_EQ(f.activity, g.activity);
        EXPECT_EQ(f.cashIn, g.cashIn);
        EXPECT_TRUE(near(f.irr, g.irr)) << rows[i].period;
        EXPECT_TRUE(near(f.twrTotal, g.twrTotal)) << rows[i].period;
        EXPECT_TRUE(near(f.twr, g.twr)) << rows[i].period;
        EXPECT_NEAR(f.drawdown.depth, g.drawdown.depth, 1e-9);
    }
    for (const auto& [ledger, expected] : {std::pair{shuffled, rows}, {ordered, rowsInDateOrder}}) {
        Ledger withPast = ledger;
        withPast.push_back(cashRecord(RecordType::CashIn, 19900102, 0));
        EXPECT_EQ(measure(withPast), expected);
    }
}

}  // namespace
}  // namespace fiscora
