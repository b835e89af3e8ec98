#include "ui/records/trade_param_entry.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "engine/number_format.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "ui/common/dialog_model.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {
namespace {

// A rate's box shows it as a percentage; the row stores the box's number times 0.01.
constexpr double kPercentOfRate = 100;
constexpr double kRateOfPercent = 0.01;

std::string fixedText(double value, int decimals) {
    char text[512];  // room for any double in fixed notation
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The text a box shows for a stored figure (a rate: `toBox` 100, `fromBox` 0.01; an
// amount: both 1): three decimals, or the fewest more with which the text reads back as
// the figure, either exactly or to 15 significant digits (so a rate of 0.0035 shows as
// 0.350, and one of 0.000125 as 0.0125 rather than 0.013).
std::string boxText(double stored, double toBox = 1, double fromBox = 1) {
    const double shown = stored * toBox;
    for (int decimals = 3; decimals <= 17; ++decimals) {
        const std::string text = fixedText(shown, decimals);
        const auto back = parseDouble(text);
        if (!back) break;  // not a finite number
        if (*back * fromBox == stored || std::fabs(*back - shown) <= 1e-15 * std::fabs(shown))
            return text;
    }
    return fixedText(shown, 3);
}

struct NumberBox {
    const std::string TradeParamEntry::*text;
    TradeParamBox box;
    bool percent;
};

constexpr NumberBox kNumberBoxes[] = {
    {&TradeParamEntry::commission, TradeParamBox::Commission, true},
    {&TradeParamEntry::minCommission, TradeParamBox::MinCommission, false},
    {&TradeParamEntry::stampDuty, TradeParamBox::StampDuty, true},
    {&TradeParamEntry::transferFee, TradeParamBox::TransferFee, false},
    {&TradeParamEntry::minTransferFee, TradeParamBox::MinTransferFee, false},
    {&TradeParamEntry::orderFee, TradeParamBox::OrderFee, false},
};
constexpr std::size_t kNumberBoxCount = std::size(kNumberBoxes);

// The refusals after read-back, in the order they are checked.
struct Refusal {
    TradeParamBox box;
    bool refused;
    const char* message;
};

}  // namespace

TradeParamEntry newTradeParamEntry() {
    const std::string zero = formatAmount(0);
    return {kShanghai, "", "", zero, zero, zero, zero, zero, zero};
}

TradeParamEntry tradeParamEntryOf(const TradeParam& row) {
    return {row.market != 0 ? kShanghai : kShenzhen,
            fieldText(row.codePrefix),
            fieldText(row.categoryName),
            boxText(row.commissionRate, kPercentOfRate, kRateOfPercent),
            boxText(row.minCommission),
            boxText(row.stampDutyRate, kPercentOfRate, kRateOfPercent),
            boxText(row.transferFeePer1000),
            boxText(row.minTransferFee),
            boxText(row.orderFee)};
}

TradeParamReading readTradeParamEntry(const TradeParamEntry& entry, Messages& messages) {
    double value[kNumberBoxCount] = {};
    for (std::size_t i = 0; i < kNumberBoxCount; ++i) {
        const NumberBox& box = kNumberBoxes[i];
        const auto number = parseDouble(entry.*box.text);
        if (!number) {
            messages.plain(kEnterNumberPrompt);
            return {std::nullopt, box.box};
        }
        if (box.percent && (*number < 0 || *number > 100)) {
            messages.plain(kPercentRangePrompt);
            return {std::nullopt, box.box};
        }
        value[i] = *number;
    }
    const double commission = value[0], minCommission = value[1], stampDuty = value[2],
                 transferFee = value[3], minTransferFee = value[4], orderFee = value[5];

    const Refusal refusals[] = {
        {TradeParamBox::OrderFee, orderFee < 0, "委托费用不能小于零，请重新填写委托费用"},
        {TradeParamBox::MinCommission, minCommission < 0,
         "最低手续费不能小于零，请重新填写最低手续费"},
        {TradeParamBox::MinTransferFee, minTransferFee < 0,
         "最低过户费不能小于零，请重新填写最低过户费"},
        {TradeParamBox::TransferFee, transferFee < 0, "过户费不能小于零，请重新填写过户费"},
        {TradeParamBox::CategoryName, entry.categoryName.empty(),
         "股票分类简称不能为空，请重新填写股票分类简称"},
        {TradeParamBox::CodePrefix, entry.codePrefix.empty(),
         "股票特征代码不能为空，请重新填写股票特征代码"},
    };
    for (const Refusal& r : refusals) {
        if (r.refused) {
            messages.plain(r.message);
            return {std::nullopt, r.box};
        }
    }

    TradeParam row{};
    const TextFit fit = storeText(row.categoryName, entry.categoryName, kCategoryNameBytes);
    if (fit != TextFit::Ok) {
        messages.error(textFitMessage(fit, "股票分类简称", kCategoryNameBytes));
        return {std::nullopt, TradeParamBox::CategoryName};
    }
    storeBytes(row.codePrefix, entry.codePrefix);
    row.market = entry.market == kShenzhen ? 0 : 1;
    row.commissionRate = commission * kRateOfPercent;
    row.minCommission = minCommission;
    row.stampDutyRate = stampDuty * kRateOfPercent;
    row.transferFeePer1000 = transferFee;
    row.minTransferFee = minTransferFee;
    row.orderFee = orderFee;
    return {row, TradeParamBox::Market};
}

}  // namespace fiscora::ui
