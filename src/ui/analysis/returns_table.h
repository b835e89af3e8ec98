#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/returns.h"
#include "output/list_table.h"

namespace fiscora::ui {

// A rate as the window shows it, "6.960%" for 0.0696; empty when there is none.
std::string rateText(const std::optional<double>& rate);
// The tone of a rate as shown: a gain red, a loss green.
CellTone rateTone(const std::optional<double>& rate);
// A period's name: "全部" for the period asked for, "2023年", "最近1年".
std::string periodName(const std::string& period);

// The columns of the periods' table, each declared with its cell and its tone, so the
// window's list, the printed report and the text export show the same cells.
struct ReturnsColumn {
    ListColumn column;
    std::string (*cell)(const ReturnsRow& row);
    CellTone (*tone)(const ReturnsRow& row);
};

const std::vector<ReturnsColumn>& returnsColumns();

// The rows as the window lists them, for printing and the text export.
ListTable returnsTable(const std::vector<ReturnsRow>& rows);

}  // namespace fiscora::ui
