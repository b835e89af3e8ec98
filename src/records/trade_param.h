#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fiscora {

#pragma pack(push, 1)
// One fee row of "trdpara.dat": 79 bytes, packed, little-endian, the same in memory and
// on disk. Rates are fractions of the traded value (0.0035 is 0.35 %); the other four
// are amounts in the account's currency.
struct TradeParam {
    std::int32_t market;        // 0 深圳, 1 上海
    char codePrefix[7];         // leading digits of the codes the row applies to, <= 6
    char categoryName[20];      // short category name, GBK, <= 19 bytes, unique
    double commissionRate;      // 手续费
    double minCommission;       // 最低手续费, per trade
    double stampDutyRate;       // 印花税
    double transferFeePer1000;  // 过户费 per whole 1000 shares
    double minTransferFee;      // 最低过户费, per trade
    double orderFee;            // 委托费, fixed per trade
};
#pragma pack(pop)

static_assert(sizeof(TradeParam) == 79);
static_assert(offsetof(TradeParam, codePrefix) == 4);
static_assert(offsetof(TradeParam, categoryName) == 11);
static_assert(offsetof(TradeParam, commissionRate) == 31);
static_assert(offsetof(TradeParam, minCommission) == 39);
static_assert(offsetof(TradeParam, stampDutyRate) == 47);
static_assert(offsetof(TradeParam, transferFeePer1000) == 55);
static_assert(offsetof(TradeParam, minTransferFee) == 63);
static_assert(offsetof(TradeParam, orderFee) == 71);

// The fee table, rows in file order.
using TradeParamTable = std::vector<TradeParam>;

}  // namespace fiscora
