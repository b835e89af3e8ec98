#include "host/quote_snapshot.h"

#include <gtest/gtest.h>

#include "host/quote_source.h"
#include "store/quote_snapshot_file.h"

namespace fiscora {
namespace {

TEST(QuoteSnapshot, AnswersTheQuoteSourceOnceInstalled) {
    QuoteSnapshot snapshot;
    std::string error;
    ASSERT_TRUE(snapshot.parse("# code market name latest prev\n"
                               "600036\t1\t招商银行\t35.20\t35.00\r\n"
                               "\n"
                               "000001\t0\t平安银行\t0\t11.5\n",
                               "quotes", error))
        << error;
    snapshot.install();
    std::string name;
    EXPECT_TRUE(stockName("600036", "上海", name));
    EXPECT_EQ(name, "招商银行");
    EXPECT_FALSE(stockName("600036", "深圳", name));
    EXPECT_FLOAT_EQ(static_cast<float>(latestPrice("600036", "上海")), 35.20f);
    EXPECT_FLOAT_EQ(static_cast<float>(latestPrice("000001", "深圳")),
                    11.5f);  // no trade yet: previous close
    QuoteSnapshot::uninstall();
    EXPECT_EQ(latestPrice("600036", "上海"), 0.0);
}

TEST(QuoteSnapshot, MalformedLinesAreReportedWithTheirNumber) {
    const std::pair<const char*, const char*> bad[] = {
        {"600036\t1\t招商银行\t35.20\n", "quotes:1: expected"},
        {"# ok\n60003a\t1\tx\t1\t1\n", "quotes:2: the code"},
        {"600036\t2\tx\t1\t1\n", "quotes:1: the market"},
        {"600036\t1\t招商银行股份有限\t1\t1\n", "quotes:1: the name is longer"},
        {"600036\t1\tx\tabc\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1\t\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1\t1\n600000\t1\ty\tnan\t1\n", "quotes:2: the prices"},
        {"600036\t1\tx\tinf\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t-\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t--1\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t-nan\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1\t-inf\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1\tinfinity\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1e\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1e99\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t 1\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t0x1A\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1.2.3\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t.\t1\n", "quotes:1: the prices"},
        {"600036\t1\tx\t1\t999999999999999999999999999999999999999999\n", "quotes:1: the prices"},
    };
    for (const auto& [text, want] : bad) {
        QuoteSnapshot snapshot;
        std::string error;
        EXPECT_FALSE(snapshot.parse(text, "quotes", error)) << text;
        EXPECT_EQ(error.rfind(want, 0), 0u) << error;
    }
    QuoteSnapshot snapshot;
    std::string error;
    EXPECT_FALSE(loadQuoteSnapshot(snapshot, "/nonexistent/quotes.txt", error));
    EXPECT_TRUE(snapshot.parse("600036\t1\tx\t.5\t12.\n", "quotes", error)) << error;
}

// The host may report any latest price; one of 0 or below means no trade yet, and the quote
// source takes the previous close instead. The snapshot stands in for the host.
TEST(QuoteSnapshot, AcceptsAnyFiniteNumberAndFallsBackForANegativeLatest) {
    QuoteSnapshot snapshot;
    std::string error;
    ASSERT_TRUE(snapshot.parse("600036\t1\t招商银行\t-1.5\t35.00\n"
                               "000001\t0\t平安银行\t+11.50\t-0.5\n"
                               "000002\t0\t万科A\t1.25e1\t125E-1\n",
                               "quotes", error))
        << error;
    snapshot.install();
    EXPECT_DOUBLE_EQ(latestPrice("600036", "上海"), 35.0);
    EXPECT_DOUBLE_EQ(latestPrice("000001", "深圳"), 11.5);
    EXPECT_DOUBLE_EQ(latestPrice("000002", "深圳"), 12.5);
    const QuoteSnapshot::Quote* negativeClose = snapshot.find("000001", 0);
    ASSERT_NE(negativeClose, nullptr);
    EXPECT_FLOAT_EQ(negativeClose->prevClose, -0.5f);
    QuoteSnapshot::uninstall();
}

}  // namespace
}  // namespace fiscora
