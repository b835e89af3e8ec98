#include "engine/statement_entries.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <tuple>

#include "engine/dates.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {
namespace {

using C = StatementColumn;

// A line's cells by role; a column the header lacks, or a short line, reads empty.
class LineCells {
public:
    LineCells(const StatementLine& line, const StatementHeader& header)
        : line_(line), header_(header) {}

    std::string_view operator[](StatementColumn column) const {
        const auto found = header_.columns.find(column);
        return found == header_.columns.end() ? std::string_view() : at(found->second);
    }
    const std::vector<std::size_t>& feeColumns() const { return header_.feeColumns; }
    std::string_view at(std::size_t index) const {
        return index < line_.cells.size() ? std::string_view(line_.cells[index])
                                          : std::string_view();
    }

private:
    const StatementLine& line_;
    const StatementHeader& header_;
};

// Why a line is not a trade, from its business text.
std::string notATrade(const std::string& action) {
    auto has = [&](std::string_view part) { return action.find(part) != std::string::npos; };
    if (has("利息")) return "利息结算，不是交易";
    if (has("税")) return "税费调整，不是交易";
    if (has("申购") || has("配号")) return "新股申购，尚未中签";
    if (has("撤单")) return "撤单，没有成交";
    if (action.empty()) return "没有业务名称";
    return "“" + action + "”不是可记入的交易";
}

// Six digits; a code a spreadsheet shortened (2 for 000002) gets its zeros back.
std::optional<std::string> sixDigitCode(std::string_view cell) {
    if (cell.empty() || cell.size() > 6) return std::nullopt;
    if (!std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::string(6 - cell.size(), '0') + std::string(cell);
}

struct Failure {
    std::string reason;
};

// The reader of one line; every step either fills the record or gives the reason.
class EntryReader {
public:
    EntryReader(const LineCells& cells, const StatementLayout& layout,
                const StatementAccount& account)
        : cells_(cells), layout_(layout), account_(account) {}

    std::optional<Failure> read(StatementEntry& entry) {
        const auto kind = layout_.actions.find(entry.action);
        if (kind == layout_.actions.end()) return Failure{notATrade(entry.action)};
        const auto date = statementDate(cells_[C::Date]);
        if (!date) return Failure{"日期无法识别：" + std::string(cells_[C::Date])};
        LedgerRecord record = makeRecord(kind->second, *date);
        if (record.isStock()) {
            if (auto failure = stock(record, entry)) return failure;
        } else if (auto failure = cash(record)) {
            return failure;
        }
        entry.record = record;
        return std::nullopt;
    }

private:
    std::optional<Failure> number(StatementColumn column, double& value) const {
        const auto read = statementNumber(cells_[column]);
        if (!read) return Failure{"数字无法识别：" + std::string(cells_[column])};
        value = std::fabs(*read);
        return std::nullopt;
    }

    std::optional<Failure> fees(double& total) const {
        total = 0;
        for (std::size_t column : cells_.feeColumns()) {
            const auto read = statementNumber(cells_.at(column));
            if (!read) return Failure{"费用无法识别：" + std::string(cells_.at(column))};
            total += std::fabs(*read);
        }
        return std::nullopt;
    }

    // The cash the row moved: 发生金额, else 成交金额 adjusted by the fee (`feeSign`), else
    // quantity x price adjusted the same way.
    std::optional<Failure> amount(const LedgerRecord& record, int feeSign, double& value) const {
        double net = 0;
        if (auto failure = number(C::NetAmount, net)) return failure;
        if (net > 0) {
            value = net;
            return std::nullopt;
        }
        double traded = 0;
        if (auto failure = number(C::TradeAmount, traded)) return failure;
        if (traded <= 0) traded = record.quantity * record.price;
        value = traded + feeSign * record.fee;
        return std::nullopt;
    }

    std::optional<Failure> market(const std::string& code, std::int32_t& market) const {
        if (account_.fixedMarket) {
            market = *account_.fixedMarket;
            return std::nullopt;
        }
        const int fromRow = marketOfCell(cells_[C::Market]);
        if (fromRow == -2) return Failure{"不是深沪两市的证券"};
        if (fromRow >= 0) {
            market = fromRow;
            return std::nullopt;
        }
        const int fromCode = marketOfCode(code);
        if (fromCode != 0 && fromCode != 1)
            return Failure{"无法确定市场：代码两市都有，行中没有市场"};
        market = fromCode;
        return std::nullopt;
    }

    std::optional<Failure> quantity(LedgerRecord& record) const {
        double shares = 0;
        if (auto failure = number(C::Quantity, shares)) return failure;
        if (shares != std::floor(shares)) return Failure{"成交数量不是整数"};
        if (shares > 2147483647.0) return Failure{"成交数量超出范围"};
        record.quantity = static_cast<std::int32_t>(shares);
        return std::nullopt;
    }

    std::optional<Failure> stock(LedgerRecord& record, StatementEntry& entry) const {
        const auto code = sixDigitCode(cells_[C::Code]);
        if (!code) return Failure{"证券代码不是6位数字"};
        entry.code = *code;
        storeBytes(record.stockCode, *code);
        // The record's fields are packed: each is read into a local and stored, never bound
        // to a reference.
        std::int32_t rowMarket = 0;
        if (auto failure = market(*code, rowMarket)) return failure;
        record.market = rowMarket;
        if (auto failure = quantity(record)) return failure;
        switch (record.kind()) {
        case RecordType::BonusShares:
            if (record.quantity == 0) return Failure{"送股数量为0"};
            return std::nullopt;
        case RecordType::Dividend: return dividend(record);
        default: break;
        }
        if (record.quantity == 0) return Failure{"成交数量为0"};
        double price = 0;
        if (auto failure = number(C::Price, price)) return failure;
        record.price = price;
        double fee = 0;
        if (auto failure = fees(fee)) return failure;
        record.fee = fee;
        const int feeSign = record.kind() == RecordType::Sell ? -1 : 1;
        double moved = 0;
        if (auto failure = amount(record, feeSign, moved)) return failure;
        record.amount = moved;
        return std::nullopt;
    }

    std::optional<Failure> dividend(LedgerRecord& record) const {
        double price = 0;
        if (auto failure = number(C::Price, price)) return failure;
        record.price = price;
        double moved = 0;
        if (auto failure = amount(record, 0, moved)) return failure;
        record.amount = moved;
        if (!(record.amount > 0)) return Failure{"金额为0"};
        if (record.price == 0 && record.quantity > 0)
            record.price = record.amount / record.quantity;
        return std::nullopt;
    }

    std::optional<Failure> cash(LedgerRecord& record) const {
        double net = 0;
        double traded = 0;
        if (auto failure = number(C::NetAmount, net)) return failure;
        if (auto failure = number(C::TradeAmount, traded)) return failure;
        record.amount = net > 0 ? net : traded;
        if (!(record.amount > 0)) return Failure{"金额为0"};
        return std::nullopt;
    }

    const LineCells& cells_;
    const StatementLayout& layout_;
    const StatementAccount& account_;
};

bool isRightsCredit(const StatementEntry& entry) {
    return entry.record && entry.record->kind() == RecordType::RightsIssue &&
           (entry.action.find("入账") != std::string::npos ||
            entry.action.find("入帐") != std::string::npos);
}

using Subscription = std::tuple<std::int32_t, std::string, std::int32_t>;

Subscription subscriptionOf(const LedgerRecord& record) {
    // The packed fields are copied first: the tuple's constructor binds references.
    const std::int32_t market = record.market, quantity = record.quantity;
    return {market, std::string(fieldBytes(record.stockCode)), quantity};
}

// The shares of a rights issue arrive twice in a statement: paid for (配股缴款) and later
// credited (配股入账). The payment books them; the credit would count them again.
void skipCreditedRights(std::vector<StatementEntry>& entries) {
    std::set<Subscription> paid;
    for (const StatementEntry& entry : entries) {
        if (entry.record && entry.record->kind() == RecordType::RightsIssue &&
            !isRightsCredit(entry))
            paid.insert(subscriptionOf(*entry.record));
    }
    for (StatementEntry& entry : entries) {
        if (isRightsCredit(entry) && paid.contains(subscriptionOf(*entry.record))) {
            entry.record.reset();
            entry.reason = "配股已在缴款时记入";
        }
    }
}

std::string withoutSeparators(std::string_view cell) {
    std::string text;
    for (char c : cell) {
        if (c != ',' && c != ' ' && c != '+') text += c;
    }
    return text;
}

}  // namespace

StatementAccount statementAccountOf(std::string_view tradeType) {
    const std::string unit = currencyUnitOfTradeType(tradeType);
    if (unit == "港元") return {0};
    if (unit == "美元") return {1};
    return {};
}

std::optional<double> statementNumber(std::string_view cell) {
    const std::string text = withoutSeparators(cell);
    if (text.empty() || text == "-" || text == "--") return 0.0;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> statementDate(std::string_view cell) {
    std::vector<std::string> groups;
    std::string current;
    for (char c : cell) {
        if (c >= '0' && c <= '9') {
            current += c;
            continue;
        }
        if (!current.empty()) groups.push_back(std::move(current));
        current.clear();
        // A time after the date (2024-01-05 09:31:02) is not part of it.
        if (c == ' ' && !groups.empty()) break;
    }
    if (!current.empty()) groups.push_back(std::move(current));
    int year = 0, month = 0, day = 0;
    if (!groups.empty() && groups[0].size() == 8) {
        const int whole = std::stoi(groups[0]);
        year = whole / 10000;
        month = whole / 100 % 100;
        day = whole % 100;
    } else if (groups.size() >= 3 && groups[0].size() == 4 && groups[1].size() <= 2 &&
               groups[2].size() <= 2) {
        year = std::stoi(groups[0]);
        month = std::stoi(groups[1]);
        day = std::stoi(groups[2]);
    } else {
        return std::nullopt;
    }
    const std::int32_t date = dateFromParts(year, month, day);
    if (!isCalendarDate(date)) return std::nullopt;
    return date;
}

std::vector<StatementEntry> statementEntries(const std::vector<StatementLine>& lines,
                                             const StatementHeader& header,
                                             const StatementLayout& layout,
                                             const StatementAccount& account) {
    std::vector<StatementEntry> entries;
    for (std::size_t i = header.lineIndex + 1; i < lines.size(); ++i) {
        const LineCells cells(lines[i], header);
        StatementEntry entry;
        entry.line = lines[i].number;
        entry.action = std::string(cells[C::Action]);
        entry.code = std::string(cells[C::Code]);
        entry.name = std::string(cells[C::Name]);
        EntryReader reader(cells, layout, account);
        if (const auto failure = reader.read(entry)) entry.reason = failure->reason;
        entries.push_back(std::move(entry));
    }
    skipCreditedRights(entries);
    return entries;
}

StatementReading readStatement(std::string_view utf8, const std::optional<StatementLayout>& mapping,
                               const StatementAccount& account) {
    const std::vector<StatementLayout> layouts =
        mapping ? std::vector<StatementLayout>{*mapping} : builtInLayouts();
    for (Delimiter delimiter : {Delimiter::Tab, Delimiter::Comma}) {
        const std::vector<StatementLine> lines = splitStatementLines(utf8, delimiter);
        for (const StatementLayout& layout : layouts) {
            if (const auto header = findHeader(lines, layout))
                return {layout.name, statementEntries(lines, *header, layout, account), {}};
        }
    }
    return {{}, {}, mapping ? "文件中找不到映射文件给出的列名" : "文件中找不到交割单的标题行"};
}

}  // namespace fiscora
