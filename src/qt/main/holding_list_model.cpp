#include "qt/main/holding_list_model.h"

#include <QIcon>

#include "qt/widgets/artwork.h"

namespace fiscora::qt {

HoldingListModel::HoldingListModel(QObject* parent) : QAbstractTableModel(parent), columns_(holdingColumns()) {}

void HoldingListModel::setRows(const std::vector<HoldingRow>& rows) {
    beginResetModel();
    cells_.clear();
    markets_.clear();
    for (const auto& row : rows) {
        QStringList cells;
        for (const auto& cell : row.cells) cells << QString::fromStdString(cell);
        cells_.push_back(cells);
        markets_.push_back(row.holding.market);
    }
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
        if (index.column() == 0) {
            static const QIcon icons[2] = {marketIcon(0), marketIcon(1)};
            return icons[markets_[row] == 1 ? 1 : 0];
        }
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
