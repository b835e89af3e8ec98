#include "engine/statement_layout.h"

#include <algorithm>
#include <cctype>

namespace fiscora {
namespace {

using Names = std::vector<std::string>;

// The business texts every built-in layout books; both spellings of 入账 occur.
std::map<std::string, RecordType> builtInActions() {
    const std::vector<std::pair<RecordType, Names>> texts = {
        {RecordType::Buy, {"证券买入", "买入", "普通买入"}},
        {RecordType::Sell, {"证券卖出", "卖出", "普通卖出"}},
        {RecordType::Dividend, {"红利入账", "红利入帐", "股息入账", "股息入帐"}},
        {RecordType::BonusShares, {"红股入账", "红股入帐", "送股"}},
        {RecordType::RightsIssue, {"配股缴款", "配股入账", "配股入帐"}},
        {RecordType::CashIn, {"银证转入", "银行转证券", "银行转存"}},
        {RecordType::CashOut, {"银证转出", "证券转银行", "银行转取"}},
    };
    std::map<std::string, RecordType> actions;
    for (const auto& [kind, names] : texts) {
        for (const std::string& name : names) actions[name] = kind;
    }
    return actions;
}

StatementLayout layout(std::string name, std::vector<std::pair<StatementColumn, Names>> columns) {
    return {std::move(name), std::move(columns), builtInActions()};
}

// The roles a header must name.
constexpr StatementColumn kRequired[] = {StatementColumn::Date, StatementColumn::Action,
                                         StatementColumn::Code, StatementColumn::Quantity,
                                         StatementColumn::Price};

constexpr std::size_t kHeaderSearchLines = 50;

struct MappingKey {
    const char* key;
    StatementColumn column;
};

constexpr MappingKey kColumnKeys[] = {
    {"日期", StatementColumn::Date},
    {"代码", StatementColumn::Code},
    {"名称", StatementColumn::Name},
    {"业务", StatementColumn::Action},
    {"数量", StatementColumn::Quantity},
    {"价格", StatementColumn::Price},
    {"成交金额", StatementColumn::TradeAmount},
    {"费用", StatementColumn::Fee},
    {"发生金额", StatementColumn::NetAmount},
    {"市场", StatementColumn::Market},
};

constexpr RecordType kBookedKinds[] = {
    RecordType::Buy,         RecordType::Sell,   RecordType::Dividend, RecordType::BonusShares,
    RecordType::RightsIssue, RecordType::CashIn, RecordType::CashOut};

std::string trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

// The values of a mapping line, split at commas (ASCII or full-width).
Names splitValues(std::string_view text) {
    Names values;
    std::string current;
    auto flush = [&] {
        std::string value = trim(current);
        if (!value.empty()) values.push_back(std::move(value));
        current.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ',') {
            flush();
            ++i;
        } else if (text.substr(i).starts_with("，")) {
            flush();
            i += std::string_view("，").size();
        } else {
            current += text[i++];
        }
    }
    flush();
    return values;
}

std::optional<StatementColumn> columnKey(const std::string& key) {
    for (const MappingKey& k : kColumnKeys) {
        if (key == k.key) return k.column;
    }
    return std::nullopt;
}

std::optional<RecordType> kindKey(const std::string& key) {
    for (RecordType kind : kBookedKinds) {
        if (key == kindName(static_cast<std::int32_t>(kind))) return kind;
    }
    return std::nullopt;
}

const char* keyOf(StatementColumn column) {
    for (const MappingKey& k : kColumnKeys) {
        if (k.column == column) return k.key;
    }
    return "";
}

std::string lineError(std::size_t line, const std::string& why) {
    return "映射文件第" + std::to_string(line) + "行：" + why;
}

bool containsAny(std::string_view text, std::initializer_list<std::string_view> parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [&](std::string_view part) { return text.find(part) != text.npos; });
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

}  // namespace

