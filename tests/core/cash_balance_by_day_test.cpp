#include "engine/cash_balance_by_day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/builders.h"

namespace fiscora {
namespace {

// Amounts whose sums round differently in another order: each day's balance must be the
// ledger-order sum itself, not an equal-looking one.
constexpr double kAmounts[] = {0.1, 1e16, 0.7, -1e16, 3.3, 2.5e-3, 1234.56, -0.3};

std::vector<CashMove> movesOf(const Ledger& ledger) {
    std::vector<CashMove> moves;
    for (const LedgerRecord& r : ledger) moves.push_back({r.date, r.cashSign * r.amount});
    return moves;
}

// Checks every day of the calendar against the plain sum over the ledger.
void expectLedgerOrderSums(const Ledger& ledger, const SeriesCalendar& calendar) {
    const std::vector<double> balances = cashBalanceByDay(movesOf(ledger), calendar);
    ASSERT_EQ(balances.size(), calendar.size());
    for (std::size_t i = 0; i < calendar.size(); ++i)
        ASSERT_EQ(balances[i], cashBalanceBetween(ledger, 0, calendar.day(i))) << calendar.day(i);
}

// Deposits and withdrawals over 1..28 March 2024 (some days without any), plus records dated
// before 0, at 0, before the start, on 30 February, after today.
Ledger marchLedger(int records) {
    Ledger ledger;
    for (int i = 0; i < records; ++i) {
        const RecordType kind = i % 3 == 0 ? RecordType::CashOut : RecordType::CashIn;
        const std::int32_t day = 1 + (i * 7) % 28;
        if (day % 5 == 0) continue;  // cash-free days
        ledger.push_back(test::cashRecord(kind, 20240300 + day, kAmounts[i % 8]));
    }
    for (const std::int32_t odd : {-3, 0, 20240101, 20240230, 20240331, 20240415})
        ledger.push_back(test::cashRecord(RecordType::CashIn, odd, 0.1));
    return ledger;
}

TEST(CashBalanceByDay, EachDayIsTheLedgerOrderSumWhateverTheRecordOrder) {
    const SeriesCalendar calendar(20240225, 20240331);
    Ledger ledger = marchLedger(300);
    {
        SCOPED_TRACE("days interleaved record after record");
        expectLedgerOrderSums(ledger, calendar);
    }
    std::stable_sort(ledger.begin(), ledger.end(),
                     [](const LedgerRecord& a, const LedgerRecord& b) { return a.date < b.date; });
    {
        SCOPED_TRACE("in date order");
        expectLedgerOrderSums(ledger, calendar);
    }
    std::reverse(ledger.begin(), ledger.end());
    {
        SCOPED_TRACE("in reverse date order");
        expectLedgerOrderSums(ledger, calendar);
    }
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        std::shuffle(ledger.begin(), ledger.end(), random);
        SCOPED_TRACE(seed);
        expectLedgerOrderSums(ledger, calendar);
    }
}

TEST(CashBalanceByDay, DaysBeforeAnyMoveAndCalendarsWithoutMovesAreZero) {
    const Ledger late = {test::cashRecord(RecordType::CashIn, 20240310, 5),
                         test::cashRecord(RecordType::CashIn, 20240420, 7)};
    const std::vector<double> balances =
        cashBalanceByDay(movesOf(late), SeriesCalendar(20240308, 20240311));
    EXPECT_EQ(balances, (std::vector<double>{0, 0, 5, 5}));
    EXPECT_EQ(cashBalanceByDay({}, SeriesCalendar(20240308, 20240309)),
              (std::vector<double>{0, 0}));
    // One day only: everything up to it, the records before the start included.
    const Ledger early = {test::cashRecord(RecordType::CashIn, 20200101, 3),
                          test::cashRecord(RecordType::CashOut, 20240308, 1)};
    EXPECT_EQ(cashBalanceByDay(movesOf(early), SeriesCalendar(20240308, 20240308)),
              (std::vector<double>{2}));
}

TEST(SeriesCalendar, PlacesEveryDateOnTheFirstDayThatCountsIt) {
    const SeriesCalendar calendar(20240228, 20240304);  // Wednesday to Monday
    ASSERT_EQ(calendar.size(), 6u);
    EXPECT_EQ(calendar.day(2), 20240301);
    EXPECT_EQ(calendar.barDay(3), 20240301);  // Saturday takes Friday's bar
    EXPECT_EQ(calendar.barDay(4), 20240301);  // so does Sunday
    EXPECT_EQ(calendar.barDay(5), 20240304);
    EXPECT_EQ(calendar.firstDayCounting(20240228), 0u);
    EXPECT_EQ(calendar.firstDayCounting(20240229), 1u);
    EXPECT_EQ(calendar.firstDayCounting(20240230), 2u);  // no such day: from 1 March
    EXPECT_EQ(calendar.firstDayCounting(20240299), 2u);
    EXPECT_EQ(calendar.firstDayCounting(20240304), 5u);
    // Across a year's end the numbers jump by almost 9000.
    const SeriesCalendar newYear(20231230, 20240102);
    EXPECT_EQ(newYear.firstDayCounting(20231232), 2u);
    EXPECT_EQ(newYear.firstDayCounting(20231301), 2u);
    EXPECT_EQ(newYear.firstDayCounting(20240101), 2u);
    EXPECT_EQ(newYear.firstDayCounting(20240102), 3u);
}

}  // namespace
}  // namespace fiscora
