#include "ui/trade/transaction_dialog.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <ctime>

#include "records/gbk_text.h"
#include "ui/common/date_picker.h"
#include "ui/common/dialog_title.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {

TransactionDialog::TransactionDialog(Messages& messages, std::string action,
                                     std::string accountName, std::string currencyUnit, Keys keys)
    : DialogModel(messages), accountName_(std::move(accountName)),
      currencyUnit_(std::move(currencyUnit)), keys_(keys) {
    declare(tradeDate, "date", "交易日期");
    declare(remark, "remark", "备注");
    remark.maxGbkBytes = kRemarkMaxBytes;
    setKeyNavigation(keys == Keys::StockNavigation);
    setButtons({.takeFocus = keys != Keys::StockNavigation});
    setCaption(dialogTitle(action, accountName_));
}

void TransactionDialog::setFields(std::vector<Field*> tabOrder) {
    setTabOrder(std::move(tabOrder));
    if (keys_ == Keys::StockNavigation) setConfirmField(remark);
}

void TransactionDialog::openTransaction() {
    startPickerAtNow(tradeDate, std::time(nullptr));
}

void TransactionDialog::makeNumberBox(TextField& box, std::string name, std::string label) {
    declare(box, std::move(name), std::move(label));
    box.maxChars = kNumberBoxChars;
    box.alignRight = true;
}

void TransactionDialog::makeFigureBox(TextField& box, std::string name, std::string label) {
    makeNumberBox(box, std::move(name), std::move(label));
    box.kind = FieldKind::Figure;
}

std::optional<std::uint32_t> TransactionDialog::readQuantity(TextField& box) {
    // Any count beyond what a record holds gets the range prompt, however many digits.
    const auto whole = parseUInt32(box.text);
    if (isWholeNumber(box.text) && !(whole && *whole <= static_cast<std::uint32_t>(INT32_MAX))) {
        messages().plain("请输入一个在 0 和 2147483647 之间的整数。");
        focusOn(box);
        return std::nullopt;
    }
    return readUnsigned(box);
}

std::optional<std::int64_t> TransactionDialog::readShareTotal(TextField& box) {
    const auto shares = parseInt64(box.text);
    if (!shares) {
        messages().plain(kEnterIntegerPrompt);
        focusOn(box);
    }
    return shares;
}

bool TransactionDialog::checkRepresentable(TextField& box, double result) {
    if (std::isfinite(result)) return true;
    messages().plain("输入的数值太大,计算结果无法表示,请重新输入");
    focusOn(box);
    return false;
}

LedgerRecord TransactionDialog::bookedRecord(RecordType kind, double amount,
                                             const std::optional<StockTrade>& trade) const {
    LedgerRecord record;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    record.type = static_cast<std::int32_t>(kind);
    record.cashSign = cashSignOf(kind);
    record.date = tradeDate.date;
    // OnConfirm has checked that the remark fits (readRemark).
    storeText(record.remark, remark.text, remark.maxGbkBytes);
    record.amount = amount;
    if (trade) {
        record.market = trade->market;
        storeBytes(record.stockCode, trade->code);
        record.quantity = static_cast<std::int32_t>(trade->quantity);
        record.price = trade->price;
        record.fee = trade->fee;
    }
    return record;
}

}  // namespace fiscora::ui
