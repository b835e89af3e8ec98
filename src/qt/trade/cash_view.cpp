#include "qt/trade/cash_view.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

CashView::CashView(ui::CashDialog& model, QWidget* parent)
    : TransactionView(model, parent), balance_(new QLabel(this)), amount_(new QLineEdit(this)),
      remark_(new QLineEdit(this)) {
    addRow(ui::CashDialog::kDateLabel, dateEdit());
    addWideRow(balance_);
    addWideRow(amount_);
    addRow(ui::CashDialog::kRemarkLabel, remark_);
    amount_->setAlignment(Qt::AlignRight);
    remark_->setMinimumWidth(DialogUnits(font()).x(110));
    chainTabs({dateEdit(), amount_, remark_});
    finish();

    bindField(dateEdit(), model.tradeDate);
    bindings().bind(balance_, model.balance);
    bindField(amount_, model.amount);
    bindField(remark_, model.remark);
}

}  // namespace fiscora::qt
