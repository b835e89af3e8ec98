#pragma once

#include <cstddef>
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

struct ImportRow {
    StatementEntry entry;
    ImportOutcome outcome = ImportOutcome::Skipped;
    std::string reason;  // for skipped and refused lines
};

// What importing a statement into a ledger would do, before anything is written: every
// line of the statement in file order with its outcome, and the records to book in the
// order they are booked.
struct ImportPreview {
    std::string layoutName;
    std::vector<ImportRow> rows;
    std::vector<std::size_t> bookingOrder;  // rows booked, by index, oldest date first

    std::size_t count(ImportOutcome outcome) const;
    Ledger recordsToBook() const;
};

// The preview of the entries against the ledger as it is:
// - the records are taken oldest date first (a statement listed newest first is read from
//   its end), the lines of one day in their own order;
// - a record the ledger already holds (same date, market, code, kind, quantity, price and
//   amount) is a duplicate; each ledger record answers for one line only, so two equal
//   fills of one day are both booked the first time and neither the second;
// - a sale of more shares than the ledger and the lines before it leave held on its date,
//   a purchase, rights subscription or withdrawal beyond the cash, and shares that would
//   take a position beyond what a record's count holds (2147483647), are refused and
//   book nothing, so the lines after them are judged without them.
ImportPreview previewImport(const Ledger& ledger, const StatementReading& reading);

// Books the preview's records as one rewrite of the ledger file (crash-safe: the file
// holds all of them or none). When the file cannot be written the failure is reported
// and the ledger in memory is put back as it was, so the import can be tried again as a
// whole; a file another program changed meanwhile is loaded again instead (reported). The holdings
// are recomputed either way. Nothing to book writes nothing.
bool bookImport(Workspace& workspace, const AccountInfo& account, const ImportPreview& preview);

}  // namespace fiscora
