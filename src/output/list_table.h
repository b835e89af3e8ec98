#pragma once

#include <string>
#include <vector>

namespace fiscora {

enum class ColumnAlign { Left, Center, Right };

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
