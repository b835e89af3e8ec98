#pragma once

#include <string>
#include <vector>

#include "output/list_table.h"
#include "records/trade_param.h"

namespace fiscora {

// The seven columns of the fee editor's list: headers, widths in pixels, all centred. The
// code prefix is not shown.
std::vector<ListColumn> tradeParamColumns();

// One row's cells: the name, the rates as percentages "%.3lf%%", the amounts "%.3lf".
std::vector<std::string> tradeParamCells(const TradeParam& row);

// The whole table as the list shows it, in table order.
ListTable tradeParamList(const TradeParamTable& table);

}  // namespace fiscora
