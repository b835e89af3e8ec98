#include "output/trade_param_rows.h"

#include "engine/number_format.h"
#include "records/gbk_text.h"

namespace fiscora {

std::vector<ListColumn> tradeParamColumns() {
    return {{"股票分类简称", 100}, {"手续费", 50},     {"最低手续费", 90}, {"印花税", 50},
            {"过户费/千股", 100},  {"最低过户费", 90}, {"委托费", 50}};
}

std::vector<std::string> tradeParamCells(const TradeParam& row) {
    return {fieldText(row.categoryName),
            formatPercent(row.commissionRate * 100),
            formatAmount(row.minCommission),
            formatPercent(row.stampDutyRate * 100),
            formatAmount(row.transferFeePer1000),
            formatAmount(row.minTransferFee),
            formatAmount(row.orderFee)};
}

ListTable tradeParamList(const TradeParamTable& table) {
    ListTable list{tradeParamColumns(), {}};
    list.rows.reserve(table.size());
    for (const TradeParam& row : table) list.rows.push_back(tradeParamCells(row));
    return list;
}

}  // namespace fiscora
