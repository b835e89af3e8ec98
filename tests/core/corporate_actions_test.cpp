#include "engine/corporate_actions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/number_format.h"
#include "host/module_state.h"

namespace fiscora {
namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::uint32_t kUint32Max = std::numeric_limits<std::uint32_t>::max();

TEST(CorporateActions, DividendIsHeldTimesRateAtFullPrecision) {
    EXPECT_EQ(dividendDue(1000, 0.125), 125.0);
    EXPECT_EQ(formatAmount(dividendDue(1000, 0.125)), "125.000");
    // The booked amount keeps what the three-decimal box drops.
    EXPECT_DOUBLE_EQ(dividendDue(1234, 0.0123), 15.1782);
    EXPECT_EQ(formatAmount(dividendDue(1234, 0.0123)), "15.178");
    // A whole int32 holding times a rate is not wrapped through a 32-bit product.
    EXPECT_DOUBLE_EQ(dividendDue(kInt32Max, 2.0), 4294967294.0);
}

TEST(CorporateActions, SchemeSharesTruncateAndNeedAWholeScheme) {
    EXPECT_EQ(schemeShares(1000, 10, 1), 100);
    EXPECT_EQ(schemeShares(1000, 10, 3), 300);
    EXPECT_EQ(schemeShares(1005, 10, 3), 301);  // 301.5 truncated
    EXPECT_EQ(schemeShares(5, 10, 1), 0);
    EXPECT_EQ(schemeShares(0, 10, 1), 0);
    EXPECT_EQ(schemeShares(1000, 0, 1), std::nullopt);
    EXPECT_EQ(schemeShares(1000, 10, 0), std::nullopt);
}

TEST(CorporateActions, SchemeSharesOfLargeHoldingsAreExactInSixtyFourBits) {
    // A 32-bit product would wrap: 2,000,000,000 x 3 is beyond every 32-bit range.
    EXPECT_EQ(schemeShares(2000000000, 10, 3), 600000000);
    EXPECT_EQ(schemeShares(2000000000, 10, 11), 2200000000LL);
    EXPECT_EQ(schemeShares(kInt32Max, 1, kUint32Max),
              static_cast<std::int64_t>(kInt32Max) * kUint32Max);
    EXPECT_EQ(schemeShares(kInt32Max, kUint32Max, kUint32Max), kInt32Max);
    // A negative holding (a file written elsewhere) gives a negative count, not a huge one.
    EXPECT_EQ(schemeShares(-500, 10, 1), -50);
    // Holdings beyond 32 bits (bonus shares on a large position) are worked exactly, and a
    // count beyond 64 bits stops at the limit instead of wrapping to a small one.
    constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(schemeShares(6000000000LL, 10, 3), 1800000000LL);
    EXPECT_EQ(schemeShares(kInt64Max, 1, 2), kInt64Max);
    EXPECT_EQ(schemeShares(-kInt64Max, 1, 2), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(schemeShares(kInt64Max, kUint32Max, kUint32Max), kInt64Max);
}

TEST(CorporateActions, OnlyCountsARecordCanHoldFit) {
    EXPECT_TRUE(fitsRecordQuantity(0));
    EXPECT_TRUE(fitsRecordQuantity(kInt32Max));
    EXPECT_FALSE(fitsRecordQuantity(static_cast<std::int64_t>(kInt32Max) + 1));
    EXPECT_FALSE(fitsRecordQuantity(-1));
    EXPECT_FALSE(fitsRecordQuantity(*schemeShares(2000000000, 10, 11)));
}

TEST(CorporateActions, PurchaseCostIsPriceTimesQuantityPlusFee) {
    setStandardDefaultTradeParams();
    const TradeParam& defaults = defaultTradeParams();
    // Against cash of 1000.000: 100 at 10.00 costs more than the cash, 100 at 9.00 less.
    const PurchaseCost tooDear = purchaseCost(10.00, 100, defaults);
    EXPECT_EQ(formatAmount(tooDear.fee), "12.000");
    EXPECT_EQ(formatAmount(tooDear.expense), "1012.000");
    EXPECT_GT(tooDear.expense, 1000.0);
    const PurchaseCost affordable = purchaseCost(9.00, 100, defaults);
    EXPECT_EQ(formatAmount(affordable.fee), "11.800");
    EXPECT_EQ(formatAmount(affordable.expense), "911.800");
    EXPECT_LE(affordable.expense, 1000.0);
    // The quantity is widened before the product: no 32-bit wrap.
    EXPECT_DOUBLE_EQ(purchaseCost(2.0, kUint32Max, defaults).expense -
                         purchaseCost(2.0, kUint32Max, defaults).fee,
                     2.0 * kUint32Max);
}

}  // namespace
}  // namespace fiscora
