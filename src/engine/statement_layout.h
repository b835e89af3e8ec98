#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/ledger_record.h"
#include "store/statement_text.h"

namespace fiscora {

// What a statement's columns hold.
enum class StatementColumn {
    Date,          // 成交日期, 交收日期, 发生日期, ...
    Code,          // 证券代码
    Name,          // 证券名称
    Action,        // 操作, 买卖标志, 业务名称, 摘要, ...
    Quantity,      // 成交数量, 发生数量 (a sale's often negative)
    Price,         // 成交均价, 成交价格
    TradeAmount,   // 成交金额: quantity x price, before fees
    Fee,           // a fee column: 佣金, 印花税, 过户费, 其他费, ...
    FeeTotal,      // a column holding the sum of the fee columns beside it: 总费用, 费用合计
    NetAmount,     // 发生金额: the cash the row moved, fees included
    Market,        // 交易市场, or the 股东代码 it follows from
    CashBalance,   // 资金余额 / 剩余金额 after the row
    ShareBalance,  // 股份余额 / 剩余数量 of the row's stock after it
    Currency,      // 币种
    ExchangeRate,  // 汇率
};

// How statements are laid out: the header texts each column may carry (in order of
// preference: a column takes the first of its texts the header holds) and the business
// texts that book a record. A business text not listed makes its row skipped.
struct StatementLayout {
    std::string name;
    std::vector<std::pair<StatementColumn, std::vector<std::string>>> columns;
    std::map<std::string, RecordType> actions;
    bool builtIn = false;  // the program's own names, not a user's mapping
};

// Where the columns stand in one statement.
// The header is looked for among a statement's first lines with text.
inline constexpr std::size_t kHeaderSearchLines = 50;

struct StatementHeader {
    std::size_t lineIndex = 0;                       // of the header among the statement's lines
    std::map<StatementColumn, std::size_t> columns;  // every column found but the fees
    std::vector<std::size_t> feeColumns;             // fees summed when no total is there
    std::optional<std::size_t> feeTotalColumn;
    std::string kindName;  // 交割单, 对账单 or 资金流水, from the business column's text
};

// Every header text of every broker's client the program knows, in one layout: real
// exports combine the texts of each column freely.
const StatementLayout& builtInLayout();

// The first of the first 50 lines that names the layout's date, business, code and
// quantity columns (and price, for a mapping); nothing when no line does. 手续费 beside
// 佣金 is the total of the fees, not one of them.
std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines,
                                          const StatementLayout& layout);

// Why no header was found: the required columns the likeliest line lacks, with the texts
// that would name them, or that no line looks like a header at all.
struct MissingHeader {
    std::size_t columnsFound = 0;  // of the required ones, on the likeliest line
    std::string reason;
};
MissingHeader missingHeaderReason(const std::vector<StatementLine>& lines,
                                  const StatementLayout& layout);

// A user's mapping file: one "key = values" a line (= or ＝), values separated by commas
// (, or ，), '#' starting a comment. Column keys 日期, 代码, 名称, 业务, 数量, 价格,
// 成交金额, 费用, 费用合计, 发生金额, 市场, 资金余额 and 股份余额 give the header texts of
// that column (费用: every fee column, summed; 费用合计: a column holding their total); the
// keys 买入股票, 卖出股票, 股票分红, 送股, 配股, 投入资金 and 划出资金 give business texts
// booking that kind, in addition to the built-in ones; 格式 names the layout. 日期, 代码,
// 业务, 数量 and 价格 are required.
struct MappingResult {
    std::optional<StatementLayout> layout;
    std::string error;  // why the file was refused, naming the line
};
MappingResult parseStatementMapping(std::string_view utf8);

// Markets a statement's row may name beyond the two a record holds.
inline constexpr int kMarketUnknown = -1;
inline constexpr int kMarketBeijing = -2;
inline constexpr int kMarketHongKong = -3;

// The market a 交易市场 or 股东代码 cell names: 0 Shenzhen, 1 Shanghai, kMarketBeijing
// (北交所, 北证), kMarketHongKong (港股通), kMarketUnknown when the cell says nothing.
int marketOfCell(std::string_view cell);

}  // namespace fiscora
