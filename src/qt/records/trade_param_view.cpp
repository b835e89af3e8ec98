#include "qt/records/trade_param_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

TradeParamView::TradeParamView(ui::TradeParamDialog& model, QWidget* parent)
    : DialogView(model, parent), market_(dropDown(model.market)),
      codePrefix_(lineEdit(model.codePrefix)), categoryName_(lineEdit(model.categoryName)),
      commission_(lineEdit(model.commission)), orderFee_(lineEdit(model.orderFee)) {
    const DialogUnits dlu(font());
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(dlu.x(6));
    form->setVerticalSpacing(dlu.y(3));
    int row = 0;
    QWidget* const boxes[] = {market_,
                              codePrefix_,
                              categoryName_,
                              commission_,
                              lineEdit(model.minCommission),
                              lineEdit(model.stampDuty),
                              lineEdit(model.transferFee),
                              lineEdit(model.minTransferFee),
                              orderFee_};
    for (QWidget* box : boxes) {
        box->setMinimumWidth(dlu.x(70));
        form->addWidget(captionOf(box), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        form->addWidget(box, row, 1);
        if (QLabel* note = noteOf(box))
            form->addWidget(note, row, 2, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }

    finishLayout(form);
}

}  // namespace fiscora::qt
