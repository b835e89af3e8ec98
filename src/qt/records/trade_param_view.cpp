#include "qt/records/trade_param_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

TradeParamView::TradeParamView(ui::TradeParamDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    const DialogUnits dlu(font());
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(dlu.x(6));
    form->setVerticalSpacing(dlu.y(3));
    std::vector<QWidget*> boxes{dropDown(model.market)};
    for (ui::TextField* box :
         {&model.codePrefix, &model.categoryName, &model.commission, &model.minCommission,
          &model.stampDuty, &model.transferFee, &model.minTransferFee, &model.orderFee})
        boxes.push_back(lineEdit(*box));
    int row = 0;
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
