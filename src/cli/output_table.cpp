#include "cli/output_table.h"

#include <cassert>
#include <cmath>
#include <cstdio>

#include "engine/number_format.h"

namespace fiscora::cli {

Value Value::text(const std::string& utf8) {
    return {tsvField(utf8), jsonString(utf8)};
}

Value Value::integer(std::int64_t n) {
    return {formatQuantity(n), std::to_string(n)};
}

Value Value::real(double x) {
    return real(x, formatAmount(x));
}

Value Value::real(double x, const std::string& shown) {
    return {tsvField(shown), jsonNumber(x)};
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

namespace {

void writeTsv(std::ostream& out, const Table& table) {
    const auto line = [&](auto cellOf) {
        bool first = true;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (table.columns[i].jsonOnly) continue;
            if (!first) out << '\t';
            out << cellOf(i);
            first = false;
        }
        out << '\n';
    };
    line([&](std::size_t i) { return table.columns[i].name; });
    for (const auto& row : table.rows) line([&](std::size_t i) { return row[i].tsv; });
}

void writeJson(std::ostream& out, const Table& table) {
    out << "{\"rows\":[";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out << (r == 0 ? "\n{" : ",\n{");
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (i > 0) out << ',';
            out << jsonString(table.columns[i].name) << ':' << table.rows[r][i].json;
        }
        out << '}';
    }
    out << (table.rows.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace

void writeTable(std::ostream& out, const Table& table, OutputFormat format) {
    for ([[maybe_unused]] const auto& row : table.rows) assert(row.size() == table.columns.size());
    if (format == OutputFormat::Json) {
        writeJson(out, table);
    } else {
        writeTsv(out, table);
    }
}

}  // namespace fiscora::cli
