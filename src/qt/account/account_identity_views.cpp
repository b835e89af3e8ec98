#include "qt/account/account_identity_views.h"

#include <QLabel>
#include <QLineEdit>

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
    finish();
}

AccountPropertiesView::AccountPropertiesView(ui::AccountPropertiesDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    for (ui::LabelField& figure : model.figures) {
        QLabel* value = text(figure);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addRow(figure, value);
    }
    finish();
}

}  // namespace fiscora::qt
