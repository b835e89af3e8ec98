#include "ui/records/trade_param_dialog.h"

#include "records/trading_terms.h"
#include "ui/records/trade_param_entry.h"

namespace fiscora::ui {

TradeParamDialog::TradeParamDialog(Messages& messages)
    : TradeParamDialog(messages, Mode::Add, nullptr) {}

TradeParamDialog::TradeParamDialog(Messages& messages, const TradeParam& row)
    : TradeParamDialog(messages, Mode::Modify, &row) {}

TradeParamDialog::TradeParamDialog(Messages& messages, Mode mode, const TradeParam* row)
    : DialogModel(messages), mode_(mode) {
    const bool adding = mode == Mode::Add;
    setCaption(adding ? "增加参数" : "修改参数");
    setButtons({.confirm = adding ? "增加" : "修改"});
    declare(market, "market", "市场类型：");
    declare(codePrefix, "prefix", "股票特征代码：");
    declare(categoryName, "name", "股票分类简称：");
    declare(commission, "commission", "手续费：");
    declare(minCommission, "min-commission", "最低手续费：");
    declare(stampDuty, "stamp-duty", "印花税 ：");
    declare(transferFee, "transfer-fee", "每千股过户费：");
    declare(minTransferFee, "min-transfer-fee", "最低过户费：");
    declare(orderFee, "order-fee", "委托费：");
    codePrefix.note = "(特征代码指代码前几位）";
    commission.note = "%";
    stampDuty.note = "%";
    // The list is kept sorted, so 上海 comes first.
    market.items = {kShanghai, kShenzhen};
    codePrefix.maxChars = kCodePrefixChars;
    codePrefix.digitsOnly = true;
    categoryName.maxGbkBytes = kCategoryNameBytes;
    for (TextField* box :
         {&commission, &minCommission, &stampDuty, &transferFee, &minTransferFee, &orderFee}) {
        box->maxChars = kNumberBoxChars;
        box->alignRight = true;
    }
    setTabOrder({&market, &codePrefix, &categoryName, &commission, &minCommission, &stampDuty,
                 &transferFee, &minTransferFee, &orderFee});

    const TradeParamEntry entry = adding ? newTradeParamEntry() : tradeParamEntryOf(*row);
    market.selected = market.indexOf(entry.market);
    codePrefix.text = entry.codePrefix;
    categoryName.text = entry.categoryName;
    commission.text = entry.commission;
    minCommission.text = entry.minCommission;
    stampDuty.text = entry.stampDuty;
    transferFee.text = entry.transferFee;
    minTransferFee.text = entry.minTransferFee;
    orderFee.text = entry.orderFee;
}

bool TradeParamDialog::OnConfirm() {
    const TradeParamEntry entry{market.selectedText(), codePrefix.text,     categoryName.text,
                                commission.text,       minCommission.text,  stampDuty.text,
                                transferFee.text,      minTransferFee.text, orderFee.text};
    const TradeParamReading reading = readTradeParamEntry(entry, messages());
    if (!reading.row) {
        // The boxes in tab order are the boxes of TradeParamBox in its order.
        focusOn(*tabOrder()[static_cast<std::size_t>(reading.refusedBox)]);
        return false;
    }
    row_ = *reading.row;
    return true;
}

}  // namespace fiscora::ui