const std::vector<StatementLayout>& builtInLayouts() {
    using C = StatementColumn;
    static const std::vector<StatementLayout> layouts = {
        layout("交割单", {{C::Date, {"成交日期"}},
                          {C::Code, {"证券代码"}},
                          {C::Name, {"证券名称"}},
                          {C::Action, {"操作"}},
                          {C::Quantity, {"成交数量"}},
                          {C::Price, {"成交均价", "成交价格"}},
                          {C::TradeAmount, {"成交金额"}},
                          {C::Fee, {"手续费", "佣金", "印花税", "过户费", "其他费用", "其他杂费"}},
                          {C::NetAmount, {"发生金额"}},
                          {C::Market, {"交易市场", "股东代码"}}}),
        layout("对账单", {{C::Date, {"发生日期"}},
                          {C::Code, {"证券代码"}},
                          {C::Name, {"证券名称"}},
                          {C::Action, {"业务名称"}},
                          {C::Quantity, {"成交数量"}},
                          {C::Price, {"成交价格", "成交均价"}},
                          {C::TradeAmount, {"成交金额"}},
                          {C::Fee, {"佣金", "手续费", "印花税", "过户费", "其他费", "其他费用"}},
                          {C::NetAmount, {"发生金额"}},
                          {C::Market, {"股东代码", "交易市场"}}}),
        layout("资金流水", {{C::Date, {"发生日期", "日期"}},
                            {C::Code, {"证券代码"}},
                            {C::Name, {"证券名称"}},
                            {C::Action, {"摘要"}},
                            {C::Quantity, {"成交数量", "发生数量"}},
                            {C::Price, {"成交价格", "成交均价"}},
                            {C::TradeAmount, {"成交金额"}},
                            {C::Fee, {"手续费", "佣金", "印花税", "过户费", "其他费用"}},
                            {C::NetAmount, {"发生金额"}},
                            {C::Market, {"交易市场", "股东代码"}}}),
    };
    return layouts;
}

std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines,
                                          const StatementLayout& layout) {
    const std::size_t searched = std::min(lines.size(), kHeaderSearchLines);
    for (std::size_t index = 0; index < searched; ++index) {
        const std::vector<std::string>& cells = lines[index].cells;
        StatementHeader header;
        header.lineIndex = index;
        std::vector<bool> taken(cells.size(), false);
        for (const auto& [column, names] : layout.columns) {
            for (const std::string& name : names) {
                for (std::size_t at = 0; at < cells.size(); ++at) {
                    if (taken[at] || cells[at] != name) continue;
                    if (column == StatementColumn::Fee) {
                        header.feeColumns.push_back(at);
                        taken[at] = true;
                    } else if (!header.columns.contains(column)) {
                        header.columns[column] = at;
                        taken[at] = true;
                    }
                }
            }
        }
        const bool complete =
            std::all_of(std::begin(kRequired), std::end(kRequired),
                        [&](StatementColumn c) { return header.columns.contains(c); });
        if (complete) return header;
    }
    return std::nullopt;
}

MappingResult parseStatementMapping(std::string_view utf8) {
    StatementLayout result{"映射文件", {}, builtInActions()};
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view raw = utf8.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (const std::size_t hash = raw.find('#'); hash != raw.npos) raw = raw.substr(0, hash);
        const std::string line = trim(raw);
        if (line.empty()) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return {std::nullopt, lineError(lineNumber, "缺少“=”")};
        const std::string key = trim(std::string_view(line).substr(0, equals));
        const Names values = splitValues(std::string_view(line).substr(equals + 1));
        if (values.empty())
            return {std::nullopt, lineError(lineNumber, "“" + key + "”后面没有内容")};
        if (key == "格式") {
            result.name = values.front();
        } else if (const auto column = columnKey(key)) {
            result.columns.emplace_back(*column, values);
        } else if (const auto kind = kindKey(key)) {
            for (const std::string& text : values) result.actions[text] = *kind;
        } else {
            return {std::nullopt, lineError(lineNumber, "不认识“" + key + "”")};
        }
    }
    for (StatementColumn required : kRequired) {
        const bool given = std::any_of(result.columns.begin(), result.columns.end(),
                                       [&](const auto& c) { return c.first == required; });
        if (!given)
            return {std::nullopt, std::string("映射文件没有给出“") + keyOf(required) + "”列"};
    }
    return {std::move(result), {}};
}

int marketOfCell(std::string_view cell) {
    const std::string text = trim(cell);
    if (text.empty()) return -1;
    if (containsAny(text, {"北京", "京", "北证", "BJ", "bj"})) return -2;
    if (containsAny(text, {"沪", "上海", "上证", "SH", "sh"})) return 1;
    if (containsAny(text, {"深", "SZ", "sz"})) return 0;
    // A shareholder account: Shanghai's start with a letter (A for A shares, C for B
    // shares), Shenzhen's are ten digits.
    const char lead = text.front();
    if ((lead == 'A' || lead == 'C' || lead == 'a' || lead == 'c') &&
        allDigits(std::string_view(text).substr(1)))
        return 1;
    if (text.size() == 10 && allDigits(text)) return 0;
    return -1;
}

}  // namespace fiscora
