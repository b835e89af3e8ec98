#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "output/holding_rows.h"

namespace fiscora::qt {

// The holdings list's rows as a table: the ten cells, centred, with the market's icon in
// the first column.
class HoldingListModel : public QAbstractTableModel {
public:
    explicit HoldingListModel(QObject* parent);

    void setRows(const std::vector<HoldingRow>& rows);
    const std::vector<ListColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ListColumn> columns_;
    std::vector<QStringList> cells_;
    std::vector<int> markets_;
    QIcon marketIcons_[2];  // 0 Shenzhen, 1 Shanghai
};

}  // namespace fiscora::qt
