#pragma once

#include <string>

#include "engine/statement_import.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

// "导入交割单": what the import of a statement would do, line by line (记入, 重复, 跳过,
// 拒绝 with the reason), with the counts above the list. 确定 lets the command book the
// lines marked 记入; 取消 books nothing.
class ImportStatementDialog : public DialogModel {
public:
    ImportStatementDialog(Messages& messages, const std::string& accountName,
                          const std::string& fileName, ImportPreview preview);

    LabelField file;     // the statement's file name and the layout it was read with
    LabelField summary;  // "记入 N 条  重复 N 条  跳过 N 条  拒绝 N 条"
    // "对帐：资金相符" / "对帐：资金差 X 元" and each stock that differs from the broker's
    // balances; empty when the statement gives none.
    LabelField reconciliation;
    ListField lines;

    const ImportPreview& preview() const { return preview_; }
    // One cell of the list (UTF-8), as the list shows it.
    std::string cellText(std::size_t row, std::size_t column) const;

private:
    ImportPreview preview_;
};

}  // namespace fiscora::ui
