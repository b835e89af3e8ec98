#pragma once

#include <vector>

#include "cli/output_table.h"
#include "records/ledger_record.h"

namespace fiscora::cli {

// One ledger record as the command line prints it: market, date, type code, kind name,
// code, quantity, price, fee, amount, cash sign and remark.
std::vector<Column> ledgerColumns();
std::vector<Value> ledgerRow(const LedgerRecord& record);

}  // namespace fiscora::cli
