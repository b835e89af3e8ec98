#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/statement_entries.h"
#include "engine/workspace.h"
#include "records/account_info.h"

namespace fiscora {

// What an import does with one line of the statement.
enum class ImportOutcome {
    Booked,     // "记入": a new record
    Duplicate,  // "重复": the ledger already holds it
    Skipped,    // "跳过": not a trade, or unreadable
    Refused,  // "拒绝": it would sell shares not held, take the cash below zero or hold too many
};

std::string outcomeText(ImportOutcome outcome);

// One line of the preview as shown: the entry with the record it books (none for a
// skipped line), what the import does with it and why.
struct ImportRow {
    StatementEntry entry;
    ImportOutcome outcome = ImportOutcome::Skipped;
    std::string reason;  // for skipped and refused lines
};

// What the preview decided for a line, kept beside its compact entry.
struct ImportJudgement {
    ImportOutcome outcome = ImportOutcome::Skipped;
    bool asCashAdjustment = false;  // booked as 投入资金/划出资金
    TextPool::Id reason = TextPool::kEmpty;
    std::int32_t heldShares = 0;  // a dividend's quantity: the shares held on its date
};

// A stock whose holding after the import differs from the broker's last 股份余额.
struct ShareDifference {
    std::string code;
    std::string name;
    std::int64_t held = 0;    // by the ledger with the import
    std::int64_t broker = 0;  // by the statement
};

// The ledger with the import against the broker's balances: the cash on the statement's
// last date against its last 资金余额, each stock against its last 股份余额.
struct Reconciliation {
    std::optional<double> cashDifference;  // ledger - broker; nothing without a 资金余额
    std::vector<ShareDifference> shares;

    // "对帐：资金相符" or "对帐：资金差 X 元", then each stock that differs; empty when
    // the statement gives no balance at all.
    std::string text() const;
};

struct ImportOptions {
    // Interest, tax and repo rows booked as 投入资金/划出资金 with their text as remark, so
    // the cash can match the broker's to the fen.
    bool includeCashAdjustments = false;
};

// What importing a statement into a ledger would do, before anything is written: every
// line of the statement in file order with its outcome, and the records to book in the
// order they are booked. Each line is kept compact (its entry, the judgement); the full
// row and record are made when asked for.
struct ImportPreview {
    std::string layoutName;
    ImportOptions options;
    TextPool texts;
    CompactEntries entries;
    std::vector<ImportJudgement> judgements;  // one per entry
    std::vector<std::uint32_t> bookingOrder;  // entries booked, by index, oldest date first
    Reconciliation reconciliation;

    std::size_t size() const { return entries.size(); }
    ImportRow row(std::size_t index) const;
    // The record line `index` books, duplicates or is refused; nothing for a skipped line.
    std::optional<LedgerRecord> record(std::size_t index) const;
    std::size_t count(ImportOutcome outcome) const;
    // Appends the records to book to `ledger`, growing it once, and lets the preview go:
    // the records are first kept as small as the lines they come from, and the lines are
    // released before the ledger grows, so the two are never held whole together.
    void appendRecordsTo(Ledger& ledger) &&;
    Ledger recordsToBook() const;
};

// The preview of the entries against the ledger as it is:
// - the records are taken oldest date first (a statement listed newest first is read from
//   its end), the lines of one day in their own order;
// - a record the ledger already holds (same date, market, code, kind, quantity and price,
//   the amount within a yuan, as a hand-booked fee differs from the broker's by a few fen)
//   is a duplicate, shown with both fees when they differ; a dividend matches by date, code
//   and amount; each ledger record answers for one line only, so two equal fills of one
//   day are both booked the first time and neither the second;
// - a dividend's per-share price is its amount over the shares held on its date;
// - a 配股入账 the ledger already holds as a 配股 of the same stock and quantity is skipped;
// - a record that would take the cash beyond what a figure can represent is refused;
// - a sale of more shares than the ledger and the lines before it leave held on its date,
//   a purchase, rights subscription or withdrawal beyond the cash, and shares that would
//   take a position beyond what a record's count holds (2147483647), are refused and
//   book nothing, so the lines after them are judged without them.
ImportPreview previewImport(const Ledger& ledger, StatementReading reading,
                            const ImportOptions& options = {});
// The same lines judged again against the ledger with other options (the window's switch
// for cash adjustments).
void judgeImport(ImportPreview& preview, const Ledger& ledger, const ImportOptions& options);

// Books the preview's records as one rewrite of the ledger file (crash-safe: the file
// holds all of them or none), using the preview up (appendRecordsTo). When the file cannot
// be written the failure is reported and the ledger in memory is put back as it was, so
// the import can be tried again as a whole; a file another program changed meanwhile is
// loaded again instead (reported). The holdings are recomputed either way. Nothing to book
// writes nothing.
bool bookImport(Workspace& workspace, const AccountInfo& account, ImportPreview preview);

}  // namespace fiscora
