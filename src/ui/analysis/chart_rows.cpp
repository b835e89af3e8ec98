#include "ui/analysis/chart_rows.h"

#include <cstdio>

namespace fiscora::ui {
std::string hexColour(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::vector<ChartRow> chartRows(const ChartSeries& series) {
    std::vector<ChartRow> rows;
    for (std::size_t i = 0; i < series.values.size(); ++i) {
        rows.push_back({static_cast<int>(i), labelAt(series.codeLabels, i),
                        labelAt(series.nameLabels, i), series.values[i],
                        labelAt(series.valueLabels, i), hexColour(paletteColour(i))});
    }
    return rows;
}

}  // namespace fiscora::ui
