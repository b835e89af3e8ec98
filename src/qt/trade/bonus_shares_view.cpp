#include "qt/trade/bonus_shares_view.h"

#include <QLineEdit>

namespace fiscora::qt {

BonusSharesView::BonusSharesView(ui::BonusSharesDialog& model, QWidget* parent)
    : HeldStockView(model, parent) {
    addRow(lineEdit(model.held));
    addSchemeRow(model.per, model.grant);
    addRow(lineEdit(model.bonus));
    addRow(lineEdit(model.remark));
    finish();
}

}  // namespace fiscora::qt
