#include "qt/account/new_account_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

NewAccountView::NewAccountView(ui::NewAccountDialog& model, QWidget* parent)
    : DialogView(model, parent), name_(lineEdit(model.name)), password_(lineEdit(model.password)),
      confirmation_(lineEdit(model.confirmation)), capital_(lineEdit(model.capital)),
      tradeType_(dropDown(model.tradeType)), remark_(textEdit(model.remark)) {
    const DialogUnits dlu(font());
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(dlu.x(6));
    form->setVerticalSpacing(dlu.y(4));
    form->addRow(captionOf(name_), name_);
    form->addRow(captionOf(password_), password_);
    form->addRow(captionOf(confirmation_), confirmation_);
    form->addRow(captionOf(capital_), capital_);
    form->addRow(captionOf(tradeType_), tradeType_);
    form->addRow(captionOf(remark_), remark_);
    remark_->setFixedHeight(dlu.y(36));
    name_->setMinimumWidth(dlu.x(120));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton());
    buttons->addSpacing(dlu.x(10));
    buttons->addWidget(cancelButtonWidget());
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(10), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
