#include "ui/trade/corporate_action_checks.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/corporate_actions.h"
#include "host/module_state.h"

namespace fiscora::ui {
namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

TEST(CorporateActionChecks, ADividendNeedsARateAboveZeroOnAHoldingARecordHolds) {
    EXPECT_EQ(dividendRefusal(0, 1000), "每股分红金额不能小于零");
    EXPECT_EQ(dividendRefusal(-0.1, 1000), "每股分红金额不能小于零");
    EXPECT_EQ(dividendRefusal(0.125, 1000), std::nullopt);
    EXPECT_EQ(dividendRefusal(0.125, kInt32Max), std::nullopt);
    EXPECT_EQ(dividendRefusal(0.125, std::int64_t{kInt32Max} + 1),
              "持股数量超过2147483647股,不能分红");
    EXPECT_EQ(dividendRefusal(0.125, -1), "持股数量小于零,不能分红");
}

TEST(CorporateActionChecks, BonusSharesNeedAWholeSchemeThenSharesARecordHolds) {
    EXPECT_EQ(bonusSharesRefusal(1000, 10, 1), std::nullopt);
    EXPECT_EQ(bonusSharesRefusal(1005, 10, 3), std::nullopt);
    EXPECT_EQ(bonusSharesRefusal(5, 10, 1), "送股数量不能为零，请重新填写数据");
    for (auto [per, grant] : {std::pair{0, 1}, {10, 0}, {-10, 1}, {10, -1}}) {
        EXPECT_EQ(bonusSharesRefusal(1000, per, grant), "送股方案的填写有误，请重新填写数据")
            << per << " " << grant;
    }
    // The scheme is judged before the count, which a scheme of 0 would leave at zero.
    EXPECT_EQ(bonusSharesRefusal(5, 0, 1), "送股方案的填写有误，请重新填写数据");
    // Counts beyond a record's int32 are refused instead of booked wrapped round.
    EXPECT_EQ(bonusSharesRefusal(2000000000, 10, 11), "送股数量超过了2147483647股，请重新填写数据");
    EXPECT_EQ(bonusSharesRefusal(kInt32Max, 2, 3), "送股数量超过了2147483647股，请重新填写数据");
    EXPECT_EQ(bonusSharesRefusal(kInt32Max, 1, 1), std::nullopt);
    // Any holding the ledger has is taken whole; a negative one gives no shares.
    EXPECT_EQ(bonusSharesRefusal(std::int64_t{4} * kInt32Max, 10, 1), std::nullopt);
    EXPECT_EQ(bonusSharesRefusal(-1000, 10, 1), "送股数量不能为零，请重新填写数据");
}

class RightsIssueChecks : public ::testing::Test {
protected:
    // Holding 1000 under 10 for 1 (maximum 100), cash 1000.000 as the box shows it.
    RightsSubscription entry(std::uint32_t quantity, double price) const {
        RightsSubscription e;
        e.per = 10;
        e.grant = 1;
        e.maximum = *schemeShares(1000, 10, 1);
        e.quantity = quantity;
        e.price = price;
        e.expense = purchaseCost(price, quantity, defaultTradeParams()).expense;
        e.cash = 1000.000;
        return e;
    }
    void SetUp() override { setStandardDefaultTradeParams(); }
};

TEST_F(RightsIssueChecks, FeesCountAgainstTheCash) {
    // 100 at 10.00 costs 1012.000; 100 at 9.00 costs 911.800.
    EXPECT_EQ(rightsIssueRefusal(entry(100, 10.00)), "支出超过了现金数目，请减小配股数量");
    EXPECT_EQ(rightsIssueRefusal(entry(100, 9.00)), std::nullopt);
    RightsSubscription whole = entry(100, 9.00);
    whole.expense = whole.cash;
    EXPECT_EQ(rightsIssueRefusal(whole), std::nullopt);
}

TEST_F(RightsIssueChecks, ChecksComeInTheDialogsOrder) {
    // Over the maximum is found before the price is looked at.
    EXPECT_EQ(rightsIssueRefusal(entry(101, 0)), "配股数量超过了最大可配股数，请重填数据");
    // A price of 0 is found before a quantity of 0.
    EXPECT_EQ(rightsIssueRefusal(entry(0, 0)), "价格不能小于等于零，请重填价格");
    EXPECT_EQ(rightsIssueRefusal(entry(0, -1)), "价格不能小于等于零，请重填价格");
    EXPECT_EQ(rightsIssueRefusal(entry(0, 9.00)), "实际配股数要大于零，请重新填写数据");
    // The scheme comes first of all.
    for (auto [per, grant] : {std::pair{0u, 1u}, {10u, 0u}}) {
        RightsSubscription e = entry(101, 0);
        e.per = per;
        e.grant = grant;
        EXPECT_EQ(rightsIssueRefusal(e), "配股方案填写有误，请重新填写数据");
    }
}

TEST_F(RightsIssueChecks, AMaximumBeyondThirtyTwoBitsStillBoundsTheQuantity) {
    RightsSubscription e = entry(kInt32Max, 1.0);
    e.maximum = *schemeShares(kInt32Max, 1, 3);
    e.cash = 1e12;
    EXPECT_EQ(rightsIssueRefusal(e), std::nullopt);
    e.maximum = kInt32Max - 1;
    EXPECT_EQ(rightsIssueRefusal(e), "配股数量超过了最大可配股数，请重填数据");
}

}  // namespace
}  // namespace fiscora::ui
