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
    Date,         // 成交日期, 发生日期
    Code,         // 证券代码
    Name,         // 证券名称
    Action,       // 操作, 业务名称, 摘要
    Quantity,     // 成交数量
    Price,        // 成交均价, 成交价格
    TradeAmount,  // 成交金额: quantity x price, before fees
    Fee,          // every fee column: 手续费/佣金, 印花税, 过户费, 其他费用 (summed)
    NetAmount,    // 发生金额: the cash the row moved, fees included
    Market,       // 交易市场, or the 股东代码 it follows from
};

// How one broker's statement is laid out: the header texts each column may carry and the
// business texts that book a record. A business text not listed makes its row skipped.
struct StatementLayout {
    std::string name;
    std::vector<std::pair<StatementColumn, std::vector<std::string>>> columns;
    std::map<std::string, RecordType> actions;
};

// Where a layout's columns stand in one statement.
struct StatementHeader {
    std::size_t lineIndex = 0;                       // of the header among the statement's lines
    std::map<StatementColumn, std::size_t> columns;  // every column found but the fees
    std::vector<std::size_t> feeColumns;
};

// The layouts of the common brokers' clients: 交割单 (成交日期, 操作, 成交均价, 手续费),
// 对账单 (发生日期, 业务名称, 成交价格, 佣金) and 资金流水 (摘要).
const std::vector<StatementLayout>& builtInLayouts();

// The first of the first 50 lines that names the layout's date, business, code, quantity
// and price columns; nothing when no line does. A header text counts for the first column
// that carries it.
std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines,
                                          const StatementLayout& layout);

// A user's mapping file: one "key = values" a line, values separated by commas (, or ，),
// '#' starting a comment. Column keys 日期, 代码, 名称, 业务, 数量, 价格, 成交金额, 费用,
// 发生金额 and 市场 give the header texts of that column (费用: every fee column); the keys
// 买入股票, 卖出股票, 股票分红, 送股, 配股, 投入资金 and 划出资金 give business texts booking
// that kind, in addition to the built-in ones; 格式 names the layout. 日期, 代码, 业务, 数量
// and 价格 are required.
struct MappingResult {
    std::optional<StatementLayout> layout;
    std::string error;  // why the file was refused, naming the line
};
MappingResult parseStatementMapping(std::string_view utf8);

// The market a 交易市场 or 股东代码 cell names: 0 Shenzhen, 1 Shanghai; -1 when the cell says
// nothing (empty or unknown), -2 for another exchange (北京), which no record can hold.
int marketOfCell(std::string_view cell);

}  // namespace fiscora
