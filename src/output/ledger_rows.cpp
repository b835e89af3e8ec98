#include "output/ledger_rows.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

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

}  // namespace

std::vector<ListColumn> ledgerViewColumns() {
    return {{"时间", 106},    {"市场", 36},   {"账目类型", 72}, {"现金流量", 125}, {"股票代码", 72},
            {"股票名称", 72}, {"交易量", 72}, {"交易价", 72},   {"手续费", 90},    {"备注", 72}};
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

std::vector<std::string> LedgerRowFormatter::cells(const LedgerRecord& r) {
    std::vector<std::string> out;
    out.reserve(10);
    for (int column = 0; column < 10; ++column) out.push_back(cell(r, column));
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

std::vector<std::size_t> widestLedgerRows(const Ledger& ledger, const ViewRows& rows, int column) {
    // The value whose extremes make the widest texts, for the rows that show it.
    std::function<std::optional<double>(const LedgerRecord&)> value;
    switch (column) {
    case 0: value = [](const LedgerRecord& r) { return double(r.date); }; break;
    case 3:
        value = [](const LedgerRecord& r) -> std::optional<double> {
            if (r.kind() == RecordType::BonusShares) return std::nullopt;
            return r.amount;
        };
        break;
    case 4:
        value = [](const LedgerRecord& r) -> std::optional<double> {
            if (!r.isStock()) return std::nullopt;
            return double(fieldBytes(r.stockCode).size());
        };
        break;
    case 6:
        value = [](const LedgerRecord& r) -> std::optional<double> {
            if (!showsQuantity(r.kind())) return std::nullopt;
            return r.quantity;
        };
        break;
    case 7:
        value = [](const LedgerRecord& r) -> std::optional<double> {
            if (!showsPrice(r.kind())) return std::nullopt;
            return r.price;
        };
        break;
    case 8:
        value = [](const LedgerRecord& r) -> std::optional<double> {
            if (!showsFee(r.kind())) return std::nullopt;
            return r.fee;
        };
        break;
    default: return {};
    }
    std::optional<std::size_t> largest;
    std::optional<std::size_t> smallest;
    double high = 0;
    double low = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::optional<double> v = value(ledger.at(rows[row]));
        // NaN and the infinities print as short words; they never widen a column.
        if (!v || !std::isfinite(*v)) continue;
        if (!largest || *v > high) {
            largest = row;
            high = *v;
        }
        if (!smallest || *v < low) {
            smallest = row;
            low = *v;
        }
    }
    std::vector<std::size_t> widest;
    if (largest) widest.push_back(*largest);
    if (smallest && smallest != largest) widest.push_back(*smallest);
    return widest;
}

ListTable ledgerTable(const Ledger& ledger, const ViewRows& rows) {
    ListTable table{ledgerViewColumns(), {}};
    table.rows.reserve(rows.size());
    LedgerRowFormatter formatter;
    for (const std::size_t index : rows) table.rows.push_back(formatter.cells(ledger.at(index)));
    return table;
}

std::string remarkMessage(const LedgerRecord& r) {
    const std::string remark = fieldText(r.remark);
    return remark.empty() ? "没有备注" : remark;
}

LedgerViewUnits ledgerViewUnits(const std::string& currencyUnit) {
    if (currencyUnit == "美元") return {"上证B股", "美元"};
    if (currencyUnit == "港元") return {"深证B股", "港元"};
    return {"深沪A股", "人民币元"};
}

std::string balanceText(double balance, const std::string& unit) {
    return formatAmount(balance) + unit;
}

}  // namespace fiscora
