#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "records/trade_param.h"

namespace fiscora {

// Why `row` cannot go into the table, or nothing. Two rules hold for the table: category
// names are unique, and no two rows share both code prefix and market. The row is tested
// against every row in table order, the name before the prefix, and the first conflict is
// told; `editedRow` is the index of the row being modified (skipped, and the modify wording
// used), or nothing for a new row. `clash` (when given) learns which rule the row broke.
enum class TradeParamClash { Name, CodePrefix };
std::optional<std::string> tradeParamConflict(const TradeParamTable& table, const TradeParam& row,
                                              std::optional<std::size_t> editedRow,
                                              TradeParamClash* clash = nullptr);

// The fee editor's changes to the table. Each accepted change is made in memory and written
// at once through `save`, which reports its own failure; the table keeps the change then.
class TradeParamTableEdits {
public:
    using Save = std::function<bool()>;

    TradeParamTableEdits(TradeParamTable& table, Save save)
        : table_(table), save_(std::move(save)) {}

    // Appends the row last; the conflict message instead, the table untouched.
    std::optional<std::string> add(const TradeParam& row, TradeParamClash* clash = nullptr);
    // Overwrites row `index` in place; the conflict message instead, the table untouched.
    std::optional<std::string> modify(std::size_t index, const TradeParam& row,
                                      TradeParamClash* clash = nullptr);
    // Removes row `index`, the later rows moving up one place.
    void remove(std::size_t index);

    const TradeParamTable& table() const { return table_; }

private:
    TradeParamTable& table_;
    Save save_;
};

}  // namespace fiscora
