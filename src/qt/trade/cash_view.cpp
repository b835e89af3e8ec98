#include "qt/trade/cash_view.h"

#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

CashView::CashView(ui::CashDialog& model, QWidget* parent) : TransactionView(model, parent) {
    addWideRow(text(model.balance));
    addWideRow(lineEdit(model.amount));
    QLineEdit* remark = lineEdit(model.remark);
    remark->setMinimumWidth(DialogUnits(font()).x(110));
    addRow(remark);
    finish();
}

}  // namespace fiscora::qt
