#include "qt/account/account_identity_views.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

RenameAccountView::RenameAccountView(ui::RenameAccountDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    addRow(lineEdit(model.oldName));
    addRow(lineEdit(model.newName));
    addRow(lineEdit(model.password));
    finish();
}

ChangePasswordView::ChangePasswordView(ui::ChangePasswordDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    addRow(lineEdit(model.oldPassword));
    addRow(lineEdit(model.newPassword));
    addRow(lineEdit(model.confirmation));
    addRow(checkBox(model.protection));
    QLabel* warning = text(model.warning);
    warning->setWordWrap(true);
    warning->setMinimumWidth(DialogUnits(font()).x(180));
    addRow(model.warning, warning);
    finish();
}

AccountPropertiesView::AccountPropertiesView(ui::AccountPropertiesDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    for (ui::LabelField& figure : model.figures) {
        QLabel* value = text(figure);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(DialogUnits(font()).x(100));
        addRow(figure, value);
    }
    finish();
}

}  // namespace fiscora::qt
