#include "engine/learned_stock_names.h"

#include <cstring>

#include "store/home_folder.h"

namespace fiscora {

StockNames stockNamesOf(const ImportPreview& preview) {
    StockNames names;
    for (std::size_t i = 0; i < preview.size(); ++i) {
        const ImportOutcome outcome = preview.judgements[i].outcome;
        const bool inLedger =
            outcome == ImportOutcome::Booked || outcome == ImportOutcome::Duplicate;
        const CompactEntry& entry = preview.entries[i];
        if (!inLedger || !entry.hasRecord()) continue;
        const std::string& name = preview.texts.text(entry.name);
        const std::string code(entry.stockCode, ::strnlen(entry.stockCode, sizeof entry.stockCode));
        if (name.empty() || code.empty()) continue;
        names[{code, entry.market}] = name;
    }
    return names;
}

void learnStockNames(const std::string& dataDirectory, const StockNames& names) {
    if (!names.empty()) mergeStockNames(dataDirectory + kStockNamesFileName, names);
}

}  // namespace fiscora
