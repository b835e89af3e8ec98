#include "engine/trade_fee.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/module_state.h"
#include "records/gbk_text.h"

namespace fiscora {
namespace {

TradeParam row(std::int32_t market, const char* prefix, const char* name,
               double commission = 0.003) {
    TradeParam p{};
    p.market = market;
    storeBytes(p.codePrefix, prefix);
    storeText(p.categoryName, name);
    p.commissionRate = commission;
    return p;
}

TEST(TradeFee, DefaultParametersChargeMinimumCommissionAndStampDuty) {
    setStandardDefaultTradeParams();
    const TradeParam& d = defaultTradeParams();
    EXPECT_DOUBLE_EQ(tradeFee(10.0, 100, d), 12.0);  // 10 minimum + 2 stamp duty
    EXPECT_DOUBLE_EQ(tradeFee(10.0, 10000, d), 350.0 + 200.0);
    EXPECT_DOUBLE_EQ(tradeFee(10.0, 0, d), 10.0);    // minimums apply to nothing too
    EXPECT_DOUBLE_EQ(tradeFee(12.0, 500, d), 33.0);  // commission 21 + stamp duty 12
}

TEST(TradeFee, TransferFeeCountsWholeThousandsWithAMinimum) {
    TradeParam p{};
    p.transferFeePer1000 = 1;
    p.minTransferFee = 1;
    EXPECT_DOUBLE_EQ(tradeFee(10, 999, p), 1.0);
    EXPECT_DOUBLE_EQ(tradeFee(10, 1999, p), 1.0);
    EXPECT_DOUBLE_EQ(tradeFee(10, 2000, p), 2.0);
    p.orderFee = 5;
    EXPECT_DOUBLE_EQ(tradeFee(10, 2000, p), 7.0);
}

TEST(FindTradeParam, LongestPrefixOfTheMarketWinsThenTableOrder) {
    TradeParamTable table = {row(1, "6", "沪A"), row(0, "600", "深误"),
                             row(1, "600", "沪600", 0.001), row(1, "600", "沪600b", 0.002),
                             row(1, "", "空")};
    TradeParam out{};
    ASSERT_TRUE(findTradeParam(table, "上海", "600036", out));
    EXPECT_EQ(fieldText(out.categoryName), "沪600");
    ASSERT_TRUE(findTradeParam(table, "上海", "601398", out));
    EXPECT_EQ(fieldText(out.categoryName), "沪A");
    // A Shenzhen row never serves a Shanghai stock and vice versa.
    ASSERT_TRUE(findTradeParam(table, "深圳", "600036", out));
    EXPECT_EQ(fieldText(out.categoryName), "深误");
    TradeParam untouched = row(0, "x", "untouched");
    EXPECT_FALSE(findTradeParam(table, "深圳", "000001", untouched));
    EXPECT_EQ(fieldText(untouched.categoryName), "untouched");
    EXPECT_FALSE(findTradeParam(table, "北京", "600036", out));
    EXPECT_FALSE(findTradeParam(table, "上海", "", out));  // an empty prefix never matches
    EXPECT_FALSE(findTradeParam({row(1, "600036", "长")}, "上海", "60003", out));
}

TEST(FindTradeParam, FallsBackToTheDefaultRow) {
    setStandardDefaultTradeParams();
    const TradeParam p = tradeParamFor({}, "上海", "600036");
    EXPECT_DOUBLE_EQ(p.commissionRate, 0.0035);
    EXPECT_DOUBLE_EQ(tradeParamFor({row(1, "6", "沪A")}, 1, "600036").commissionRate, 0.003);
    EXPECT_DOUBLE_EQ(tradeParamFor({row(1, "6", "沪A")}, 7, "600036").commissionRate, 0.0035);
}

TEST(CurrencyUnit, FollowsTheTradeType) {
    EXPECT_EQ(currencyUnitOfTradeType("深沪A股"), "元");
    EXPECT_EQ(currencyUnitOfTradeType("上证B股"), "美元");
    EXPECT_EQ(currencyUnitOfTradeType("深证B股"), "港元");
    EXPECT_EQ(marketFromText("深圳"), 0);
    EXPECT_EQ(marketFromText("上海"), 1);
    EXPECT_EQ(marketFromText("shanghai"), -1);
    EXPECT_EQ(marketText(1), "上海");
    EXPECT_EQ(marketText(5), "");
}

}  // namespace
}  // namespace fiscora
