#pragma once

#include <string>
#include <utility>

#include "engine/statement_import.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

// "导入交割单": what the import of a statement would do, line by line (记入, 重复, 跳过,
// 拒绝 with the reason), with the counts above the list. 确定 lets the command book the
// lines marked 记入; 取消 books nothing. The switch for cash adjustments judges the lines
// again against `ledger` (which must outlive the dialog), with or without the interest, tax
// and repo lines booked as 投入资金/划出资金.
class StatementImportDialog : public DialogModel {
public:
    StatementImportDialog(Messages& messages, const std::string& accountName,
                          const std::string& fileName, ImportPreview preview, const Ledger& ledger);

    LabelField file;     // the statement's file name and the layout it was read with
    LabelField summary;  // "记入 N 条  重复 N 条  跳过 N 条  拒绝 N 条"
    // "对帐：资金相符" / "对帐：资金差 X 元" and each stock that differs from the broker's
    // balances; empty when the statement gives none.
    LabelField reconciliation;
    // "利息、税费和逆回购记为投入资金/划出资金": the lines skipped on purpose that move cash
    // booked as deposits and withdrawals.
    CheckField cashAdjustments;
    ListField lines;

    const ImportPreview& preview() const { return preview_; }
    // The preview for booking, once the dialog is closed: the dialog keeps none of it.
    ImportPreview takePreview() { return std::move(preview_); }
    // One cell of the list (UTF-8), as the list shows it.
    std::string cellText(std::size_t row, std::size_t column) const;

private:
    void showJudgement();

    ImportPreview preview_;
    const Ledger& ledger_;
};

}  // namespace fiscora::ui
