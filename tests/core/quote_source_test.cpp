#include "host/quote_source.h"
#include "store/day_bar_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "host/module_state.h"
#include "support/fake_quotes.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

TEST(MarketOfCode, FollowsTheDigitsOfTheCode) {
    EXPECT_EQ(marketOfCode("600036"), 1);
    EXPECT_EQ(marketOfCode("000001"), 0);
    EXPECT_EQ(marketOfCode("010107"), 1);
    EXPECT_EQ(marketOfCode("020001"), 1);
    EXPECT_EQ(marketOfCode("050001"), 2);
    EXPECT_EQ(marketOfCode("100100"), 2);
    EXPECT_EQ(marketOfCode("200011"), 0);
    EXPECT_EQ(marketOfCode("300001"), 0);
    EXPECT_EQ(marketOfCode("900901"), 1);
    EXPECT_EQ(marketOfCode("000696"), 1);
    EXPECT_EQ(marketOfCode("000896"), 1);
    EXPECT_EQ(marketOfCode("12345"), 0);
    EXPECT_EQ(marketOfCode(""), 0);
}

TEST(QuoteSource, WithoutCallbackEveryCodeIsValidAndPricesAreZero) {
    registerQuoteCallback(nullptr);
    std::string name = "old";
    EXPECT_TRUE(stockName("999999", "深圳", name));
    EXPECT_EQ(name, "");
    EXPECT_EQ(latestPrice("600036", "上海"), 0.0);
    EXPECT_EQ(latestPriceByMarket("600036", 1), 0.0);
}

TEST(QuoteSource, NamesComeFromTheHostAsGbk) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "\xD5\xD0\xC9\xCC\xD2\xF8\xD0\xD0", 12.5f, 12.0f);  // 招商银行
    std::string name;
    EXPECT_TRUE(stockName("600036", "上海", name));
    EXPECT_EQ(name, "招商银行");
    EXPECT_TRUE(test::FakeQuotes::lastAskedName());
    EXPECT_FALSE(test::FakeQuotes::lastAskedPrices());
    EXPECT_TRUE(stockName("600036", 1, name));

    // Unknown stock, or the other market: false and an empty name.
    EXPECT_FALSE(stockName("600036", "深圳", name));
    EXPECT_EQ(name, "");
    // A market text that is neither is passed as -1.
    EXPECT_FALSE(stockName("600036", "北京", name));
    EXPECT_EQ(test::FakeQuotes::lastMarket(), -1);
}

TEST(QuoteSource, HostNameFillingAllTwelveBytesStaysBounded) {
    test::FakeQuotes quotes;
    quotes.add("000001", 0, "ABCDEFGHIJKL", 1, 1);
    std::string name;
    EXPECT_TRUE(stockName("000001", "深圳", name));
    EXPECT_EQ(name, "ABCDEFGHIJK");
}

TEST(QuoteSource, LatestPriceFallsBackToPreviousClose) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "", 12.5f, 12.0f);
    quotes.add("600000", 1, "", 0.0f, 8.25f);    // no trade yet today
    quotes.add("600001", 1, "", -1.0f, 7.5f);    // a negative latest price too
    quotes.add("600002", 1, "", 0.0009f, 3.0f);  // not above 0.001
    EXPECT_DOUBLE_EQ(latestPrice("600036", "上海"), 12.5);
    EXPECT_TRUE(test::FakeQuotes::lastAskedPrices());
    EXPECT_FALSE(test::FakeQuotes::lastAskedName());
    EXPECT_DOUBLE_EQ(latestPrice("600000", "上海"), 8.25);
    EXPECT_DOUBLE_EQ(latestPrice("600001", "上海"), 7.5);
    EXPECT_DOUBLE_EQ(latestPrice("600002", "上海"), 3.0);
    EXPECT_EQ(latestPrice("600036", "深圳"), 0.0);

    const int before = test::FakeQuotes::calls();
    EXPECT_EQ(latestPriceByMarket("600036", 2), 0.0);  // no lookup at all
    EXPECT_EQ(test::FakeQuotes::calls(), before);
    EXPECT_DOUBLE_EQ(latestPriceByMarket("600036", 1), 12.5);
}

