#pragma once

#include <cstddef>
#include <vector>

#include "cli/output_table.h"
#include "records/ledger_record.h"

namespace fiscora::cli {

// One ledger record as the command line prints it: market, date, type code, kind name,
// code, quantity, price, fee, amount, cash sign and remark.
const RowFormat<LedgerRecord>& ledgerFormat();
std::vector<Column> ledgerColumns();
std::vector<Value> ledgerRow(const LedgerRecord& record);

// The same with two first fields: `index`, the record's position in the ledger counted from
// 1, which names it to edit-record and delete-record whatever filters the list had, and
// `id`, the record's identity (engine/record_identity.h), which their --id checks.
std::vector<Column> indexedLedgerColumns();
std::vector<Value> indexedLedgerRow(const LedgerRecord& record, std::size_t position);
// The same row written into `writer` as it is made.
void writeIndexedLedgerRow(TableWriter& writer, const LedgerRecord& record, std::size_t position);

}  // namespace fiscora::cli
