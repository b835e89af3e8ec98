#include "engine/trade_fee.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/module_state.h"
#include "records/gbk_text.h"
#include "support/builders.h"

namespace fiscora {
namespace {

using test::feeRow;

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
    TradeParamTable table = {feeRow(1, "6", "沪A"), feeRow(0, "600", "深误"),
                             feeRow(1, "600", "沪600", 0.001), feeRow(1, "600", "沪600b", 0.002),
                             feeRow(1, "", "空")};
    TradeParam out{};
    ASSERT_TRUE(findTradeParam(table, "上海", "600036", out));
    EXPECT_EQ(fieldText(out.categoryName), "沪600");
    ASSERT_TRUE(findTradeParam(table, "上海", "601398", out));
    EXPECT_EQ(fieldText(out.categoryName), "沪A");
    // A Shenzhen row never serves a Shanghai stock and vice versa.
    ASSERT_TRUE(findTradeParam(table, "深圳", "600036", out));
    EXPECT_EQ(fieldText(out.categoryName), "深误");
    TradeParam untouched = feeRow(0, "x", "untouched");
    EXPECT_FALSE(findTradeParam(table, "深圳", "000001", untouched));
    EXPECT_EQ(fieldText(untouched.categoryName), "untouched");
    EXPECT_FALSE(findTradeParam(table, "北京", "600036", out));
    EXPECT_FALSE(findTradeParam(table, "上海", "", out));  // an empty prefix never matches
    EXPECT_FALSE(findTradeParam({feeRow(1, "600036", "长")}, "上海", "60003", out));
}

TEST(FindTradeParam, FallsBackToTheDefaultRow) {
    setStandardDefaultTradeParams();
    const TradeParam p = tradeParamFor({}, "上海", "600036");
    EXPECT_DOUBLE_EQ(p.commissionRate, 0.0035);
    EXPECT_DOUBLE_EQ(tradeParamFor({feeRow(1, "6", "沪A")}, 1, "600036").commissionRate, 0.003);
    EXPECT_DOUBLE_EQ(tradeParamFor({feeRow(1, "6", "沪A")}, 7, "600036").commissionRate, 0.0035);
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

TEST(TradeType, ListsItsTextsInTheDialogsOrderAndFindsThemByTextOrUnit) {
    EXPECT_EQ(tradeTypeTexts(), (std::vector<std::string>{"深沪A股", "深证B股", "上证B股"}));
    EXPECT_EQ(marketTexts(), (std::vector<std::string>{"深圳", "上海"}));
    EXPECT_EQ(findTradeType("上证B股"), &kTradeTypes[2]);
    EXPECT_EQ(findTradeType("B股"), nullptr);
    EXPECT_EQ(tradeTypeOfUnit("港元"), &kTradeTypes[1]);
    EXPECT_EQ(tradeTypeOfUnit("人民币元"), nullptr);
    // A B share account's stocks are all of one market; an A share account has both.
    EXPECT_EQ(kShanghaiBShares.fixedMarket, 1);
    EXPECT_EQ(kShenzhenBShares.fixedMarket, 0);
    EXPECT_EQ(kAShares.fixedMarket, -1);
    EXPECT_STREQ(currencyUnitOfTradeType("unknown").c_str(), "港元");
}

}  // namespace
}  // namespace fiscora
