#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ledger_filter.h"
#include "engine/workspace.h"
#include "output/ledger_rows.h"
#include "output/list_output.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// 交易明细: one stock of the account. Seven figures of its position, every record of it
// as a list (the ledger view's first nine columns, in ledger order) and the remark of the
// selected record. Nothing is changed but the records' viewRow, which ties them to the rows.
class TradeDetailsDialog : public DialogModel {
public:
    // The stock is a position of the holdings: its market and code (GBK) as they hold them.
    // `output` prints the list and opens a saved file; without one 数据打印 and 数据存盘 do
    // nothing.
    TradeDetailsDialog(Workspace& workspace, const std::string& accountName, std::int32_t market,
                       std::string gbkCode, ListOutput* output);

    // The rows with the first selected (showing its remark), then the figures.
    void OnInitDialog() override;
    // Rebuilds the rows from the ledger: the stock's records of the dialog's market.
    void FillRows();
    // The list's selection changed: the selected row's remark, exactly as stored. With no
    // row selected the box keeps what it shows.
    void OnRowSelected();
    // 数据打印 ("交易明细打印") and 数据存盘 ("交易明细.txt") of the list as it shows.
    void OnPrint();
    void OnSave();

    // The ledger position of each row, in row order.
    const ViewRows& rowPositions() const { return rows_; }

    // Above the first rule: 持股数量, 买入平均价, 投资总额.
    TextField heldQty;
    TextField averagePrice;
    TextField buyAmount;
    // Below it: the realised and current profit and their rates.
    TextField realisedProfit;
    TextField realisedRate;
    TextField currentProfit;
    TextField currentRate;
    ListField history;  // 交易历史记录
    TextField remark;   // 交易备注, read-only

private:
    void showFigures();

    Workspace& workspace_;
    std::int32_t market_;
    std::string gbkCode_;
    ListOutput* output_;
    ViewRows rows_;
    LedgerRowFormatter formatter_;
};

}  // namespace fiscora::ui
