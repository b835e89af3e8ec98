#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/records/edit_record_dialog.h"

namespace fiscora::qt {

// 修改流水帐: date, kind, code and name, market, quantity, price, fee, total and remark.
class EditRecordView : public TransactionView {
public:
    EditRecordView(ui::EditRecordDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt
