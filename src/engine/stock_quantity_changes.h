#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/capital_series.h"
#include "engine/position_index.h"
#include "records/ledger_record.h"

namespace fiscora {

// True for the records that change a stock's held quantity: purchases, sales, bonus shares
// and rights issues.
bool changesQuantity(const LedgerRecord& record);
// How such a record changes the held quantity: a sale takes its quantity away.
inline std::int64_t quantityChange(const LedgerRecord& record) {
    const std::int64_t q = record.quantity;
    return record.kind() == RecordType::Sell ? -q : q;
}

// The position a record names: its market and its code up to the terminator.
StockId stockOf(const LedgerRecord& record);

// A record's change of its stock's held quantity, on its date.
using QuantityChanges = std::vector<std::pair<std::int32_t, std::int64_t>>;

// The stocks of a ledger's quantity records in order of their first record, each with the
// changes of its held quantity, gathered record by record: one pass over the ledger serves
// every stock. A position is its market and its whole code, so one code in both markets
// is two positions.
class StockQuantityChanges {
public:
    // Counts the record when it changes a quantity; any other record is passed over.
    void add(const LedgerRecord& record);

    const std::vector<StockId>& stocks() const { return stocks_; }
    // The changes of stocks()[index], in ledger order.
    const QuantityChanges& changesOf(std::size_t index) const { return changes_[index]; }

private:
    PositionIndex index_;
    std::vector<StockId> stocks_;
    std::vector<QuantityChanges> changes_;  // by the index of the stock
};

}  // namespace fiscora
