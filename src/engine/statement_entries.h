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
    std::string reason;  // why the line was skipped, or how a booked line was read
    // The broker's balances after the line (资金余额, 股份余额), when the row gives them.
    std::optional<double> cashBalance;
    std::optional<double> shareBalance;
    std::int32_t date = 0;        // the row's date when it could be read, booked or not
    double cashEffect = 0;        // the row's signed 发生金额: + cash in, - cash out
    bool cashAdjustment = false;  // skipped on purpose (interest, tax, repo) yet moving cash
    bool rightsCredit = false;    // a 配股入账: the shares a 配股缴款 paid for
};

// What the account allows: a B share account's market is fixed (深圳 for 港元, 上海 for
// 美元); an A share account takes the market from the row or the code.
struct StatementAccount {
    std::optional<std::int32_t> fixedMarket;
};
StatementAccount statementAccountOf(std::string_view tradeType);

// A statement's number: blanks, '+' and thousands separators allowed; an empty cell or a
// dash is 0. Nothing for any other text.
std::optional<double> statementNumber(std::string_view cell);
// A statement's date: 20240105, 2024-01-05, 2024/1/5, 2024.01.05 or 2024年1月5日, a time
// after it ignored. Nothing unless it is a real calendar day.
std::optional<std::int32_t> statementDate(std::string_view cell);

// A statement read with a mapping file or the built-in layout.
struct StatementReading {
    std::string layoutName;
    std::vector<StatementEntry> entries;
    std::string error;  // when no header was found
};

// The layouts a statement is read with: the mappings in turn, the first whose columns the
// header names; then, when `builtInToo`, the program's own recognition.
struct StatementLayouts {
    std::vector<StatementLayout> mappings;
    bool builtInToo = true;
};

// Finds the header among the first lines, trying tab- then comma-separated cells, and reads
// the entries below it a line at a time, as the pieces come. Without a header, the error
// names the columns the likeliest header line lacks.
// Each line below the header is an entry as the dialogs would book it:
// - 买入/卖出/配股: quantity (a sale's may be negative) and price from the row; the amount
//   the broker's 发生金额 and the fee what separates it from 成交金额 (the broker's cash is
//   the truth); only without both, the fee columns (a total column alone when there is
//   one, never added to its parts) and the amount 成交金额 or quantity x price with the fee;
// - 分红: the cash paid (发生金额, else 成交金额); the price per share is left for the
//   preview, which knows the holding;
// - 送股: the shares received, nothing paid;
// - 转入/转出: the amount alone, no market or code;
// - 新股入账: the shares at the price a 中签缴款 line of the same quantity paid;
// - 配股缴款 under a subscription code books under the stock's own code;
// - the market from the row's 交易市场 or 股东代码, else from the code's digits; a code both
//   markets use is skipped rather than guessed, and 北交所 and 港股通 rows are skipped;
// - a row whose figures no record can represent is skipped, as the booking dialogs refuse it.
// A 配股入账 line of a subscription whose 配股缴款 line the statement already holds is
// skipped: the shares were booked with the payment.
StatementReading readStatement(StatementPieces& pieces, const StatementLayouts& layouts,
                               const StatementAccount& account);
// The same for a text in memory.
StatementReading readStatement(std::string_view utf8, const StatementLayouts& layouts,
                               const StatementAccount& account);

}  // namespace fiscora
