#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "output/holding_rows.h"
#include "records/account_info.h"
#include "records/ledger_record.h"
#include "records/trade_param.h"

namespace fiscora::test {

// An account with UTF-8 texts stored as GBK.
AccountInfo account(const std::string& name, const std::string& password,
                    const std::string& tradeType = "深沪A股", double initialCapital = 10000,
                    std::int32_t createdDate = 20240101);

// A stock record with the amount its kind computes (quantity * price, plus or minus the fee).
LedgerRecord stockRecord(RecordType kind, std::int32_t date, const std::string& code,
                         std::int32_t quantity, double price, double fee, std::int32_t market = 1);
// A fee row with its market, prefix, UTF-8 name and commission rate; every other figure 0.
TradeParam feeRow(std::int32_t market, const std::string& prefix, const std::string& name,
                  double commissionRate = 0.003);

LedgerRecord cashRecord(RecordType kind, std::int32_t date, double amount);

// `count` purchases of 37 codes from 600000 over 20 days from 2 January 2024, each of its own
// quantity: a ledger longer than one run of 4,096 records when asked for more.
Ledger manyPurchases(int count);

// `n` holdings-list rows of the stocks 600000, 600001, ... named 股票0, 股票1, ..., each with
// 100 invested and the profit `profit(i)` (its rate that profit of the 100).
std::vector<HoldingRow> numberedStocks(int n, const std::function<double(int)>& profit);

}  // namespace fiscora::test
