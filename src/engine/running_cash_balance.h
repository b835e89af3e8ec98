#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "records/ledger_record.h"

namespace fiscora {

// The cash balance of the records dated from 0 up to a day, asked for day after day in
// increasing order. Each answer is bit for bit `cashBalanceBetween(ledger, 0, day)`: the
// amounts are added in ledger order, as that sum adds them, but only from the first record
// that joins on the new day. A ledger entered in date order is therefore summed once.
class RunningCashBalance {
public:
    explicit RunningCashBalance(const Ledger& ledger);

    // `day` must not be earlier than the day of the previous call.
    double upTo(std::int32_t day);

private:
    const Ledger& ledger_;
    // (date, index) of every record dated 0 or later, by date and then by index.
    std::vector<std::pair<std::int32_t, std::size_t>> joins_;
    std::size_t nextJoin_ = 0;
    // The smallest date of the counted records from each index to the end.
    std::vector<std::int32_t> earliestFrom_;
    // sumBefore_[i]: the balance of the counted records before index i, valid up to `end_`.
    std::vector<double> sumBefore_;
    // No record at or after `end_` counts for the current day.
    std::size_t end_ = 0;
};

}  // namespace fiscora
