#include "qt/trade/dividend_view.h"

#include <QLineEdit>

namespace fiscora::qt {

DividendView::DividendView(ui::DividendDialog& model, QWidget* parent)
    : HeldStockView(model, parent), rate_(lineEdit(model.rate)), due_(lineEdit(model.due)),
      remark_(lineEdit(model.remark)) {
    addStockRows();
    addRow(heldBox());
    addRow(rate_);
    addRow(due_);
    addRow(remark_);
    finish();
}

}  // namespace fiscora::qt
