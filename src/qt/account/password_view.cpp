#include "qt/account/password_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

PasswordView::PasswordView(ui::PasswordDialog& model, QWidget* parent)
    : DialogView(model, parent), password_(new QLineEdit(this)),
      login_(confirmButton(QString::fromUtf8(ui::PasswordDialog::kLoginButton))) {
    const DialogUnits dlu(font());
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(12), dlu.x(10), dlu.y(10));
    layout->setHorizontalSpacing(dlu.x(6));
    layout->setVerticalSpacing(dlu.y(6));
    layout->addWidget(new QLabel(QString::fromUtf8(ui::PasswordDialog::kPasswordLabel), this), 0,
                      0);
    layout->addWidget(password_, 0, 1);
    password_->setMinimumWidth(dlu.x(110));
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(dlu.y(4));
    buttons->addWidget(login_);
    buttons->addWidget(cancelButton(QString::fromUtf8(ui::PasswordDialog::kCancelButton)));
    layout->addLayout(buttons, 0, 2, 2, 1, Qt::AlignTop);
    layout->setRowStretch(1, 1);
    setMinimumWidth(dlu.x(200));
    setFixedSize(sizeHint());

    bindField(password_, model.password);
}

}  // namespace fiscora::qt
