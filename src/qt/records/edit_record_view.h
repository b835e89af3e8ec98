#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/records/edit_record_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace fiscora::qt {

// 修改流水帐: date, kind, code and name, market, quantity, price, fee, total and remark.
class EditRecordView : public TransactionView {
public:
    EditRecordView(ui::EditRecordDialog& model, QWidget* parent);

    QComboBox* kindBox() const { return kind_; }
    QLineEdit* codeEdit() const { return code_; }
    QLabel* nameLabel() const { return name_; }
    QComboBox* marketBox() const { return market_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* priceEdit() const { return price_; }
    QLineEdit* feeBox() const { return fee_; }
    QLineEdit* totalEdit() const { return total_; }
    QLineEdit* remarkEdit() const { return remark_; }

private:
    QComboBox* kind_;
    QLineEdit* code_;
    QLabel* name_;
    QComboBox* market_;
    QLineEdit* quantity_;
    QLineEdit* price_;
    QLineEdit* fee_;
    QLineEdit* total_;
    QLineEdit* remark_;
};

}  // namespace fiscora::qt
