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
    : FormDialogView(model, parent), name_(lineEdit(model.name)),
      password_(lineEdit(model.password)), confirmation_(lineEdit(model.confirmation)),
      capital_(lineEdit(model.capital)), tradeType_(dropDown(model.tradeType)),
      remark_(textEdit(model.remark)) {
    for (QWidget* box : std::initializer_list<QWidget*>{name_, password_, confirmation_, capital_,
                                                        tradeType_, remark_})
        addRow(box);
    const DialogUnits dlu(font());
    remark_->setFixedHeight(dlu.y(36));
    name_->setMinimumWidth(dlu.x(120));
    finish();
}

}  // namespace fiscora::qt
