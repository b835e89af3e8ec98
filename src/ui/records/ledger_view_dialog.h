#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/ledger_filter.h"
#include "output/ledger_rows.h"
#include "output/list_output.h"
#include "ui/common/command_context.h"
#include "ui/common/dialog_model.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

// 个人流水帐: the account's ledger as a list narrowed by up to three filters, with the
// cash balance. Deletions and edits are applied while it is open. The filters a refill
// uses are those read by the last 显示流水帐 (or given at opening); the dates are read from
// the pickers at every refill.
class LedgerViewDialog : public DialogModel {
public:
    // `output` prints the list and opens a saved file; without one 数据打印 and 数据存盘
    // do nothing.
    LedgerViewDialog(Workspace& workspace, DialogRunner& dialogs, const GuardedAccount& account,
                     LedgerFilter opening, ListOutput* output);

    // The pickers' range, the filters as opened, the labels, the rows, the balance and
    // the first row selected.
    void OnInitDialog() override;

    // 显示流水帐: reads the check boxes, the kind and the code, then refills.
    void OnShowLedger();
    // Rebuilds the rows from the ledger and the filters last read.
    void RefillList();

    // The list's rows as positions in the ledger.
    const ViewRows& rows() const { return rows_; }
    std::size_t rowCount() const { return rows_.size(); }
    std::string cellText(std::size_t row, std::size_t column);
    int selectedRow() const { return list.selected; }

    // A click on a cell: in the 备注 column it shows the row's remark, or "没有备注".
    void OnRemarkClick(int row, int column);
    // 删除 and 修改 of the buttons and the context menu; 修改 is also Enter or a double
    // click on a row.
    void OnDelete();
    void OnModify();
    void OnPrint();
    void OnSave();

    // Each check box enables its inputs; the rows change only with 显示流水帐, which Enter in
    // any of them runs too.
    CheckField byTime;  // 时间匹配
    CheckField byKind;  // 帐目类型匹配
    CheckField byCode;  // 股票代码匹配
    DateField fromDate;
    DateField toDate;
    ChoiceField kind;
    TextField code;
    LabelField tradeType;
    LabelField currency;
    LabelField balance;
    // The rows, formatted when shown; opened with the focus and the first row selected.
    ListField list;

private:
    void enableFilterInputs();
    // The 现金余额 line, in the unit the view opened with.
    void showBalance();
    ListTable shownTable() const;

    Workspace& workspace_;
    DialogRunner& dialogs_;
    GuardedAccount account_;
    LedgerFilter filter_;
    ListOutput* output_;
    ViewRows rows_;
    // The rows whose cells may be widest, by column; none until a view asks.
    std::optional<std::vector<std::vector<std::size_t>>> widest_;
    LedgerRowFormatter formatter_;
    std::string unit_;
};

}  // namespace fiscora::ui
