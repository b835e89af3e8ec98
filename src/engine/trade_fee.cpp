#include "engine/trade_fee.h"

#include <cstring>

#include "host/module_state.h"

namespace fiscora {

bool findTradeParam(const TradeParamTable& table, std::string_view text, std::string_view code,
                    TradeParam& out) {
    const std::int32_t market = marketFromText(text);
    if (market < 0) return false;
    for (std::size_t n = code.size(); n >= 1; --n) {
        const std::string_view head = code.substr(0, n);
        for (const auto& row : table) {
            const std::string_view prefix(row.codePrefix,
                                          ::strnlen(row.codePrefix, sizeof row.codePrefix));
            if (row.market == market && prefix == head) {
                out = row;
                return true;
            }
        }
    }
    return false;
}

TradeParam tradeParamFor(const TradeParamTable& table, std::string_view text,
                         std::string_view code) {
    TradeParam row = defaultTradeParams();
    findTradeParam(table, text, code, row);
    return row;
}

TradeParam tradeParamFor(const TradeParamTable& table, std::int32_t market, std::string_view code) {
    return tradeParamFor(table, marketText(market), code);
}

double tradeFee(double price, std::uint32_t quantity, const TradeParam& row) {
    const double q = quantity;
    double commission = q * row.commissionRate * price;
    if (commission < row.minCommission) commission = row.minCommission;
    const double stamp = q * row.stampDutyRate * price;
    const std::uint32_t thousands = quantity / 1000;  // only whole thousands of shares pay
    double transfer = thousands * row.transferFeePer1000;
    if (transfer < row.minTransferFee) transfer = row.minTransferFee;
    return ((row.orderFee + transfer) + stamp) + commission;
}

}  // namespace fiscora
