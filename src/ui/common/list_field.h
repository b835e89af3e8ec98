#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "output/list_table.h"
#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// A list of rows under a header, as a window or dialog shows it. The rows are not stored
// here: the owner says how many there are and formats a cell when asked, so a view asks
// only for the cells it shows and a list of any length opens at once.
struct ListField : Field {
    ListField() : Field(FieldKind::List) {}

    std::vector<ListColumn> columns;
    std::size_t rowCount = 0;
    // The text of one cell (UTF-8).
    std::function<std::string(std::size_t row, std::size_t column)> cellText;
    // A small number a view may show as the row's icon in the first column (the market);
    // none when empty.
    std::function<int(std::size_t row)> rowMark;
    // The colour of one cell's figure (a gain red, a loss green); all plain when empty.
    std::function<CellTone(std::size_t row, std::size_t column)> cellTone;
    int selected = -1;  // the current row, -1 none
    // What Enter or a double click on a row does, that row made current first (see
    // DialogModel::activateRow); nothing when empty. A change of the current row runs the
    // list's onChange handler, as for every field.
    std::function<void()> activate;
    // Whether a right click on a row makes it current and opens the dialog's context menu
    // (DialogModel::rightClickRow).
    bool contextMenu = false;
    // Rows beyond those shown whose cells in `column` may be the widest (the largest and
    // the smallest figure), so a view widens its columns without formatting every row;
    // empty when the rows shown and Qt's own sample are enough.
    std::function<std::vector<std::size_t>(std::size_t column)> widestRows;

    // The owner moves the selection: a view selects `row` and scrolls it into sight, even
    // when it is the row already selected.
    void select(int row) {
        selected = row;
        ++selectionRevision;
    }
    std::uint32_t selectionRevision = 0;

    // Replaces the rows: a view rebuilds. `sameRows` keeps the view's scroll position and
    // selection, for the same rows with new figures.
    void rowsReplaced(std::size_t count, bool sameRows) {
        rowCount = count;
        ++(sameRows ? figuresRevision : rowsRevision);
    }
    std::uint32_t rowsRevision = 0;
    std::uint32_t figuresRevision = 0;

    // Asks the view to scroll `row` into sight.
    void showRow(int row) {
        scrollRow = row;
        ++scrollRevision;
    }
    int scrollRow = -1;
    std::uint32_t scrollRevision = 0;
};

}  // namespace fiscora::ui
