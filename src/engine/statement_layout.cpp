#include "engine/statement_layout.h"

#include <algorithm>
#include <cctype>

namespace fiscora {
namespace {

using Names = std::vector<std::string>;
using C = StatementColumn;

// The business texts every layout books; both spellings of 入账 occur. Margin trades
// (融资买入, 卖券还款) book as plain purchases and sales; the preview says so.
std::map<std::string, RecordType> builtInActions() {
    const std::vector<std::pair<RecordType, Names>> texts = {
        {RecordType::Buy,
         {"证券买入", "买入", "普通买入", "买", "担保品买入", "融资买入", "新股入帐", "新股入账",
          "ETF申购", "基金申购"}},
        {RecordType::Sell,
         {"证券卖出", "卖出", "普通卖出", "卖", "担保品卖出", "卖券还款", "ETF赎回", "基金赎回"}},
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

struct MappingKey {
    const char* key;
    StatementColumn column;
};

// The mapping file's keys, which also name the columns in messages.
constexpr MappingKey kColumnKeys[] = {
    {"日期", C::Date},
    {"代码", C::Code},
    {"名称", C::Name},
    {"业务", C::Action},
    {"数量", C::Quantity},
    {"价格", C::Price},
    {"成交金额", C::TradeAmount},
    {"费用", C::Fee},
    {"费用合计", C::FeeTotal},
    {"发生金额", C::NetAmount},
    {"市场", C::Market},
    {"资金余额", C::CashBalance},
    {"股份余额", C::ShareBalance},
};

constexpr RecordType kBookedKinds[] = {
    RecordType::Buy,         RecordType::Sell,   RecordType::Dividend, RecordType::BonusShares,
    RecordType::RightsIssue, RecordType::CashIn, RecordType::CashOut};

std::vector<StatementColumn> requiredColumns(const StatementLayout& layout) {
    std::vector<StatementColumn> required = {C::Date, C::Action, C::Code, C::Quantity};
    // A user's mapping names its price column; the built-in reading derives a missing
    // price from the amounts.
    if (!layout.builtIn) required.push_back(C::Price);
    return required;
}

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

std::string joined(const Names& names, std::string_view separator) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : std::string(separator)) + name;
    return text;
}

// The business column's text tells what kind of statement it is.
std::string kindOfStatement(const std::string& actionHeader) {
    if (actionHeader == "摘要" || actionHeader == "备注") return "资金流水";
    if (actionHeader == "业务名称" || actionHeader == "业务类型") return "对账单";
    return "交割单";
}

// Assigns the cells of one line to the layout's columns.
StatementHeader headerOf(const std::vector<std::string>& cells, const StatementLayout& layout) {
    StatementHeader header;
    std::vector<bool> taken(cells.size(), false);
    std::optional<std::size_t> handlingFee, commission;
    for (const auto& [column, names] : layout.columns) {
        for (const std::string& name : names) {
            for (std::size_t at = 0; at < cells.size(); ++at) {
                if (taken[at] || cells[at] != name) continue;
                if (column == C::Fee) {
                    header.feeColumns.push_back(at);
                    if (name == "手续费") handlingFee = at;
                    if (name == "佣金") commission = at;
                } else if (column == C::FeeTotal) {
                    if (header.feeTotalColumn) continue;
                    header.feeTotalColumn = at;
                } else if (!header.columns.contains(column)) {
                    header.columns[column] = at;
                    if (column == C::Action) header.kindName = kindOfStatement(name);
                } else {
                    continue;
                }
                taken[at] = true;
            }
        }
    }
    // Beside 佣金, 手续费 is what all the fees come to.
    if (layout.builtIn && handlingFee && commission && !header.feeTotalColumn) {
        header.feeTotalColumn = handlingFee;
        std::erase(header.feeColumns, *handlingFee);
    }
    return header;
}

}  // namespace

const StatementLayout& builtInLayout() {
    static const StatementLayout layout{
        "",
        {{C::Date,
          {"成交日期", "交收日期", "交割日期", "清算日期", "交易日期", "发生日期", "业务日期",
           "日期"}},
         {C::Code, {"证券代码", "股票代码", "代码"}},
         {C::Name, {"证券名称", "股票名称", "证券简称", "股票简称", "名称"}},
         {C::Action,
          {"操作", "买卖标志", "委托类别", "业务名称", "业务类型", "业务标志", "摘要", "备注"}},
         {C::Quantity, {"成交数量", "发生数量", "成交股数", "数量"}},
         {C::Price, {"成交均价", "成交价格", "成交价", "价格"}},
         {C::TradeAmount, {"成交金额"}},
         {C::FeeTotal, {"总费用", "费用合计", "交易费用"}},
         {C::Fee,
          {"佣金", "手续费", "净佣金", "印花税", "过户费", "其他费", "其他费用", "其他杂费", "规费",
           "经手费", "证管费", "交易规费", "结算费", "前台费用"}},
         {C::NetAmount, {"发生金额", "清算金额", "收付金额"}},
         {C::Market,
          {"交易市场", "市场", "股东代码", "股东帐户", "股东账户", "股东账号", "股东帐号",
           "证券账户"}},
         {C::CashBalance, {"资金余额", "剩余金额", "资金本次余额", "本次余额"}},
         {C::ShareBalance, {"股份余额", "剩余数量", "股票余额", "库存数量"}},
         {C::Currency, {"币种"}},
         {C::ExchangeRate, {"汇率"}}},
        builtInActions(),
        true};
    return layout;
}

std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines,
                                          const StatementLayout& layout) {
    const std::vector<StatementColumn> required = requiredColumns(layout);
    const std::size_t searched = std::min(lines.size(), kHeaderSearchLines);
    for (std::size_t index = 0; index < searched; ++index) {
        StatementHeader header = headerOf(lines[index].cells, layout);
        header.lineIndex = index;
        const bool complete = std::all_of(required.begin(), required.end(), [&](StatementColumn c) {
            return header.columns.contains(c);
        });
        if (complete) {
            if (!layout.builtIn) header.kindName = layout.name;
            return header;
        }
    }
    return std::nullopt;
}

