#include "qt/trade/rights_issue_view.h"

#include <QLineEdit>

namespace fiscora::qt {

RightsIssueView::RightsIssueView(ui::RightsIssueDialog& model, QWidget* parent)
    : HeldStockView(model, parent), per_(lineEdit(model.per)), grant_(lineEdit(model.grant)),
      maximum_(lineEdit(model.maximum)), quantity_(lineEdit(model.quantity)),
      price_(lineEdit(model.price)), commission_(lineEdit(model.commission)),
      expense_(lineEdit(model.expense)), cash_(lineEdit(model.cash)),
      remark_(lineEdit(model.remark)) {
    addStockRows();
    addSchemeRow(per_, grant_);
    addRow(heldBox());
    addRow(maximum_);
    addRow(quantity_);
    addRow(price_);
    addRow(commission_);
    addRow(expense_);
    addRow(cash_);
    addRow(remark_);
    finish();
}

}  // namespace fiscora::qt
