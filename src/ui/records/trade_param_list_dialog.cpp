#include "ui/records/trade_param_list_dialog.h"

#include "output/trade_param_rows.h"
#include "ui/records/trade_param_dialog.h"

namespace fiscora::ui {
namespace {

// The row dialog shows again with the focus in the box to correct: the name, or the prefix.
void refuseAt(TradeParamDialog& dialog, TradeParamClash clash) {
    dialog.refusedAt(clash == TradeParamClash::Name ? static_cast<const Field&>(dialog.categoryName)
                                                    : dialog.codePrefix);
}

// The list's two market icons: the first for 深圳, the second for any other market.
constexpr int kShenzhenMark = 0;
constexpr int kOtherMarketMark = 1;

}  // namespace

TradeParamListDialog::TradeParamListDialog(Workspace& workspace, DialogRunner& dialogs)
    : DialogModel(workspace.messages()), workspace_(workspace), dialogs_(dialogs) {
    setCaption("参数设置");
    setButtons({.confirm = "关闭", .cancel = ""});
    // Enter and the arrows keep their list behaviour.
    setKeyNavigation(false);
    declare(params, "params");
    params.columns = tradeParamColumns();
    params.cellText = [this](std::size_t row, std::size_t column) {
        return tradeParamCells(workspace_.tradeParams.at(row)).at(column);
    };
    params.rowMark = [this](std::size_t row) {
        return workspace_.tradeParams.at(row).market == 0 ? kShenzhenMark : kOtherMarketMark;
    };
    setTabOrder({&params});
    params.activate = [this] { OnModify(); };
    params.contextMenu = true;
    addAction({.caption = "增加", .run = [this] { OnAdd(); }});
    addAction({.caption = "删除", .run = [this] { OnDelete(); }});
    addAction({.caption = "修改", .run = [this] { OnModify(); }});
    addAction(
        {.caption = "增加参数", .run = [this] { OnAdd(); }, .button = false, .contextMenu = true});
    addAction({.caption = "修改参数",
               .run = [this] { OnModify(); },
               .button = false,
               .contextMenu = true});
    addAction({.caption = "删除参数",
               .run = [this] { OnDelete(); },
               .button = false,
               .contextMenu = true});
}

void TradeParamListDialog::OnInitDialog() {
    workspace_.loadTradeParamTable();
    refillList();
    DialogModel::OnInitDialog();
}

void TradeParamListDialog::refillList() {
    params.selected = -1;
    params.rowsReplaced(workspace_.tradeParams.size(), false);
}

TradeParamTableEdits TradeParamListDialog::edits() {
    return {workspace_.tradeParams, [this] { return workspace_.saveTradeParamTable(); }};
}

std::optional<std::size_t> TradeParamListDialog::selectedRow() const {
    if (params.selected < 0 || static_cast<std::size_t>(params.selected) >= params.rowCount)
        return std::nullopt;
    return static_cast<std::size_t>(params.selected);
}

void TradeParamListDialog::OnAdd() {
    TradeParamDialog dialog(messages());
    while (dialogs_.run(dialog)) {
        TradeParamClash clash{};
        const auto conflict = edits().add(dialog.row(), &clash);
        if (!conflict) {
            refillList();
            return;
        }
        messages().plain(*conflict);
        refuseAt(dialog, clash);
    }
}

void TradeParamListDialog::OnModify() {
    const auto row = selectedRow();
    if (!row) {
        messages().plain("请先选中要修改的项");
        return;
    }
    TradeParamDialog dialog(messages(), workspace_.tradeParams.at(*row));
    while (dialogs_.run(dialog)) {
        TradeParamClash clash{};
        const auto conflict = edits().modify(*row, dialog.row(), &clash);
        if (!conflict) {
            refillList();
            break;
        }
        messages().plain(*conflict);
        refuseAt(dialog, clash);
    }
    params.select(static_cast<int>(*row));
    focusOn(params);
}

void TradeParamListDialog::OnDelete() {
    const auto row = selectedRow();
    if (!row) {
        messages().plain("请先选中要删除的项");
        return;
    }
    if (!messages().askYesNo("真的要删除此项交易参数吗?")) return;
    edits().remove(*row);
    refillList();
    if (*row > 0) {
        params.select(static_cast<int>(*row) - 1);
        focusOn(params);
    }
}

}  // namespace fiscora::ui
