#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/main/about_box.h"

namespace fiscora::qt {

// 关于Fiscora: the program's icon, its name and version, and 确定.
class AboutView : public DialogView {
public:
    AboutView(ui::AboutBox& model, QWidget* parent);
};

}  // namespace fiscora::qt
