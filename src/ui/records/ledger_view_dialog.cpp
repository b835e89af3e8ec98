#include "ui/records/ledger_view_dialog.h"

#include <ctime>

#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "records/gbk_text.h"
#include "ui/common/date_picker.h"
#include "ui/records/ledger_record_actions.h"
#include "ui/trade/stock_code_box.h"

namespace fiscora::ui {

LedgerViewDialog::LedgerViewDialog(MainWindowModel& window, const GuardedAccount& account,
                                   LedgerFilter opening, ListOutput* output)
    : DialogModel(window.messages()), window_(window), account_(account),
      filter_(std::move(opening)), output_(output) {
    setCaption("个人流水帐 -[" + account.name + "]");
    declare(fromDate, "from", "时间从");
    declare(toDate, "to", "到");
    declare(kind, "kind", "交易类型");
    kind.items = ledgerKindItems();
    declare(code, "code", "股票代码：");
    makeStockCodeBox(code);
    declare(tradeType, "tradeType", "交易类型：");
    declare(currency, "currency", "货币单位：");
    declare(balance, "balance", "现金余额:");
    setButtons({.confirm = "关闭", .cancel = "关闭", .takeFocus = true});
    setTabOrder({&fromDate, &toDate, &kind, &code});
}

void LedgerViewDialog::OnInitDialog() {
    const std::time_t now = std::time(nullptr);
    for (DateField* picker : {&fromDate, &toDate}) startPickerAtNow(*picker, now);
    timeOn_ = filter_.byTime;
    kindOn_ = filter_.byKind;
    codeOn_ = filter_.byCode;
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
    selected_ = rows_.empty() ? -1 : 0;
}

void LedgerViewDialog::enableFilterInputs() {
    fromDate.enabled = timeOn_;
    toDate.enabled = timeOn_;
    kind.enabled = kindOn_;
    code.enabled = codeOn_;
}

void LedgerViewDialog::tickTime(bool on) {
    timeOn_ = on;
    enableFilterInputs();
}

void LedgerViewDialog::tickKind(bool on) {
    kindOn_ = on;
    enableFilterInputs();
}

void LedgerViewDialog::tickCode(bool on) {
    codeOn_ = on;
    enableFilterInputs();
}

void LedgerViewDialog::OnShowLedger() {
    filter_.byTime = timeOn_;
    filter_.byKind = kindOn_;
    filter_.kind = kindFromListText(kind.selectedText());
    filter_.byCode = codeOn_;
    filter_.gbkCode = utf8ToGbk(code.text).value_or(code.text);
    RefillList();
}

void LedgerViewDialog::RefillList() {
    LedgerFilter filter = filter_;
    // The dates are those the pickers show now.
    filter.from = fromDate.date;
    filter.to = toDate.date;
    rows_ = refillViewRows(window_.workspace().ledger, filter);
    if (selected_ >= static_cast<int>(rows_.size())) selected_ = -1;
}

std::string LedgerViewDialog::cellText(std::size_t row, std::size_t column) {
    return formatter_.cell(window_.workspace().ledger.at(rows_.at(row)), static_cast<int>(column));
}

void LedgerViewDialog::OnRemarkClick(int row, int column) {
    if (column != kRemarkColumn || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    messages().show(remarkMessage(window_.workspace().ledger.at(rows_[row])), "备注",
                    MessageIcon::None);
}

void LedgerViewDialog::OnDoubleClick() {
    if (selected_ >= 0) OnModify();
}

void LedgerViewDialog::OnDelete() {
    if (selected_ < 0) {
        messages().plain("请选中要删除的项");
        return;
    }
    const int row = selected_;
    if (deleteRecordAsked(window_.workspace(), account_, rows_[row]) != RecordDeletion::Deleted)
        return;
    showBalance();
    RefillList();
    // The row above the deleted one is selected, and the row now in its place scrolled to.
    if (row > 0) {
        selected_ = row - 1;
        scrollRow_ = row < static_cast<int>(rows_.size()) ? row : row - 1;
        ++scrollRequest_;
    } else {
        selected_ = -1;
    }
}

void LedgerViewDialog::OnModify() {
    if (selected_ < 0) {
        messages().plain("请选中要修改的项");
        return;
    }
    const int row = selected_;
    if (!editRecordInPlace(window_, account_, rows_[row])) return;
    showBalance();
    RefillList();
    selected_ = row < static_cast<int>(rows_.size()) ? row : -1;
}

ListTable LedgerViewDialog::shownTable() const {
    return ledgerTable(window_.workspace().ledger, rows_);
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
    balance.text = balanceText(cashBalance(window_.workspace().ledger), unit_);
}

}  // namespace fiscora::ui
