#include "ui/trade/corporate_action_checks.h"

#include "engine/corporate_actions.h"
#include "engine/holdings.h"

namespace fiscora::ui {

std::optional<std::string> dividendRefusal(double rate, std::int64_t held) {
    if (rate <= 0) return "每股分红金额不能小于零";
    if (held < 0) return "持股数量小于零,不能分红";
    if (held > kMaxHeldQuantity) return "持股数量超过2147483647股,不能分红";
    return std::nullopt;
}

std::optional<std::string> bonusSharesRefusal(std::int64_t held, std::int32_t per,
                                              std::int32_t grant) {
    if (per <= 0 || grant <= 0) return "送股方案的填写有误，请重新填写数据";
    const std::int64_t shares =
        *schemeShares(held, static_cast<std::uint32_t>(per), static_cast<std::uint32_t>(grant));
    if (shares <= 0) return "送股数量不能为零，请重新填写数据";
    // A record stores the count as int32; a larger one would be booked wrapped round.
    if (!fitsRecordQuantity(shares)) return "送股数量超过了2147483647股，请重新填写数据";
    return std::nullopt;
}

std::optional<std::string> rightsIssueRefusal(const RightsSubscription& entry, RightsBox* toFix) {
    const auto refuse = [toFix](RightsBox box, const char* text) {
        if (toFix != nullptr) *toFix = box;
        return std::optional<std::string>(text);
    };
    if (entry.per == 0 || entry.grant == 0)
        return refuse(RightsBox::Scheme, "配股方案填写有误，请重新填写数据");
    if (entry.quantity > entry.maximum)
        return refuse(RightsBox::Quantity, "配股数量超过了最大可配股数，请重填数据");
    if (entry.price <= 0) return refuse(RightsBox::Price, "价格不能小于等于零，请重填价格");
    if (entry.quantity == 0)
        return refuse(RightsBox::Quantity, "实际配股数要大于零，请重新填写数据");
    if (entry.expense > entry.cash)
        return refuse(RightsBox::Quantity, "支出超过了现金数目，请减小配股数量");
    return std::nullopt;
}

}  // namespace fiscora::ui
