#include "qt/trade/sell_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

SellView::SellView(ui::SellDialog& model, QWidget* parent) : TransactionView(model, parent) {
    addRowNamed(dropDown(model.code), model.nameLabel);
    addRow(dropDown(model.market));
    for (ui::TextField* box :
         {&model.sellQuantity, &model.sellable, &model.held, &model.price, &model.commission,
          &model.breakEvenPrice, &model.totalIncome, &model.floatingProfit})
        addRow(lineEdit(*box));
    QPlainTextEdit* remark = textEdit(model.remark);
    remark->setFixedHeight(DialogUnits(font()).y(30));
    addRow(remark);
    finish();
}

}  // namespace fiscora::qt
