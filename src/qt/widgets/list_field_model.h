#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <cstdint>
#include <functional>

#include "ui/common/list_field.h"

class QTableView;

namespace fiscora::qt {

// A list field as a table for a QTableView. Cells are asked of the field only when the
// view shows them, so a list of any length opens and scrolls at once. sync() follows
// the field: new rows rebuild the view, new figures for the same rows only repaint it.
class ListFieldModel : public QAbstractTableModel {
public:
    // `markIcon` turns a row's mark into the icon of its first column.
    ListFieldModel(const ui::ListField& field, std::function<QIcon(int mark)> markIcon,
                   QObject* parent);

    // True when the rows were rebuilt.
    bool sync();
    // Headers, widths and the look of a report list: grid, whole rows selected, rows of
    // `rowHeight` pixels.
    void showIn(QTableView* view, int rowHeight);
    // Widens each column of `view` to its header and its widest cell where the list's own
    // width is narrower, so no figure is cut. The cells measured are Qt's sample around the
    // rows shown, and the field's widestRows when it has them (then the sample is a
    // screenful, so a long list still opens at once).
    void fitColumns(QTableView* view) const;
    // Makes the field's selected row the view's current row, with the selection model's
    // signals on (so it repaints), and scrolls it into sight when it was not current or
    // `again`. Nothing happens while no row is selected.
    void showSelection(QTableView* view, bool again) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ui::ListField& field_;
    std::function<QIcon(int)> markIcon_;
    int rows_ = 0;
    std::uint32_t rowsRevision_ = 0;
    std::uint32_t figuresRevision_ = 0;
};

}  // namespace fiscora::qt
