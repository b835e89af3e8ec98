#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/statement_layout.h"
#include "records/ledger_record.h"

namespace fiscora {

// One data line of a statement as the ledger would take it: the record it books, or why
// it books nothing.
struct StatementEntry {
    std::size_t line = 0;  // in the file, from 1
    std::string action;    // the business text as the statement writes it
    std::string code;      // as the row gives it (six digits once read)
    std::string name;      // 证券名称, only shown
    std::optional<LedgerRecord> record;
    std::string reason;  // why the line was skipped
};

// What the account allows: a B share account's market is fixed (深圳 for 港元, 上海 for
// 美元); an A share account takes the market from the row or the code.
struct StatementAccount {
    std::optional<std::int32_t> fixedMarket;
};
StatementAccount statementAccountOf(std::string_view tradeType);

// The lines below the header as entries, each as the dialogs would book it:
// - 买入/卖出/配股: quantity and price from the row, the fee the sum of the fee columns
//   (the broker's own, never recomputed), the amount the broker's 发生金额 (else 成交金额
//   plus or minus the fee, else quantity x price plus or minus the fee);
// - 分红: the cash paid (发生金额, else 成交金额) on the row's quantity, the price per share
//   derived from them when the row has none;
// - 送股: the shares received, nothing paid;
// - 转入/转出: the amount alone, no market or code;
// - the market from the row's 交易市场 or 股东代码, else from the code's digits; a code both
//   markets use is skipped rather than guessed.
// A 配股入账 line of a subscription whose 配股缴款 line the statement already holds is
// skipped: the shares were booked with the payment.
std::vector<StatementEntry> statementEntries(const std::vector<StatementLine>& lines,
                                             const StatementHeader& header,
                                             const StatementLayout& layout,
                                             const StatementAccount& account);

// A statement's number: blanks, '+' and thousands separators allowed; an empty cell or a
// dash is 0. Nothing for any other text.
std::optional<double> statementNumber(std::string_view cell);
// A statement's date: 20240105, 2024-01-05, 2024/1/5, 2024.01.05 or 2024年1月5日, a time
// after it ignored. Nothing unless it is a real calendar day.
std::optional<std::int32_t> statementDate(std::string_view cell);

// A statement read with a mapping file or the built-in layouts.
struct StatementReading {
    std::string layoutName;
    std::vector<StatementEntry> entries;
    std::string error;  // when no header was found
};

// Finds the header with the mapping's layout (or each built-in one), trying tab- then
// comma-separated cells, and reads the entries below it.
StatementReading readStatement(std::string_view utf8, const std::optional<StatementLayout>& mapping,
                               const StatementAccount& account);

}  // namespace fiscora