MissingHeader missingHeaderReason(const std::vector<StatementLine>& lines,
                                  const StatementLayout& layout) {
    const std::vector<StatementColumn> required = requiredColumns(layout);
    std::size_t bestFound = 0;
    Names bestMissing;
    const std::size_t searched = std::min(lines.size(), kHeaderSearchLines);
    for (std::size_t index = 0; index < searched; ++index) {
        const StatementHeader header = headerOf(lines[index].cells, layout);
        Names missing;
        for (StatementColumn column : required) {
            if (header.columns.contains(column)) continue;
            for (const auto& [c, names] : layout.columns) {
                if (c == column)
                    missing.push_back(std::string(keyOf(column)) + "（" + joined(names, "、") +
                                      "）");
            }
        }
        const std::size_t found = required.size() - missing.size();
        if (found > bestFound) {
            bestFound = found;
            bestMissing = std::move(missing);
        }
    }
    // One column alone (a 日期 in a title line) does not make a header.
    if (bestFound < 2)
        return {bestFound,
                layout.builtIn ? "文件中找不到交割单的标题行" : "文件中找不到映射文件给出的列名"};
    return {bestFound, "标题行中找不到" + joined(bestMissing, "，") + "列"};
}

MappingResult parseStatementMapping(std::string_view utf8) {
    StatementLayout result{"映射文件", {}, builtInActions(), false};
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
        std::size_t equals = line.find('=');
        std::size_t equalsSize = 1;
        if (const std::size_t wide = line.find("＝"); wide < equals) {
            equals = wide;
            equalsSize = std::string_view("＝").size();
        }
        if (equals == std::string::npos) return {std::nullopt, lineError(lineNumber, "缺少“=”")};
        const std::string key = trim(std::string_view(line).substr(0, equals));
        const Names values = splitValues(std::string_view(line).substr(equals + equalsSize));
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
    for (StatementColumn required : requiredColumns(result)) {
        const bool given = std::any_of(result.columns.begin(), result.columns.end(),
                                       [&](const auto& c) { return c.first == required; });
        if (!given)
            return {std::nullopt, std::string("映射文件没有给出“") + keyOf(required) + "”列"};
    }
    return {std::move(result), {}};
}

int marketOfCell(std::string_view cell) {
    const std::string text = trim(cell);
    if (text.empty()) return kMarketUnknown;
    if (containsAny(text, {"港股", "沪港通", "深港通", "HK", "hk"})) return kMarketHongKong;
    if (containsAny(text, {"北京", "北交", "北证", "京", "BJ", "bj"})) return kMarketBeijing;
    if (containsAny(text, {"沪", "上海", "上证", "SH", "sh"})) return 1;
    if (containsAny(text, {"深", "SZ", "sz"})) return 0;
    // A shareholder account: Shanghai's start with a letter (A for A shares, C for B
    // shares), Shenzhen's are ten digits, nine when a spreadsheet dropped the leading zero.
    const char lead = text.front();
    if ((lead == 'A' || lead == 'C' || lead == 'a' || lead == 'c') &&
        allDigits(std::string_view(text).substr(1)))
        return 1;
    if ((text.size() == 10 || text.size() == 9) && allDigits(text)) return 0;
    return kMarketUnknown;
}

}  // namespace fiscora
