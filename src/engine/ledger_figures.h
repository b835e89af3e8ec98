#pragma once

#include <cstddef>

#include "engine/holdings.h"
#include "engine/stock_record_index.h"
#include "records/ledger_record.h"

namespace fiscora {

// The cash sums of a ledger, each summed in ledger order as cashBalance() sums, so that a
// sum kept up to date record by record is the fresh sum to the last bit.
struct CashSums {
    double balance = 0;    // cashSign * amount of every record
    double netCashIn = 0;  // the same over the CashIn and CashOut records only

    void add(const LedgerRecord& record);
};

CashSums cashSumsOf(const Ledger& ledger);

// What the window keeps of a whole ledger, gathered in one pass over it: the open positions
// over all dates (computeHoldings(ledger, 0, -1)), the cash sums and where each stock's
// records are.
struct LedgerFigures {
    Holdings holdings;
    CashSums cash;
    StockRecordIndex stockRecords;
};

LedgerFigures ledgerFiguresOf(const Ledger& ledger);

}  // namespace fiscora
