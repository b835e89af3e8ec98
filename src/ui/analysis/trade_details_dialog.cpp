#include "ui/analysis/trade_details_dialog.h"

#include "engine/number_format.h"
#include "engine/trade_details.h"
#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "records/gbk_text.h"

namespace fiscora::ui {

TradeDetailsDialog::TradeDetailsDialog(Workspace& workspace, const std::string& accountName,
                                       std::int32_t market, std::string gbkCode, ListOutput* output)
    : DialogModel(workspace.messages()), workspace_(workspace), market_(market),
      gbkCode_(std::move(gbkCode)), output_(output) {
    setCaption("交易明细 -[" + accountName + "]");
    const struct {
        TextField& field;
        const char* name;
        const char* label;
    } figures[] = {{heldQty, "held-qty", "持股数量："},
                   {averagePrice, "average-price", "买入平均价："},
                   {buyAmount, "buy-amount", "投资总额："},
                   {realisedProfit, "realised-profit", "净赢利(已成交)："},
                   {realisedRate, "realised-rate", "赢利率(已成交)："},
                   {currentProfit, "current-profit", "净赢利(包括未成交)："},
                   {currentRate, "current-rate", "赢利率(包括未成交)："}};
    for (const auto& figure : figures) {
        declare(figure.field, figure.name, figure.label);
        figure.field.kind = FieldKind::Figure;
        figure.field.alignRight = true;
    }
    declare(history, "history", "交易历史记录");
    history.columns = tradeDetailColumns();
    history.cellText = [this](std::size_t row, std::size_t column) {
        return formatter_.cell(workspace_.ledger.at(rows_.at(row)), static_cast<int>(column));
    };
    // Every row carries the same icon, the program's own.
    history.rowMark = [](std::size_t) { return 0; };
    declare(remark, "remark", "交易备注");
    remark.kind = FieldKind::Figure;
    remark.multiLine = true;
    setButtons({.confirm = "关闭", .cancel = ""});
    // The arrows move through the rows, Enter closes.
    setKeyNavigation(false);
    setTabOrder({&history, &remark});
    onChange(history, [this] { OnRowSelected(); });
    addAction({.caption = "数据存盘", .run = [this] { OnSave(); }});
    addAction({.caption = "数据打印", .run = [this] { OnPrint(); }});
}

void TradeDetailsDialog::OnInitDialog() {
    DialogModel::OnInitDialog();
    FillRows();
    if (!rows_.empty()) pickRow(history, 0);
    showFigures();
}

void TradeDetailsDialog::FillRows() {
    rows_ = refillViewRows(workspace_.ledger, LedgerFilter::oneStock(market_, gbkCode_));
    history.selected = -1;
    history.rowsReplaced(rows_.size(), false);
}

void TradeDetailsDialog::OnRowSelected() {
    const int row = history.selected;
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    remark.text = fieldText(workspace_.ledger.at(rows_[row]).remark);
}

void TradeDetailsDialog::showFigures() {
    const TradeDetailFigures f = tradeDetailFigures(workspace_, market_, gbkCode_);
    heldQty.text = formatQuantity(f.heldQty);
    averagePrice.text = formatAmount(f.averagePrice);
    buyAmount.text = formatAmount(f.buyAmount);
    realisedProfit.text = formatAmount(f.realisedProfit);
    realisedRate.text = formatPercent(f.realisedRate);
    currentProfit.text = formatAmount(f.currentProfit);
    currentRate.text = formatPercent(f.currentRate);
}

void TradeDetailsDialog::OnPrint() {
    if (output_ != nullptr)
        output_->printList(tradeDetailTable(workspace_.ledger, rows_), kTradeDetailsReport.title);
}

void TradeDetailsDialog::OnSave() {
    if (output_ == nullptr) return;
    SaveList(tradeDetailTable(workspace_.ledger, rows_), kTradeDetailsReport.fileName, messages(),
             [this](const std::string& path) { return output_->openInTextEditor(path); });
}

}  // namespace fiscora::ui
