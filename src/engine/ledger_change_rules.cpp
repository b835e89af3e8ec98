#include "engine/ledger_change_rules.h"

#include <cmath>
#include <cstdint>

#include "records/gbk_text.h"

namespace fiscora {
namespace {

bool sameStock(const LedgerRecord& a, const LedgerRecord& b) {
    return a.market == b.market && fieldBytes(a.stockCode) == fieldBytes(b.stockCode);
}

// The shares of the stock of `like` held over the whole ledger, counted wide so that no
// sum of int32 quantities overflows.
std::int64_t heldShares(const Ledger& ledger, const LedgerRecord& like) {
    std::int64_t held = 0;
    for (const LedgerRecord& r : ledger) {
        if (r.isStock() && sameStock(r, like)) held += sharesMoved(r);
    }
    return held;
}

// A change moving the holding from `before` to `after` is refused when it lowers it below
// zero.
bool leavesNegative(std::int64_t before, std::int64_t after) {
    return after < 0 && after < before;
}

}  // namespace

std::int64_t sharesMoved(const LedgerRecord& r) {
    switch (r.kind()) {
    case RecordType::Buy:
    case RecordType::RightsIssue:
    case RecordType::BonusShares: return r.quantity;
    case RecordType::Sell: return -static_cast<std::int64_t>(r.quantity);
    default: return 0;
    }
}

bool mayDeleteRecord(const Ledger& ledger, std::size_t index) {
    const LedgerRecord& gone = ledger.at(index);
    // The balance as if the record's amount were 0, summed in ledger order.
    double balance = 0;
    for (std::size_t i = 0; i < ledger.size(); ++i) {
        if (i != index) balance += ledger[i].cashSign * ledger[i].amount;
    }
    if (std::trunc(balance) < 0) return false;
    if (!gone.isStock()) return true;

    // A stock is among the holdings exactly while some of it is held.
    const std::int64_t before = heldShares(ledger, gone);
    const RecordType k = gone.kind();
    if (k != RecordType::Sell && k != RecordType::Dividend && before == 0) return false;
    return !leavesNegative(before, before - sharesMoved(gone));
}

bool mayReplaceRecord(const Ledger& ledger, std::size_t index, const LedgerRecord& edited) {
    const LedgerRecord& old = ledger.at(index);
    for (const LedgerRecord* stock : {&old, &edited}) {
        if (!stock->isStock()) continue;
        const std::int64_t before = heldShares(ledger, *stock);
        std::int64_t after = before;
        if (old.isStock() && sameStock(old, *stock)) after -= sharesMoved(old);
        if (edited.isStock() && sameStock(edited, *stock)) after += sharesMoved(edited);
        if (leavesNegative(before, after)) return false;
    }
    return true;
}

}  // namespace fiscora
