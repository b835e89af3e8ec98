#include "qt/trade/rights_issue_view.h"

#include <QLineEdit>

namespace fiscora::qt {

RightsIssueView::RightsIssueView(ui::RightsIssueDialog& model, QWidget* parent)
    : HeldStockView(model, parent) {
    addSchemeRow(model.per, model.grant);
    for (ui::TextField* box : {&model.held, &model.maximum, &model.quantity, &model.price,
                               &model.commission, &model.expense, &model.cash, &model.remark})
        addRow(lineEdit(*box));
    finish();
}

}  // namespace fiscora::qt
