#include "qt/records/edit_record_view.h"

#include <QComboBox>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

EditRecordView::EditRecordView(ui::EditRecordDialog& model, QWidget* parent)
    : TransactionView(model, parent) {
    addRow(dropDown(model.kind));
    addRowNamed(lineEdit(model.code), model.nameLabel);
    addRow(dropDown(model.market));
    for (ui::TextField* box : {&model.quantity, &model.price, &model.fee, &model.total})
        addRow(lineEdit(*box));
    QLineEdit* remark = lineEdit(model.remark);
    remark->setMinimumWidth(DialogUnits(font()).x(110));
    addRow(remark);
    finish();
}

}  // namespace fiscora::qt
