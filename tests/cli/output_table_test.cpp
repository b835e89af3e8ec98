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

std::string written(OutputFormat format, const std::vector<std::vector<Value>>& rows) {
    std::ostringstream out;
    TableWriter writer(out, {{"code"}, {"sum", true}, {"note"}}, format);
    for (const auto& row : rows) {
        writer.beginRow();
        for (const Value& v : row) writer.cell(v);
        writer.endRow();
    }
    writer.end();
    return out.str();
}

// Each value makes only the cell of the format written: tsv the window's text (escaped),
// JSON the token; a JSON-only column is left out of tsv, header included.
TEST(TableWriter, WritesEachRowInTheFormatAsked) {
    const std::vector<std::vector<Value>> rows = {
        {Value::text("600036"), Value::real(1234.5), Value::text("a\tb")},
        {Value::integer(7), Value::real(0.125, "12.5"), Value::none()},
    };
    EXPECT_EQ(written(OutputFormat::Tsv, rows), "code\tnote\n600036\ta\\tb\n7\t\n");
    EXPECT_EQ(written(OutputFormat::Json, rows),
              "{\"rows\":[\n"
              "{\"code\":\"600036\",\"sum\":1234.5,\"note\":\"a\\tb\"},\n"
              "{\"code\":7,\"sum\":0.125,\"note\":null}\n]}\n");
}

TEST(TableWriter, EmptyTableIsItsHeaderOrAnEmptyList) {
    EXPECT_EQ(written(OutputFormat::Tsv, {}), "code\tnote\n");
    EXPECT_EQ(written(OutputFormat::Json, {}), "{\"rows\":[]}\n");
}

TEST(TableWriter, RealsShowThreeDecimalsOrTheWindowsText) {
    EXPECT_EQ(Value::real(2.0 / 3).cell(OutputFormat::Tsv), "0.667");
    EXPECT_EQ(Value::real(2.0 / 3, "66.67").cell(OutputFormat::Tsv), "66.67");
    EXPECT_EQ(std::strtod(Value::real(2.0 / 3, "66.67").cell(OutputFormat::Json).c_str(), nullptr),
              2.0 / 3);
    EXPECT_EQ(Value::integer(-5).cell(OutputFormat::Json), "-5");
}

}  // namespace
}  // namespace fiscora::cli
