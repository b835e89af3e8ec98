#include "qt/trade/cash_view.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

CashView::CashView(ui::CashDialog& model, QWidget* parent)
    : TransactionView(model, parent), balance_(text(model.balance)),
      amount_(lineEdit(model.amount)), remark_(lineEdit(model.remark)) {
    addRow(dateEdit());
    addWideRow(balance_);
    addWideRow(amount_);
    addRow(remark_);
    remark_->setMinimumWidth(DialogUnits(font()).x(110));
    finish();
}

}  // namespace fiscora::qt
