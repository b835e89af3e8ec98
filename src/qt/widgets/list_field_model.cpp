#include "qt/widgets/list_field_model.h"

#include <QColor>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

#include "qt/widgets/tone_colour.h"

namespace fiscora::qt {
namespace {

constexpr int kSampledRows = 60;

Qt::Alignment alignmentOf(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case ColumnAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Center: break;
    }
    return Qt::AlignCenter;
}

}  // namespace

ListFieldModel::ListFieldModel(const ui::ListField& field, std::function<QIcon(int)> markIcon,
                               QObject* parent)
    : QAbstractTableModel(parent), field_(field), markIcon_(std::move(markIcon)),
      rows_(static_cast<int>(field.rowCount)), rowsRevision_(field.rowsRevision),
      figuresRevision_(field.figuresRevision) {}

bool ListFieldModel::sync() {
    if (field_.rowsRevision != rowsRevision_ || static_cast<int>(field_.rowCount) != rows_) {
        beginResetModel();
        rows_ = static_cast<int>(field_.rowCount);
        rowsRevision_ = field_.rowsRevision;
        figuresRevision_ = field_.figuresRevision;
        endResetModel();
        return true;
    }
    if (field_.figuresRevision != figuresRevision_) {
        figuresRevision_ = field_.figuresRevision;
        if (rows_ > 0)
            Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1),
                               {Qt::DisplayRole, Qt::ForegroundRole});
    }
    return false;
}

void ListFieldModel::showSelection(QTableView* view, bool again) const {
    const int row = field_.selected;
    if (row < 0 || row >= rows_ || (!again && view->currentIndex().row() == row)) return;
    const QModelIndex current = index(row, 0);
    view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    view->scrollTo(current);
}

void ListFieldModel::showIn(QTableView* view, int rowHeight) {
    view->setModel(this);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(rowHeight);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setIconSize(QSize(16, 16));
    for (int i = 0; i < columnCount(); ++i)
        view->setColumnWidth(i, field_.columns[static_cast<std::size_t>(i)].width);
    // Qt measures up to this many rows for a column's width (the precision is the column
    // header's); the rest come from widestRows.
    if (field_.widestRows) view->horizontalHeader()->setResizeContentsPrecision(kSampledRows);
}

void ListFieldModel::fitColumns(QTableView* view) const {
    const QHeaderView* header = view->horizontalHeader();
    const QAbstractItemView* cells = view;  // the size hints are public there
    const int grid = view->showGrid() ? 1 : 0;
    for (int i = 0; i < columnCount(); ++i) {
        const auto column = static_cast<std::size_t>(i);
        int width = std::max({field_.columns[column].width, header->sectionSizeHint(i),
                              cells->sizeHintForColumn(i)});
        if (field_.widestRows) {
            for (const std::size_t row : field_.widestRows(column)) {
                if (row < static_cast<std::size_t>(rows_))
                    width = std::max(
                        width,
                        cells->sizeHintForIndex(index(static_cast<int>(row), i)).width() + grid);
            }
        }
        if (view->columnWidth(i) != width) view->setColumnWidth(i, width);
    }
}

int ListFieldModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ListFieldModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(field_.columns.size());
}

QVariant ListFieldModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(field_.cellText(row, column));
    case Qt::TextAlignmentRole: return int(alignmentOf(field_.columns[column].align));
    case Qt::ForegroundRole:
        return field_.cellTone ? toneColour(field_.cellTone(row, column)) : QVariant();
    case Qt::DecorationRole:
        if (column == 0 && field_.rowMark && markIcon_) return markIcon_(field_.rowMark(row));
        return {};
    default: return {};
    }
}

QVariant ListFieldModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(field_.columns[static_cast<std::size_t>(section)].header);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

}  // namespace fiscora::qt
