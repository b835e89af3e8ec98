#pragma once

#include <string>

#include "engine/statement_import.h"
#include "store/stock_names_file.h"

namespace fiscora {

// The 证券名称 of the lines a preview books or finds already booked, by the code and market
// of their records (a later line's name wins).
StockNames stockNamesOf(const ImportPreview& preview);

// Adds a preview's names to names.tsv in the data folder, where the desktop program's
// quote source finds them. The ledger is written by then: a names file that cannot be
// written keeps its old names and costs the import nothing.
void learnStockNames(const std::string& dataDirectory, const StockNames& names);

}  // namespace fiscora
