#include "qt/trade/buy_view.h"

#include <QComboBox>
#include <QLineEdit>

namespace fiscora::qt {

BuyView::BuyView(ui::BuyDialog& model, QWidget* parent) : TransactionView(model, parent) {
    addRowNamed(lineEdit(model.code), model.nameLabel);
    addRow(dropDown(model.market));
    for (ui::TextField* box : {&model.price, &model.maxBuyable, &model.quantity, &model.commission,
                               &model.expense, &model.cash, &model.remark})
        addRow(lineEdit(*box));
    finish();
}

}  // namespace fiscora::qt
