#include "records/ledger_record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/dates.h"
#include "support/packed_field.h"

namespace fiscora {
namespace {

LedgerRecord cash(RecordType kind, std::int32_t date, double amount) {
    LedgerRecord r = makeRecord(kind, date);
    r.amount = amount;
    return r;
}

TEST(LedgerRecord, FreshRecordIsZeroWithTypeNoneAndNoViewRow) {
    LedgerRecord r;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i) {
        if (i >= 123 && i < 127) continue;
        if (i >= 175 && i < 179) continue;
        EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
    // Little-endian 8 at offset 123, -1 at offset 175.
    EXPECT_EQ(bytes[123], 8);
    EXPECT_EQ(bytes[124], 0);
    for (int i = 175; i < 179; ++i) EXPECT_EQ(bytes[i], 0xFF);
    EXPECT_FALSE(r.isStock());
}

TEST(LedgerRecord, KindsCarryTheirCashSignsAndNames) {
    EXPECT_EQ(cashSignOf(RecordType::Buy), -1);
    EXPECT_EQ(cashSignOf(RecordType::Sell), 1);
    EXPECT_EQ(cashSignOf(RecordType::Dividend), 1);
    EXPECT_EQ(cashSignOf(RecordType::BonusShares), 0);
    EXPECT_EQ(cashSignOf(RecordType::RightsIssue), -1);
    EXPECT_EQ(cashSignOf(RecordType::CashIn), 1);
    EXPECT_EQ(cashSignOf(RecordType::CashOut), -1);
    EXPECT_EQ(kindName(0), "买入股票");
    EXPECT_EQ(kindName(1), "卖出股票");
    EXPECT_EQ(kindName(2), "股票分红");
    EXPECT_EQ(kindName(3), "送股");
    EXPECT_EQ(kindName(4), "配股");
    EXPECT_EQ(kindName(5), "");
    EXPECT_EQ(kindName(6), "投入资金");
    EXPECT_EQ(kindName(7), "划出资金");
    EXPECT_EQ(kindName(-3), "");
    for (int t = 0; t <= 4; ++t) {
        LedgerRecord r;
        r.type = t;
        EXPECT_TRUE(r.isStock()) << t;
    }
}

TEST(CashBalance, SumsSignedAmountsWholeOrOverDates) {
    Ledger ledger;
    EXPECT_EQ(cashBalance(ledger), 0.0);
    ledger.push_back(cash(RecordType::CashIn, 20020301, 10000));
    ledger.push_back(cash(RecordType::CashOut, 20010615, 500));  // entered out of date order
    LedgerRecord bonus = cash(RecordType::BonusShares, 20011231, 999);
    ledger.push_back(bonus);  // never moves cash, whatever its amount holds
    ledger.push_back(cash(RecordType::CashIn, 20010101, 250));
    ledger.push_back(cash(RecordType::CashIn, 20000101, 1));

    EXPECT_DOUBLE_EQ(cashBalance(ledger), 10000 - 500 + 250 + 1);
    EXPECT_DOUBLE_EQ(cashBalanceBetween(ledger, 20010101, 20011231), -500 + 250);
    EXPECT_DOUBLE_EQ(cashBalanceBetween(ledger, 20010615, -1), 10000 - 500);
    EXPECT_DOUBLE_EQ(cashBalanceBetween(ledger, 20020302, -1), 0);
    EXPECT_EQ(test::unpacked(ledger[1].date), 20010615);  // entry order kept
}

TEST(LedgerRecord, FoundByViewRowOrByStock) {
    Ledger ledger(3);
    ledger[1].viewRow = 4;
    ledger[2].viewRow = 4;
    EXPECT_EQ(findByViewRow(ledger, 4), &ledger[1]);
    EXPECT_EQ(findByViewRow(ledger, 7), nullptr);

    LedgerRecord r = makeRecord(RecordType::Buy, 20240101);
    r.market = 1;
    std::memcpy(r.stockCode, "600036", 7);
    EXPECT_TRUE(isRecordOf(r, 1, "600036"));
    EXPECT_FALSE(isRecordOf(r, 0, "600036"));
    EXPECT_FALSE(isRecordOf(r, 1, "60003"));
}

TEST(Dates, ConvertToAndFromYyyymmdd) {
    EXPECT_EQ(dateFromParts(2001, 12, 31), 20011231);
    const DateParts p = splitDate(20011231);
    EXPECT_EQ(p.year, 2001);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 31);
    EXPECT_EQ(dateFromTime(timeFromDate(20240229)), 20240229);
    const std::time_t t = timeFromDate(20240301);
    std::tm local{};
    localtime_r(&t, &local);
    EXPECT_EQ(local.tm_hour, 0);
    EXPECT_EQ(local.tm_min, 0);
    EXPECT_EQ(today(), dateFromTime(std::time(nullptr)));
    const TimeRange range = datePickerRange(1'000'000'000);
    EXPECT_EQ(range.earliest, 1'000'000'000 - 864'000'000);
    EXPECT_EQ(range.latest, 1'000'000'000 + 864'000'000);
}

}  // namespace
}  // namespace fiscora
