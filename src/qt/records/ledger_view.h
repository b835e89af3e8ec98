#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/records/ledger_view_dialog.h"

namespace fiscora::qt {

// 个人流水帐: the trade type and currency, the three filters with their check boxes and
// 显示流水帐, the list, the cash balance and the model's other buttons beside 关闭. A click on
// a 备注 cell shows the remark.
class LedgerView : public DialogView {
public:
    LedgerView(ui::LedgerViewDialog& model, QWidget* parent);

private:
    QLayout* filterRows(ui::LedgerViewDialog& model, QWidget* show);
    QLayout* bottomRow(ui::LedgerViewDialog& model, QWidget* show);
};

}  // namespace fiscora::qt
