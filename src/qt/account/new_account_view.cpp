#include "qt/account/new_account_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

NewAccountView::NewAccountView(ui::NewAccountDialog& model, QWidget* parent)
    : DialogView(model, parent), name_(new QLineEdit(this)), password_(new QLineEdit(this)),
      confirmation_(new QLineEdit(this)), capital_(new QLineEdit(this)),
      tradeType_(new QComboBox(this)), remark_(new QPlainTextEdit(this)),
      create_(confirmButton(QString::fromUtf8(ui::NewAccountDialog::kCreateButton))) {
    using D = ui::NewAccountDialog;
    const DialogUnits dlu(font());
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(dlu.x(6));
    form->setVerticalSpacing(dlu.y(4));
    form->addRow(QString::fromUtf8(D::kNameLabel), name_);
    form->addRow(QString::fromUtf8(D::kPasswordLabel), password_);
    form->addRow(QString::fromUtf8(D::kConfirmLabel), confirmation_);
    form->addRow(QString::fromUtf8(D::kCapitalLabel), capital_);
    form->addRow(QString::fromUtf8(D::kTradeTypeLabel), tradeType_);
    form->addRow(QString::fromUtf8(D::kRemarkLabel), remark_);
    remark_->setTabChangesFocus(true);
    remark_->setFixedHeight(dlu.y(36));
    name_->setMinimumWidth(dlu.x(120));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create_);
    buttons->addSpacing(dlu.x(10));
    buttons->addWidget(cancelButton(QString::fromUtf8(D::kCancelButton)));
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(10), dlu.x(10), dlu.y(8));
    layout->setSpacing(dlu.y(8));
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    bindField(name_, model.name);
    bindField(password_, model.password);
    bindField(confirmation_, model.confirmation);
    bindField(capital_, model.capital);
    bindField(tradeType_, model.tradeType);
    bindField(remark_, model.remark);
}

}  // namespace fiscora::qt
