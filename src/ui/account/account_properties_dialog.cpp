#include "ui/account/account_properties_dialog.h"

#include <string>

#include "engine/number_format.h"

namespace fiscora::ui {

AccountPropertiesDialog::AccountPropertiesDialog(Messages& messages, const AccountSummary& s)
    : DialogModel(messages) {
    setCaption("帐户属性 -[" + s.accountName + "]");
    setButtons({.cancel = ""});
    const std::string& unit = s.currencyUnit;
    const struct {
        const char* name;
        const char* label;
        std::string value;
    } rows[] = {
        {"account-name", "帐户名称：", s.accountName},
        {"trade-type", "交易类型：", s.tradeType},
        {"net-cash-in", "投入资金总数：", formatAmount(s.netCashIn) + unit},
        {"investment-cost", "投资成本：", formatAmount(s.investmentCost)},
        {"market-value", "市值：", formatAmount(s.marketValue)},
        {"cash-balance", "资金余额：", formatAmount(s.cashBalance) + unit},
        {"total-assets", "总资产：", formatAmount(s.totalAssets)},
        {"holding-count", "持股品种：", formatQuantity(s.holdingCount) + "种"},
        {"realised-profit", "成交净赢利：", formatAmount(s.realisedProfit)},
        {"realised-rate", "成交赢利率：", formatPercent(s.realisedRate)},
        {"current-profit", "现净赢利：", formatAmount(s.currentProfit)},
        {"current-rate", "现赢利率：", formatPercent(s.currentRate)},
    };
    static_assert(std::size(rows) == std::tuple_size_v<decltype(figures)>);
    for (std::size_t i = 0; i < figures.size(); ++i) {
        declare(figures[i], rows[i].name, rows[i].label);
        figures[i].text = rows[i].value;
    }
}

}  // namespace fiscora::ui
