#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace fiscora::cli {

// One value of a row, ready for both outputs: the text tsv shows (formatted as the window
// formats it) and the JSON token (a quoted string or a number at full precision).
struct Value {
    std::string tsv;
    std::string json;

    static Value text(const std::string& utf8);
    static Value integer(std::int64_t n);
    // "%.3lf" in tsv unless `shown` gives the window's own text.
    static Value real(double x);
    static Value real(double x, const std::string& shown);
};

struct Column {
    std::string name;
    bool jsonOnly = false;
};

// Rows of values in the order of `columns`. tsv: a header line of the column names, then
// one line per row, leaving out the JSON-only columns. JSON: {"rows":[{...},...]}.
struct Table {
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows;
};

void writeTable(std::ostream& out, const Table& table, OutputFormat format);

// A table's columns each declared with the value a row of type Row gives it, so a column
// and its value are written side by side.
template <typename Row> struct RowFormat {
    struct Field {
        Column column;
        std::function<Value(const Row& row)> value;
    };
    std::vector<Field> fields;

    std::vector<Column> columns() const {
        std::vector<Column> all;
        for (const Field& f : fields) all.push_back(f.column);
        return all;
    }
    std::vector<Value> values(const Row& row) const {
        std::vector<Value> all;
        for (const Field& f : fields) all.push_back(f.value(row));
        return all;
    }
};

// A JSON string literal, quotes included. The text is UTF-8 and passes through; quotes,
// backslashes and control characters are escaped.
std::string jsonString(const std::string& utf8);
// A JSON number that reads back as the same double ("%.17g"); null for NaN and infinity,
// which JSON cannot write.
std::string jsonNumber(double x);
// A tsv field: backslash, tab, line feed and carriage return written as \\, \t, \n, \r
// so that every row stays on one line.
std::string tsvField(const std::string& utf8);

}  // namespace fiscora::cli
