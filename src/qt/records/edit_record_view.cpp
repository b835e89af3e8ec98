#include "qt/records/edit_record_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

EditRecordView::EditRecordView(ui::EditRecordDialog& model, QWidget* parent)
    : TransactionView(model, parent), kind_(dropDown(model.kind)), code_(lineEdit(model.code)),
      name_(text(model.nameLabel)), market_(dropDown(model.market)),
      quantity_(lineEdit(model.quantity)), price_(lineEdit(model.price)), fee_(lineEdit(model.fee)),
      total_(lineEdit(model.total)), remark_(lineEdit(model.remark)) {
    addRow(dateEdit());
    addRow(kind_);
    addRow(code_, name_);
    addRow(market_);
    addRow(quantity_);
    addRow(price_);
    addRow(fee_);
    addRow(total_);
    addRow(remark_);
    name_->setMinimumWidth(numberBoxWidth());
    remark_->setMinimumWidth(DialogUnits(font()).x(110));
    finish();
}

}  // namespace fiscora::qt
