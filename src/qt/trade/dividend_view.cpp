#include "qt/trade/dividend_view.h"

#include <QLineEdit>

namespace fiscora::qt {

DividendView::DividendView(ui::DividendDialog& model, QWidget* parent)
    : HeldStockView(model, parent) {
    addRow(lineEdit(model.held));
    addRow(lineEdit(model.rate));
    addRow(lineEdit(model.due));
    addRow(lineEdit(model.remark));
    finish();
}

}  // namespace fiscora::qt
