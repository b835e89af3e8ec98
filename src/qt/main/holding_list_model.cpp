#include "qt/main/holding_list_model.h"

#include "qt/widgets/artwork.h"

namespace fiscora::qt {

HoldingListModel::HoldingListModel(QObject* parent)
    : QAbstractTableModel(parent),
      columns_(holdingColumns()), marketIcons_{marketIcon(0), marketIcon(1)} {}

void HoldingListModel::setRows(const std::vector<HoldingRow>& rows) {
    std::vector<QStringList> cells;
    std::vector<int> markets;
    for (const auto& row : rows) {
        QStringList rowCells;
        for (const auto& cell : row.cells) rowCells << QString::fromStdString(cell);
        cells.push_back(rowCells);
        markets.push_back(row.holding.market);
    }
    if (cells == cells_ && markets == markets_) return;
    // The same positions with new figures (行情刷新) keep the view's scroll position and
    // selection; other changes rebuild it.
    if (markets == markets_ && !cells.empty()) {
        cells_ = std::move(cells);
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::DisplayRole});
        return;
    }
    beginResetModel();
    cells_ = std::move(cells);
    markets_ = std::move(markets);
    endResetModel();
}

int HoldingListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int HoldingListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant HoldingListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole: return cells_[row].value(index.column());
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::DecorationRole:
        if (index.column() == 0) return marketIcons_[markets_[row] == 1 ? 1 : 0];
        return {};
    default: return {};
    }
}

QVariant HoldingListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(columns_[section].header);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

}  // namespace fiscora::qt
