#pragma once

#include <string>
#include <vector>

namespace fiscora {

enum class ColumnAlign { Left, Center, Right };

// How a cell's figure is coloured: as in every quote terminal for these markets, a gain in
// red and a loss in green; everything else plain.
enum class CellTone { Plain, Gain, Loss };

// The tone of a figure shown with three decimals: a gain above what shows as 0.000, a loss
// below it, and a figure that shows as 0.000 (or is not a number) plain.
inline CellTone toneOf(double figure) {
    if (figure >= 0.0005) return CellTone::Gain;
    if (figure <= -0.0005) return CellTone::Loss;
    return CellTone::Plain;
}

struct ListColumn {
    std::string header;  // UTF-8
    int width = 0;       // pixels, as the list shows the column
    ColumnAlign align = ColumnAlign::Center;
};

// A list as the window shows it: its header columns and every cell's text. The window's
// list views display it; printing and the text export take it as it stands, so a report
// always matches the screen.
struct ListTable {
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> rows;  // UTF-8 cell texts, one per column
};

}  // namespace fiscora
