#pragma once

#include "engine/capital_series.h"

namespace fiscora::test {

// The capital curve computed the slow, obvious way: for every calendar day and every stock,
// the day's bar looked up by reading the stock's whole bar file, and the ledger replayed from
// the start up to that day. The fast series must give exactly these points.
DaySeries literalStockSeries(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                             const SeriesPrices& prices);
DaySeries literalTotalSeries(const Ledger& ledger, const SeriesPrices& prices);

}  // namespace fiscora::test
