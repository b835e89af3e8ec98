#include "qt/account/password_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

PasswordView::PasswordView(ui::PasswordDialog& model, QWidget* parent) : DialogView(model, parent) {
    const DialogUnits dlu(font());
    QLineEdit* password = lineEdit(model.password);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(dlu.x(10), dlu.y(12), dlu.x(10), dlu.y(10));
    layout->setHorizontalSpacing(dlu.x(6));
    layout->setVerticalSpacing(dlu.y(6));
    layout->addWidget(captionOf(password), 0, 0);
    layout->addWidget(password, 0, 1);
    password->setMinimumWidth(dlu.x(110));
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(dlu.y(4));
    buttons->addWidget(okButton());
    buttons->addWidget(cancelButtonWidget());
    layout->addLayout(buttons, 0, 2, 2, 1, Qt::AlignTop);
    layout->setRowStretch(1, 1);
    setMinimumWidth(dlu.x(200));
    setFixedSize(sizeHint());
}

}  // namespace fiscora::qt
