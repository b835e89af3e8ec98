#pragma once

#include <string>
#include <vector>

#include "engine/holdings.h"
#include "engine/workspace.h"
#include "output/list_table.h"

namespace fiscora {

// One row of the holdings list: the position, its figures at the latest price, and the
// ten cells as the main window shows them.
struct HoldingRow {
    Holding holding;
    std::string name;  // from the host, empty when the lookup fails
    double latestPrice = 0;
    HoldingFigures figures;
    std::vector<std::string> cells;
};

// The ten columns of the holdings list: headers, widths in pixels, all centred.
std::vector<ListColumn> holdingColumns();

// A row per holding of `holdings` in list order, asking the host for each stock's name
// and price and choosing its fee row from the workspace's table.
std::vector<HoldingRow> holdingRows(const Workspace& workspace, const Holdings& holdings);

// The colour of a cell: 浮动盈亏 and 收益率 by their sign, every other cell plain.
CellTone holdingCellTone(const HoldingRow& row, std::size_t column);

// The rows as a list with its header, ready to print or export.
ListTable holdingTable(const std::vector<HoldingRow>& rows);

}  // namespace fiscora
