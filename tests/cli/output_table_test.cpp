#include "cli/output_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

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

TEST(TsvText, EveryRowStaysOnOneLine) {
    EXPECT_EQ(tsvField("a\tb\nc\rd\\e"), "a\\tb\\nc\\rd\\\\e");
    EXPECT_EQ(tsvField("万科A"), "万科A");
}

TEST(OutputTable, TsvLeavesOutJsonOnlyColumnsJsonKeepsThem) {
    const Table table{{{"name"}, {"amount"}, {"extra", true}},
                      {{Value::text("x\ty"), Value::real(2.0005), Value::integer(-3)},
                       {Value::text("z"), Value::real(0.5, "0.500%"), Value::real(1.0 / 3)}}};
    std::ostringstream tsv;
    writeTable(tsv, table, OutputFormat::Tsv);
    EXPECT_EQ(tsv.str(), "name\tamount\nx\\ty\t2.001\nz\t0.500%\n");
    std::ostringstream json;
    writeTable(json, table, OutputFormat::Json);
    EXPECT_EQ(json.str(),
              "{\"rows\":[\n"
              "{\"name\":\"x\\ty\",\"amount\":2.0005000000000002,\"extra\":-3},\n"
              "{\"name\":\"z\",\"amount\":0.5,\"extra\":0.33333333333333331}\n"
              "]}\n");
    std::ostringstream empty;
    writeTable(empty, Table{{{"a"}}, {}}, OutputFormat::Json);
    EXPECT_EQ(empty.str(), "{\"rows\":[]}\n");
}

}  // namespace
}  // namespace fiscora::cli
