#include "cli/output_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace fiscora::cli {
namespace {

TEST(JsonText, EscapesWhatJsonRequiresAndKeepsUtf8) {
    EXPECT_EQ(jsonString("招商银行"), "\"招商银行\"");
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("\t\n\r\b\f"), "\"\\t\\n\\r\\b\\f\"");
    EXPECT_EQ(jsonString(std::string("\x01\x1f", 2)), "\"\\u0001\\u001f\"");
    EXPECT_EQ(jsonString("/\x7f"), "\"/\x7f\"");
}

TEST(JsonText, NumbersReadBackExactly) {
    for (const double x : {0.1, 1.0 / 3, 10030.000000000002, -2.5e-310, 1e300, 0.0, 123456789.123})
        EXPECT_EQ(std::strtod(jsonNumber(x).c_str(), nullptr), x) << jsonNumber(x);
    EXPECT_EQ(jsonNumber(10000), "10000");
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(jsonNumber(-std::numeric_limits<double>::infinity()), "null");
}

}  // namespace
}  // namespace fiscora::cli