TEST(QuoteSource, HostFloatsAreTakenAsTheDecimalPricesTheyStandFor) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "", 35.46f, 0);    // 35.4599990845 as a float
    quotes.add("900901", 1, "", 0.377f, 0);    // a B share: three decimals
    quotes.add("600000", 1, "", 0.0f, 9.87f);  // the previous close likewise
    EXPECT_EQ(latestPrice("600036", "上海"), 35.46);
    EXPECT_EQ(1500 * latestPrice("600036", "上海"), 53190.0);
    EXPECT_EQ(latestPrice("900901", "上海"), 0.377);
    EXPECT_EQ(latestPrice("600000", "上海"), 9.87);
}

TEST(QuoteSource, UnregisteringTurnsQuotesOff) {
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "", 12.5f, 12.0f);
    registerQuoteCallback(nullptr);
    EXPECT_EQ(latestPrice("600036", "上海"), 0.0);
}

TEST(PriceDecimals, ThreeForBFundsAndBondsTwoOtherwise) {
    EXPECT_EQ(priceDecimals("900901"), 3);
    EXPECT_EQ(priceDecimals("998999"), 3);
    EXPECT_EQ(priceDecimals("999000"), 2);
    EXPECT_EQ(priceDecimals("899999"), 2);
    EXPECT_EQ(priceDecimals("201001"), 3);
    EXPECT_EQ(priceDecimals("420001"), 3);
    EXPECT_EQ(priceDecimals("600036"), 2);
    EXPECT_EQ(priceDecimals("200011"), 2);
}

class DayBarFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() + "mkthome/sh/lday");
        std::filesystem::create_directories(dir.path() + "mkthome/sz/lday");
    }
    void write(std::int32_t market, const std::string& code, const std::vector<DayBar>& bars,
               std::size_t extra = 0) {
        Bytes bytes(bars.size() * sizeof(DayBar) + extra, 0);
        if (!bars.empty()) std::memcpy(bytes.data(), bars.data(), bars.size() * sizeof(DayBar));
        test::writeBytes(dayBarPath(dir.path(), market, code), bytes);
    }
    static DayBar bar(std::int32_t date, std::uint32_t close) {
        return {date, {close, close, close, close}, {}};
    }

    test::TempDir dir;
};

TEST_F(DayBarFiles, FindsTheFirstRecordOfTheDateInTheHostLayout) {
    EXPECT_EQ(dayBarPath("/w/", 1, "600036"), "/w/mkthome/sh/lday/sh600036.day");
    EXPECT_EQ(dayBarPath("/w/", 0, "000001"), "/w/mkthome/sz/lday/sz000001.day");
    write(1, "600036", {bar(20240102, 1000), bar(20240103, 1010), bar(20240103, 9999)});
    DayBar out{};
    ASSERT_TRUE(readDayBarFrom(dir.path(), 20240103, 1, "600036", out));
    EXPECT_EQ(out.prices[3], 1010u);
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240104, 1, "600036", out));
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240103, 0, "600036", out));  // other market, no file

    test::ScopedCurrentDirectory cd(dir.path());
    EXPECT_TRUE(readDayBar(20240102, 1, "600036", out));
    EXPECT_EQ(out.prices[0], 1000u);
}

TEST_F(DayBarFiles, MalformedFilesAreRejectedWhole) {
    write(0, "000001", {bar(20240102, 1000), bar(20240103, 1010), bar(20240104, 1020)},
          4);  // 100 bytes
    DayBar out{};
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240102, 0, "000001", out));
    write(0, "000002", {});
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240102, 0, "000002", out));
    // A code never reaches outside the bar folders, and a folder is no bar file.
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240102, 0, "../../x", out));
    std::filesystem::create_directories(dir.path() + "mkthome/sz/lday/sz000003.day");
    EXPECT_FALSE(readDayBarFrom(dir.path(), 20240102, 0, "000003", out));
}

}  // namespace
}  // namespace fiscora
