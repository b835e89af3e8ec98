#pragma once

#include <cstdint>
#include <optional>

#include "records/ledger_record.h"
#include "records/trade_param.h"

namespace fiscora {

// The boxes of the record editor a kind lets the user change; the date and the remark
// always, the kind and the fee never.
struct EditableBoxes {
    bool code = false;
    bool quantity = false;
    bool price = false;
    bool total = false;
};
EditableBoxes editableBoxes(RecordType kind);

// The fee and total the editor shows for a price and a quantity, when the kind computes
// them: a purchase or rights issue costs quantity x price + fee, a sale brings
// quantity x price - fee (as the selling dialog books it), a dividend pays
// quantity x price without a fee. Other kinds, and a price or quantity of 0, compute
// nothing.
struct EditedFigures {
    std::optional<double> fee;
    std::optional<double> total;
};
EditedFigures editedFigures(RecordType kind, double price, std::uint32_t quantity,
                            const TradeParam& feeRow);

}  // namespace fiscora
