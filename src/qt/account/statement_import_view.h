#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/account/statement_import_dialog.h"

namespace fiscora::qt {

// 导入交割单: the file and the counts above the list of the statement's lines, 确定 and 取消
// below it.
class StatementImportView : public DialogView {
public:
    StatementImportView(ui::StatementImportDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt
