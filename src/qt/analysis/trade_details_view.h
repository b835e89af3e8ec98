#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/trade_details_dialog.h"

class QTableView;

namespace fiscora::qt {

class HoverButton;

// 交易明细: the position's figures in the top band, the records as a report list, the
// selected record's remark below it beside 数据存盘, 数据打印 and 关闭.
class TradeDetailsView : public DialogView {
public:
    TradeDetailsView(ui::TradeDetailsDialog& model, QWidget* parent);

    QTableView* historyTable() const { return history_; }
    QPlainTextEdit* remarkBox() const { return remark_; }
    HoverButton* saveButton() const { return save_; }
    HoverButton* printButton() const { return print_; }

private:
    HoverButton* actionButton(const char* caption, void (ui::TradeDetailsDialog::*action)());

    ui::TradeDetailsDialog& model_;
    QTableView* history_;
    QPlainTextEdit* remark_;
    HoverButton* save_;
    HoverButton* print_;
};

}  // namespace fiscora::qt
