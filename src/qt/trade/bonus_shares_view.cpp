#include "qt/trade/bonus_shares_view.h"

#include <QLineEdit>

namespace fiscora::qt {

BonusSharesView::BonusSharesView(ui::BonusSharesDialog& model, QWidget* parent)
    : HeldStockView(model, parent), per_(lineEdit(model.per)), grant_(lineEdit(model.grant)),
      bonus_(lineEdit(model.bonus)), remark_(lineEdit(model.remark)) {
    addStockRows();
    addRow(heldBox());
    addSchemeRow(per_, grant_);
    addRow(bonus_);
    addRow(remark_);
    finish();
}

}  // namespace fiscora::qt
