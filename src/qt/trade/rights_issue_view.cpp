#include "qt/trade/rights_issue_view.h"

#include <QLineEdit>

namespace fiscora::qt {

RightsIssueView::RightsIssueView(ui::RightsIssueDialog& model, QWidget* parent)
    : HeldStockView(model, parent), per_(lineEdit(model.per)), grant_(lineEdit(model.grant)),
      quantity_(lineEdit(model.quantity)), price_(lineEdit(model.price)),
      commission_(lineEdit(model.commission)), expense_(lineEdit(model.expense)),
      remark_(lineEdit(model.remark)) {
    addStockRows();
    addSchemeRow(per_, grant_);
    addRow(heldBox());
    addRow(lineEdit(model.maximum));
    addRow(quantity_);
    addRow(price_);
    addRow(commission_);
    addRow(expense_);
    addRow(lineEdit(model.cash));
    addRow(remark_);
    finish();
}

}  // namespace fiscora::qt
