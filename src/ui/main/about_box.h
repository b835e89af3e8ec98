#pragma once

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// The About box: the program's icon, its name and version, and an OK button.
class AboutBox : public DialogModel {
public:
    static constexpr const char* kText = "Fiscora1.13版";

    explicit AboutBox(Messages& messages) : DialogModel(messages) {
        setCaption("关于Fiscora");
        setButtons({.cancel = ""});
    }
};

}  // namespace fiscora::ui
