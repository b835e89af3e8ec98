#include "engine/record_editing.h"

#include "engine/trade_fee.h"

namespace fiscora {

EditableBoxes editableBoxes(RecordType kind) {
    switch (kind) {
    case RecordType::Buy:
    case RecordType::Sell: return {.code = true, .quantity = true, .price = true};
    case RecordType::Dividend:
    case RecordType::RightsIssue: return {.price = true};
    case RecordType::BonusShares: return {.quantity = true};
    case RecordType::CashIn:
    case RecordType::CashOut: return {.total = true};
    case RecordType::None: break;
    }
    return {};
}

EditedFigures editedFigures(RecordType kind, double price, std::uint32_t quantity,
                            const TradeParam& feeRow) {
    // A box that reads 0 leaves the figures as they are.
    if (price == 0 || quantity == 0) return {};
    const double value = static_cast<double>(quantity) * price;
    switch (kind) {
    case RecordType::Buy:
    case RecordType::RightsIssue: {
        const double fee = tradeFee(price, quantity, feeRow);
        return {fee, value + fee};
    }
    case RecordType::Sell: {
        const double fee = tradeFee(price, quantity, feeRow);
        return {fee, value - fee};
    }
    case RecordType::Dividend: return {std::nullopt, value};
    default: return {};
    }
}

}  // namespace fiscora
