#include "engine/ledger_figures.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace fiscora {

void CashSums::add(const LedgerRecord& record) {
    const double effect = record.cashSign * record.amount;
    if (record.kind() == RecordType::CashIn || record.kind() == RecordType::CashOut)
        netCashIn += effect;
    balance += effect;
}

CashSums cashSumsOf(const Ledger& ledger) {
    CashSums sums;
    for (const LedgerRecord& r : ledger) sums.add(r);
    return sums;
}

LedgerFigures ledgerFiguresOf(const Ledger& ledger) {
    LedgerFigures figures;
    // The holdings are numbered by the index's positions (those of every stock record), but
    // listed as computeHoldings lists them: in the order their first record dated from day 0
    // on appears.
    constexpr std::uint32_t kUnlisted = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> listed;
    Holdings all;
    for (std::size_t i = 0; i < ledger.size(); ++i) {
        const LedgerRecord& r = ledger[i];
        figures.cash.add(r);
        if (!r.isStock()) continue;
        const std::size_t position = figures.stockRecords.add(r, static_cast<std::uint32_t>(i));
        if (r.date < 0) continue;
        if (position >= listed.size()) listed.resize(position + 1, kUnlisted);
        if (listed[position] == kUnlisted) {
            listed[position] = static_cast<std::uint32_t>(all.size());
            Holding& h = all.emplace_back();
            h.market = r.market;
            h.stockCode.assign(r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode));
        }
        addToHolding(all[listed[position]], r);
    }
    std::erase_if(all, [](const Holding& h) { return h.heldQty() == 0; });
    figures.holdings = std::move(all);
    return figures;
}

}  // namespace fiscora
