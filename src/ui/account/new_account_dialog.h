#pragma once

#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "新建帐户": the entries of a new account. Enter and the arrows move between the fields;
// Enter or Down in the remark confirms.
class NewAccountDialog : public DialogModel {
public:
    explicit NewAccountDialog(Messages& messages);

    // Checks, in order, each refusal leaving every entry as it is: the capital reads
    // back as a number; a name; the same password twice; a password; a capital above 0;
    // then the texts fit their files and the name can be a file name.
    bool OnConfirm() override;

    // Fields in tab order.
    TextField name;
    TextField password;
    TextField confirmation;
    TextField capital;
    ChoiceField tradeType;
    TextField remark;

    // What a confirmed dialog exposes.
    double initialCapital() const { return initialCapital_; }

private:
    double initialCapital_ = 0;
};

}  // namespace fiscora::ui
