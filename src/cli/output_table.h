#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace fiscora::cli {

// One value of a row as it was made: a text, an integer, or a real with the text tsv shows
// for it. Only the format written is made from it (cell()), so a row costs one format.
class Value {
public:
    static Value text(std::string utf8);
    static Value integer(std::int64_t n);
    // "%.3lf" in tsv unless `shown` gives the window's own text.
    static Value real(double x);
    static Value real(double x, std::string shown);
    // No value: an empty tsv cell, JSON null.
    static Value none();

    // The cell as `format` writes it: tsv the text shown (formatted as the window formats
    // it), JSON a token (a quoted string or a number at full precision).
    std::string cell(OutputFormat format) const;

private:
    enum class Kind { Text, Integer, Real, RealShown, None };
    Kind kind_ = Kind::Text;
    std::string text_;  // the text, or a real's text as shown
    std::int64_t integer_ = 0;
    double real_ = 0;
};

struct Column {
    std::string name;
    bool jsonOnly = false;
};

// Writes a table a row at a time, as the rows are made, so that no list is ever held
// whole. tsv: a header line of the column names, then one line per row, leaving out the
// JSON-only columns. JSON: {"rows":[{...},...]}. end() closes the table.
class TableWriter {
public:
    TableWriter(std::ostream& out, std::vector<Column> columns, OutputFormat format);
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // A row's values in the order of the columns, one cell() at a time between beginRow()
    // and endRow().
    void beginRow();
    void cell(const Value& value);
    void endRow();
    void end();

private:
    std::ostream& out_;
    std::vector<Column> columns_;
    OutputFormat format_;
    std::size_t rows_ = 0;
    std::size_t column_ = 0;
    bool firstTsvCell_ = true;
};

// A table of a few rows made beforehand (a booked record, a summary), in the order of
// `columns`, written as TableWriter writes it.
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
    // One row, written as a row of `writer`.
    void writeRow(TableWriter& writer, const Row& row) const {
        writer.beginRow();
        for (const Field& f : fields) writer.cell(f.value(row));
        writer.endRow();
    }
    // Every row of `rows` (any range of Row), each written as it is reached.
    template <typename Rows>
    void writeAll(std::ostream& out, const Rows& rows, OutputFormat format) const {
        TableWriter writer(out, columns(), format);
        for (const Row& row : rows) writeRow(writer, row);
        writer.end();
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
