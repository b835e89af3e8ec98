#include "output/ledger_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/dates.h"
#include "engine/number_format.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {
namespace {

// Which kinds fill the trade columns.
bool showsQuantity(RecordType k) {
    return k == RecordType::Buy || k == RecordType::Sell || k == RecordType::RightsIssue ||
           k == RecordType::Dividend || k == RecordType::BonusShares;
}
bool showsPrice(RecordType k) {
    return k == RecordType::Buy || k == RecordType::Sell || k == RecordType::RightsIssue ||
           k == RecordType::Dividend;
}
bool showsFee(RecordType k) {
    return k == RecordType::Buy || k == RecordType::Sell || k == RecordType::RightsIssue;
}

// The rows with the first cells of each, as many as `columns` has.
ListTable tableOf(const Ledger& ledger, const ViewRows& rows, std::vector<ListColumn> columns) {
    ListTable table{std::move(columns), {}};
    table.rows.reserve(rows.size());
    LedgerRowFormatter formatter;
    for (const std::size_t index : rows)
        table.rows.push_back(formatter.cells(ledger.at(index), table.columns.size()));
    return table;
}

}  // namespace

std::vector<ListColumn> ledgerViewColumns() {
    return {{"时间", 106},    {"市场", 36},   {"账目类型", 72}, {"现金流量", 125}, {"股票代码", 72},
            {"股票名称", 72}, {"交易量", 72}, {"交易价", 72},   {"手续费", 90},    {"备注", 72}};
}

std::vector<ListColumn> tradeDetailColumns() {
    std::vector<ListColumn> columns = ledgerViewColumns();
    columns.resize(kRemarkColumn);
    return columns;
}

std::string ledgerDateText(std::int32_t date) {
    const DateParts d = splitDate(date);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%4d年%2d月%2d日", d.year, d.month, d.day);
    return buffer;
}

std::string LedgerRowFormatter::cell(const LedgerRecord& r, int column) {
    const RecordType k = r.kind();
    const bool stock = r.isStock();
    switch (column) {
    case 0: return ledgerDateText(r.date);
    case 1: return stock ? marketText(r.market == 0 ? 0 : 1) : std::string();
    case 2: return kindName(r.type);
    case 3: return k == RecordType::BonusShares ? std::string() : formatAmount(r.amount);
    case 4: return stock ? fieldText(r.stockCode) : std::string();
    case 5: return stock ? nameOf(r) : std::string();
    case 6: return showsQuantity(k) ? formatQuantity(r.quantity) : std::string();
    case 7: return showsPrice(k) ? formatAmount(r.price) : std::string();
    case 8: return showsFee(k) ? formatAmount(r.fee) : std::string();
    case kRemarkColumn: return "点击显示";
    default: return {};
    }
}

std::vector<std::string> LedgerRowFormatter::cells(const LedgerRecord& r, std::size_t count) {
    std::vector<std::string> out;
    out.reserve(count);
    for (std::size_t column = 0; column < count; ++column)
        out.push_back(cell(r, static_cast<int>(column)));
    return out;
}

const std::string& LedgerRowFormatter::nameOf(const LedgerRecord& r) {
    const std::string code(fieldBytes(r.stockCode));
    const std::int32_t market = r.market == 0 ? 0 : 1;
    auto [it, added] = names_.try_emplace({market, code});
    if (added) {
        // A stock the host does not know has no name.
        if (!stockName(code, marketText(market), it->second)) it->second.clear();
    }
    return it->second;
}

namespace {

// The rows holding the largest and the smallest value of one column.
struct Extremes {
    void see(double value, std::size_t row) {
        // NaN and the infinities print as short words; they never widen a column.
        if (!std::isfinite(value)) return;
        if (!seen || value > high) {
            highRow = row;
            high = value;
        }
        if (!seen || value < low) {
            lowRow = row;
            low = value;
        }
        seen = true;
    }
    std::vector<std::size_t> rows() const {
        if (!seen) return {};
        if (highRow == lowRow) return {highRow};
        return {highRow, lowRow};
    }

    bool seen = false;
    double high = 0;
    double low = 0;
    std::size_t highRow = 0;
    std::size_t lowRow = 0;
};

}  // namespace

std::vector<std::vector<std::size_t>> widestLedgerRows(const Ledger& ledger, const ViewRows& rows) {
    // One pass over the shown rows for every column whose width varies with its value.
    Extremes date, amount, code, quantity, price, fee;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const LedgerRecord& r = ledger.at(rows[row]);
        const RecordType k = r.kind();
        date.see(r.date, row);
        if (k != RecordType::BonusShares) amount.see(r.amount, row);
        if (r.isStock()) code.see(static_cast<double>(fieldBytes(r.stockCode).size()), row);
        if (showsQuantity(k)) quantity.see(r.quantity, row);
        if (showsPrice(k)) price.see(r.price, row);
        if (showsFee(k)) fee.see(r.fee, row);
    }
    std::vector<std::vector<std::size_t>> widest(ledgerViewColumns().size());
    widest[0] = date.rows();
    widest[3] = amount.rows();
    widest[4] = code.rows();
    widest[6] = quantity.rows();
    widest[7] = price.rows();
    widest[8] = fee.rows();
    return widest;
}

ListTable ledgerTable(const Ledger& ledger, const ViewRows& rows) {
    ListTable table = tableOf(ledger, rows, ledgerViewColumns());
    // On paper and in a file there is nothing to click: the remark itself is printed.
    for (std::size_t row = 0; row < rows.size(); ++row)
        table.rows[row][kRemarkColumn] = printedRemark(ledger.at(rows[row]));
    return table;
}

ListTable tradeDetailTable(const Ledger& ledger, const ViewRows& rows) {
    return tableOf(ledger, rows, tradeDetailColumns());
}

std::string printedRemark(const LedgerRecord& r) {
    std::string text = fieldText(r.remark);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string remarkMessage(const LedgerRecord& r) {
    const std::string remark = fieldText(r.remark);
    return remark.empty() ? "没有备注" : remark;
}

LedgerViewUnits ledgerViewUnits(const std::string& currencyUnit) {
    const TradeType* found = tradeTypeOfUnit(currencyUnit);
    const TradeType& type = found != nullptr ? *found : kAShares;
    return {type.text, type.unit.name};
}

std::string balanceText(double balance, const std::string& unit) {
    return formatAmount(balance) + unit;
}

}  // namespace fiscora
