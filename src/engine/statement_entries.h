#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/statement_layout.h"
#include "engine/text_pool.h"
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

// A statement line as the preview keeps it: its texts in the reading's pool, its record
// without the ledger's fixed-size text fields (a record read from a line has no remark),
// some 90 bytes where the entry takes 400.
struct CompactEntry {
    double cashEffect = 0;
    double cashBalance = 0;
    double shareBalance = 0;
    double price = 0;
    double fee = 0;
    double amount = 0;
    std::int32_t date = 0;
    std::int32_t quantity = 0;
    std::uint32_t line = 0;
    TextPool::Id action = TextPool::kEmpty;
    TextPool::Id code = TextPool::kEmpty;
    TextPool::Id name = TextPool::kEmpty;
    TextPool::Id reason = TextPool::kEmpty;
    char stockCode[6] = {};
    std::int8_t type = -1;  // the record's kind; -1: no record
    std::int8_t market = 0;
    bool hasCashBalance : 1 = false;
    bool hasShareBalance : 1 = false;
    bool cashAdjustment : 1 = false;
    bool rightsCredit : 1 = false;

    bool hasRecord() const { return type >= 0; }
    LedgerRecord record() const;
};

// A statement's lines in blocks: they grow without being copied and without room to spare,
// so a long statement is held once, in the size of its lines.
using CompactEntries = std::deque<CompactEntry>;

CompactEntry compactEntryOf(const StatementEntry& entry, TextPool& texts);
StatementEntry entryOf(const CompactEntry& entry, const TextPool& texts);

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
    TextPool texts;
    CompactEntries entries;
    std::string error;  // when no header was found

    StatementEntry entry(std::size_t index) const { return entryOf(entries.at(index), texts); }
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
