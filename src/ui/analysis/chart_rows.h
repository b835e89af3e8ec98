#pragma once

#include <string>
#include <vector>

#include "ui/analysis/chart_painter.h"

namespace fiscora::ui {

// One item of a chart as the command line lists it.
struct ChartRow {
    int index = 0;
    std::string stockCode;  // empty for the account
    std::string name;       // empty for the account
    double value = 0;
    std::string valueLabel;
    std::string colour;  // "#rrggbb", the item's palette colour
    bool operator==(const ChartRow&) const = default;
};

// "#rrggbb" in lower-case hexadecimal.
std::string hexColour(Rgb colour);

std::vector<ChartRow> chartRows(const ChartSeries& series);

}  // namespace fiscora::ui
