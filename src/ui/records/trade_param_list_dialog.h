#pragma once

#include <optional>

#include "engine/trade_param_edits.h"
#include "engine/workspace.h"
#include "ui/common/dialog_model.h"
#include "ui/common/dialog_runner.h"
#include "ui/common/list_field.h"

namespace fiscora::ui {

// 参数设置: the fee table as a list, one row per fee row in table order, with the buttons
// 增加, 删除 and 修改 and a row's context menu 增加参数, 修改参数, 删除参数; Enter or a double
// click on a row runs 修改. Every accepted change is made in the workspace's table, so every fee
// computed afterwards uses it, and written to the fee file at once. 修改 and 删除 act on the row
// selected in the list.
class TradeParamListDialog : public DialogModel {
public:
    TradeParamListDialog(Workspace& workspace, DialogRunner& dialogs);

    // Reads the fee file into the table (a file that cannot be read keeps the table, after
    // its message) and fills the list; nothing is selected and the list has the focus.
    void OnInitDialog() override;

    // 增加: the row dialog in add mode, shown again with its entries after a conflict; an
    // accepted row goes last. The list is filled anew, nothing selected.
    void OnAdd();
    // 修改: the selected row in the row dialog, shown again after a conflict; an accepted row
    // is overwritten in place. Confirmed or cancelled, the same row is selected again, in
    // sight, and the list has the focus.
    void OnModify();
    // 删除: after the question, the selected row is removed and the later rows move up; the
    // row above it, if any, is selected and the list has the focus.
    void OnDelete();
    ListField params;

private:
    std::optional<std::size_t> selectedRow() const;
    void refillList();
    TradeParamTableEdits edits();

    Workspace& workspace_;
    DialogRunner& dialogs_;
};

}  // namespace fiscora::ui
