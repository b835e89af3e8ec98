#include "qt/account/new_account_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

NewAccountView::NewAccountView(ui::NewAccountDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    const DialogUnits dlu(font());
    QLineEdit* name = lineEdit(model.name);
    addRow(name);
    name->setMinimumWidth(dlu.x(120));
    for (ui::TextField* box : {&model.password, &model.confirmation, &model.capital})
        addRow(lineEdit(*box));
    addRow(dropDown(model.tradeType));
    QPlainTextEdit* remark = textEdit(model.remark);
    addRow(remark);
    remark->setFixedHeight(dlu.y(36));
    finish();
}

}  // namespace fiscora::qt
