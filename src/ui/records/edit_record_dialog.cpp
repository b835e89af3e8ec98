#include "ui/records/edit_record_dialog.h"

#include <algorithm>
#include <ctime>

#include "engine/ledger_change_rules.h"
#include "engine/ledger_filter.h"
#include "engine/number_format.h"
#include "engine/record_editing.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "ui/common/date_picker.h"
#include "ui/trade/leading_number.h"
#include "ui/trade/market_choice.h"
#include "ui/trade/stock_code_box.h"

namespace fiscora::ui {
namespace {

// The kind list is a sorted list, ordered as the names' GBK bytes compare.
std::vector<std::string> sortedKindNames() {
    std::vector<std::string> names = ledgerKindItems();
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return utf8ToGbk(a).value_or(a) < utf8ToGbk(b).value_or(b);
    });
    return names;
}

}  // namespace

EditRecordDialog::EditRecordDialog(Messages& messages, std::string accountName,
                                   std::string currencyUnit, const Ledger& ledger,
                                   std::size_t index, const TradeParamTable& tradeParams)
    : TransactionDialog(messages, "修改流水帐", std::move(accountName), std::move(currencyUnit),
                        Keys::StockNavigation),
      ledger_(ledger), index_(index), tradeParams_(tradeParams) {
    tradeDate.label = "交易时间";
    declare(kind, "kind", "帐目类型");
    kind.items = sortedKindNames();
    kind.enabled = false;
    declare(code, "code", "股票代码");
    makeStockCodeBox(code);
    declare(nameLabel, "name");
    declareMarket(market, "市场类型");
    makeNumberBox(quantity, "quantity", "交易量");
    makeNumberBox(price, "price", "交易价");
    makeFigureBox(fee, "fee", "手续费");
    fee.enabled = false;
    makeNumberBox(total, "amount", "总计");
    remark.maxGbkBytes = kStoredRemarkMaxBytes;
    for (TextField* inUnits : {&price, &fee, &total}) inUnits->note = this->currencyUnit();
    setButtons({.confirm = "修改", .cancel = "取消", .takeFocus = false});
    setFields({&tradeDate, &code, &market, &quantity, &price, &total, &remark});
    onLeave(code, [this](const Field* to) { OnCodeKillFocus(to); });
    onChange(market, [this] { OnMarketSelected(); });
    onChange(price, [this] { UpdateFigures(); });
    onChange(quantity, [this] { UpdateFigures(); });
}

RecordType EditRecordDialog::recordKind() const {
    return kindFromListText(kind.selectedText());
}

void EditRecordDialog::OnInitDialog() {
    const LedgerRecord& r = ledger_.at(index_);
    setPickerRange(tradeDate, std::time(nullptr));
    tradeDate.date = r.date;
    kind.selected = kind.indexOf(kindName(r.type));
    const EditableBoxes boxes = editableBoxes(r.kind());
    code.enabled = boxes.code;
    quantity.enabled = boxes.quantity;
    price.enabled = boxes.price;
    total.enabled = boxes.total;

    code.text = fieldText(r.stockCode);
    market.selected = r.market != 0 ? 1 : 0;
    // Only a stock's code can leave its market open; a cash record keeps market 0.
    market.enabled = r.isStock() && marketOfCode(code.text) == 2;
    tradeParam_ = defaultTradeParams();
    codeValid_ = true;
    nameLabel.text.clear();
    if (r.isStock()) lookUpName();

    quantity.text = formatQuantity(r.quantity);
    price.text = formatAmount(r.price);
    // Loading the price counts as a change of it; the stored figures then overwrite it.
    UpdateFigures();
    fee.text = formatAmount(r.fee);
    total.text = formatAmount(r.amount);
    remark.text = fieldText(r.remark);
    tradeParam_ = tradeParamFor(tradeParams_, market.selectedText(), code.text);
    edited_.reset();
    TransactionDialog::OnInitDialog();
}

void EditRecordDialog::UpdateFigures() {
    const double perShare = leadingNumber(price.text);
    if (perShare == 0) return;
    const std::uint32_t shares = leadingUnsigned(quantity.text);
    if (shares == 0) return;
    const RecordType k = recordKind();
    if (k == RecordType::Buy || k == RecordType::Sell || k == RecordType::RightsIssue) lookUpName();
    const EditedFigures figures = editedFigures(k, perShare, shares, tradeParam_);
    if (figures.fee) fee.text = formatAmount(*figures.fee);
    if (figures.total) total.text = formatAmount(*figures.total);
}

void EditRecordDialog::OnCodeKillFocus(const Field* to) {
    if (to == nullptr || !code.enabled) return;
    if (code.text.size() != kStockCodeChars) {
        focusOn(code);
        nameLabel.text = kStockCodeLengthMessage;
        return;
    }
    if (applyMarketOfCode(market, code.text) && to == &market) focusOn(quantity);
    tradeParam_ = tradeParamFor(tradeParams_, market.selectedText(), code.text);
    lookUpName();
    UpdateFigures();
}

void EditRecordDialog::OnMarketSelected() {
    lookUpName();
    OnCodeKillFocus(&market);
    UpdateFigures();
}

void EditRecordDialog::lookUpName() {
    codeValid_ = showStockName(code, market, nameLabel);
}

bool EditRecordDialog::OnConfirm() {
    edited_.reset();
    if (code.enabled) {
        // The code as it stands now, even when 修改 was pressed straight from its box.
        if (code.text.size() != kStockCodeChars) {
            nameLabel.text = kStockCodeLengthMessage;
            messages().plain(kStockCodeLengthMessage);
            focusOn(code);
            return false;
        }
        lookUpName();
        if (!codeValid_) {
            messages().plain("不正确的股票代码");
            focusOn(code);
            return false;
        }
    }
    const auto shares = readQuantity(quantity);
    if (!shares) return false;
    const auto perShare = readNumber(price);
    if (!perShare) return false;
    const auto charged = readNumber(fee);
    if (!charged) return false;
    const auto sum = readNumber(total);
    if (!sum || !readRemark()) return false;

    if (quantity.enabled && *shares == 0) {
        messages().plain("数量不能小于等于零");
        focusOn(quantity);
        return false;
    }
    if (price.enabled && *perShare <= 0) {
        messages().plain("价格不能小于等于零");
        focusOn(price);
        return false;
    }
    if (total.enabled && *sum <= 0) {
        messages().plain("投入资金不能小于零");
        focusOn(total);
        return false;
    }
    const RecordType k = recordKind();
    // Every value comes from its box; a cash record's boxes hold no code and zeros.
    const LedgerRecord record = bookedRecord(
        k, *sum, StockTrade{chosenMarket(market), code.text, *shares, *perShare, *charged});
    if (!mayReplaceRecord(ledger_, index_, record)) {
        messages().plain(kEditLeavesNegativeHoldingMessage);
        return false;
    }
    edited_ = record;
    return true;
}

}  // namespace fiscora::ui
