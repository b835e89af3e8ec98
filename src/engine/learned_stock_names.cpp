#include "engine/learned_stock_names.h"

#include <cstring>

#include "store/home_folder.h"

namespace fiscora {

StockNames stockNamesOf(const ImportPreview& preview) {
    StockNames names;
    for (const ImportRow& row : preview.rows) {
        const bool inLedger =
            row.outcome == ImportOutcome::Booked || row.outcome == ImportOutcome::Duplicate;
        if (!inLedger || !row.entry.record || row.entry.name.empty()) continue;
        const LedgerRecord& r = *row.entry.record;
        const std::string code(r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode));
        if (code.empty()) continue;
        names[{code, r.market}] = row.entry.name;
    }
    return names;
}

void learnStockNames(const std::string& dataDirectory, const ImportPreview& preview) {
    const StockNames names = stockNamesOf(preview);
    if (!names.empty()) mergeStockNames(dataDirectory + kStockNamesFileName, names);
}

}  // namespace fiscora
