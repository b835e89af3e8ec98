#pragma once

#include "qt/widgets/form_dialog_view.h"
#include "ui/account/new_account_dialog.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace fiscora::qt {

class HoverButton;

// 新建帐户: name, password twice, initial capital, trade type and remark.
class NewAccountView : public FormDialogView {
public:
    NewAccountView(ui::NewAccountDialog& model, QWidget* parent);

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* passwordEdit() const { return password_; }
    QLineEdit* confirmationEdit() const { return confirmation_; }
    QLineEdit* capitalEdit() const { return capital_; }
    QComboBox* tradeTypeBox() const { return tradeType_; }
    QPlainTextEdit* remarkEdit() const { return remark_; }
    HoverButton* createButton() const { return okButton(); }

private:
    QLineEdit* name_;
    QLineEdit* password_;
    QLineEdit* confirmation_;
    QLineEdit* capital_;
    QComboBox* tradeType_;
    QPlainTextEdit* remark_;
};

}  // namespace fiscora::qt
