#include "ui/records/ledger_view_dialog.h"

#include <ctime>

#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "records/gbk_text.h"
#include "ui/common/date_picker.h"
#include "ui/records/ledger_record_actions.h"
#include "ui/trade/stock_code_box.h"

namespace fiscora::ui {

LedgerViewDialog::LedgerViewDialog(Workspace& workspace, DialogRunner& dialogs,
                                   const GuardedAccount& account, LedgerFilter opening,
                                   ListOutput* output)
    : DialogModel(workspace.messages()), workspace_(workspace), dialogs_(dialogs),
      account_(account), filter_(std::move(opening)), output_(output) {
    setCaption("个人流水帐 -[" + account.name + "]");
    declare(byTime, "byTime", "时间匹配");
    declare(byKind, "byKind", "帐目类型匹配");
    declare(byCode, "byCode", "股票代码匹配");
    declare(fromDate, "from", "时间从");
    declare(toDate, "to", "到");
    declare(kind, "kind");
    kind.items = ledgerKindItems();
    declare(code, "code", "股票代码：");
    makeStockCodeBox(code);
    declare(tradeType, "tradeType", "交易类型：");
    declare(currency, "currency", "货币单位：");
    declare(balance, "balance", "现金余额:");
    declare(list, "list");
    list.columns = ledgerViewColumns();
    list.cellText = [this](std::size_t row, std::size_t column) { return cellText(row, column); };
    // Every row starts with the same small icon.
    list.rowMark = [](std::size_t) { return 0; };
    list.widestRows = [this](std::size_t column) {
        // Found once for each set of rows, when a view first asks.
        if (!widest_) widest_ = widestLedgerRows(workspace_.ledger, rows_);
        return column < widest_->size() ? (*widest_)[column] : std::vector<std::size_t>{};
    };
    setButtons({.confirm = "关闭", .cancel = "", .takeFocus = true});
    // The arrows keep their usual work (they move through the list); Enter runs 显示流水帐
    // in the filters and 修改 on a row.
    setKeyNavigation(false);
    setTabOrder({&byTime, &fromDate, &toDate, &byKind, &kind, &byCode, &code, &list});
    addAction({.caption = "显示流水帐",
               .run = [this] { OnShowLedger(); },
               .enterIn = {&byTime, &fromDate, &toDate, &byKind, &kind, &byCode, &code}});
    addAction({.caption = "数据存盘", .run = [this] { OnSave(); }});
    addAction({.caption = "数据打印", .run = [this] { OnPrint(); }});
    addAction({.caption = "修改", .run = [this] { OnModify(); }});
    addAction({.caption = "删除", .run = [this] { OnDelete(); }});
    // The context menu of a row lists 删除 first.
    addAction(
        {.caption = "删除", .run = [this] { OnDelete(); }, .button = false, .contextMenu = true});
    addAction(
        {.caption = "修改", .run = [this] { OnModify(); }, .button = false, .contextMenu = true});
    list.activate = [this] { OnModify(); };
    list.contextMenu = true;
    for (const CheckField* box : {&byTime, &byKind, &byCode})
        onChange(*box, [this] { enableFilterInputs(); });
}

void LedgerViewDialog::OnInitDialog() {
    const std::time_t now = std::time(nullptr);
    for (DateField* picker : {&fromDate, &toDate}) startPickerAtNow(*picker, now);
    byTime.checked = filter_.byTime;
    byKind.checked = filter_.byKind;
    byCode.checked = filter_.byCode;
    if (filter_.byTime) {
        fromDate.date = filter_.from;
        toDate.date = filter_.to;
    }
    const int shownKind = kind.indexOf(kindName(static_cast<std::int32_t>(filter_.kind)));
    kind.selected = filter_.byKind && shownKind >= 0 ? shownKind : 0;
    code.text = filter_.byCode ? gbkToUtf8(filter_.gbkCode) : std::string();
    enableFilterInputs();

    const LedgerViewUnits units =
        ledgerViewUnits(currencyUnitOfTradeType(fieldText(account_.info.tradeType)));
    tradeType.text = units.tradeType;
    currency.text = units.unit;
    unit_ = units.unit;
    showBalance();
    RefillList();
    list.selected = rows_.empty() ? -1 : 0;
    focusOn(list, false);
}

void LedgerViewDialog::enableFilterInputs() {
    fromDate.enabled = byTime.checked;
    toDate.enabled = byTime.checked;
    kind.enabled = byKind.checked;
    code.enabled = byCode.checked;
}

void LedgerViewDialog::OnShowLedger() {
    filter_.byTime = byTime.checked;
    filter_.byKind = byKind.checked;
    filter_.kind = kindFromListText(kind.selectedText());
    filter_.byCode = byCode.checked;
    filter_.gbkCode = utf8ToGbk(code.text).value_or(code.text);
    RefillList();
}

void LedgerViewDialog::RefillList() {
    LedgerFilter filter = filter_;
    // The dates are those the pickers show now.
    filter.from = fromDate.date;
    filter.to = toDate.date;
    rows_ = refillViewRows(workspace_.ledger, filter);
    widest_.reset();
    // New rows, none selected.
    list.rowsReplaced(rows_.size(), false);
    list.selected = -1;
}

std::string LedgerViewDialog::cellText(std::size_t row, std::size_t column) {
    return formatter_.cell(workspace_.ledger.at(rows_.at(row)), static_cast<int>(column));
}

void LedgerViewDialog::OnRemarkClick(int row, int column) {
    if (column != kRemarkColumn || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    messages().show(remarkMessage(workspace_.ledger.at(rows_[row])), "备注", MessageIcon::None);
}

void LedgerViewDialog::OnDelete() {
    if (list.selected < 0) {
        messages().plain("请选中要删除的项");
        return;
    }
    const int row = list.selected;
    if (deleteRecordAsked(workspace_, account_, rows_[row]) != RecordDeletion::Deleted) return;
    showBalance();
    RefillList();
    // The row above the deleted one is selected, and the row now in its place scrolled to.
    if (row > 0) {
        list.selected = row - 1;
        list.showRow(row < static_cast<int>(rows_.size()) ? row : row - 1);
        focusOn(list, false);
    } else {
        list.selected = -1;
    }
}

void LedgerViewDialog::OnModify() {
    if (list.selected < 0) {
        messages().plain("请选中要修改的项");
        return;
    }
    const int row = list.selected;
    if (!editRecordInPlace(workspace_, dialogs_, account_, rows_[row])) return;
    showBalance();
    RefillList();
    // An edit may move the record out of the filters; the same index is selected again.
    if (row < static_cast<int>(rows_.size())) {
        list.selected = row;
        list.showRow(row);
        focusOn(list, false);
    } else {
        list.selected = -1;
    }
}

ListTable LedgerViewDialog::shownTable() const {
    return ledgerTable(workspace_.ledger, rows_);
}

void LedgerViewDialog::OnPrint() {
    if (output_ != nullptr) output_->printList(shownTable(), kLedgerReport.title);
}

void LedgerViewDialog::OnSave() {
    if (output_ == nullptr) return;
    SaveList(shownTable(), kLedgerReport.fileName, messages(),
             [this](const std::string& path) { return output_->openInTextEditor(path); });
}

void LedgerViewDialog::showBalance() {
    balance.text = balanceText(cashBalance(workspace_.ledger), unit_);
}

}  // namespace fiscora::ui
