#include "cli/output_table.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <utility>

#include "engine/number_format.h"

namespace fiscora::cli {

Value Value::text(std::string utf8) {
    Value v;
    v.text_ = std::move(utf8);
    return v;
}

Value Value::integer(std::int64_t n) {
    Value v;
    v.kind_ = Kind::Integer;
    v.integer_ = n;
    return v;
}

Value Value::real(double x) {
    Value v;
    v.kind_ = Kind::Real;
    v.real_ = x;
    return v;
}

Value Value::real(double x, std::string shown) {
    Value v = real(x);
    v.kind_ = Kind::RealShown;
    v.text_ = std::move(shown);
    return v;
}

Value Value::none() {
    Value v;
    v.kind_ = Kind::None;
    return v;
}

std::string Value::cell(OutputFormat format) const {
    const bool json = format == OutputFormat::Json;
    switch (kind_) {
    case Kind::Text: return json ? jsonString(text_) : tsvField(text_);
    case Kind::Integer: return json ? std::to_string(integer_) : formatQuantity(integer_);
    case Kind::Real: return json ? jsonNumber(real_) : formatAmount(real_);
    case Kind::RealShown: return json ? jsonNumber(real_) : tsvField(text_);
    case Kind::None: return json ? "null" : "";
    }
    return {};
}

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonNumber(double x) {
    if (!std::isfinite(x)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

std::string tsvField(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

TableWriter::TableWriter(std::ostream& out, std::vector<Column> columns, OutputFormat format)
    : out_(out), columns_(std::move(columns)), format_(format) {
    if (format_ == OutputFormat::Json) {
        out_ << "{\"rows\":[";
        return;
    }
    bool first = true;
    for (const Column& column : columns_) {
        if (column.jsonOnly) continue;
        out_ << (first ? "" : "\t") << column.name;
        first = false;
    }
    out_ << '\n';
}

void TableWriter::beginRow() {
    column_ = 0;
    firstTsvCell_ = true;
    if (format_ == OutputFormat::Json) out_ << (rows_ == 0 ? "\n{" : ",\n{");
}

void TableWriter::cell(const Value& value) {
    assert(column_ < columns_.size());
    const Column& column = columns_[column_++];
    if (format_ == OutputFormat::Json) {
        out_ << (column_ == 1 ? "" : ",") << jsonString(column.name) << ':' << value.cell(format_);
        return;
    }
    if (column.jsonOnly) return;
    out_ << (firstTsvCell_ ? "" : "\t") << value.cell(format_);
    firstTsvCell_ = false;
}

void TableWriter::endRow() {
    assert(column_ == columns_.size());
    out_ << (format_ == OutputFormat::Json ? "}" : "\n");
    ++rows_;
}

void TableWriter::end() {
    if (format_ == OutputFormat::Json) out_ << (rows_ == 0 ? "]}\n" : "\n]}\n");
}

void writeTable(std::ostream& out, const Table& table, OutputFormat format) {
    TableWriter writer(out, table.columns, format);
    for (const auto& row : table.rows) {
        writer.beginRow();
        for (const Value& value : row) writer.cell(value);
        writer.endRow();
    }
    writer.end();
}

}  // namespace fiscora::cli
