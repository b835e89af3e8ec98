#pragma once

#include <cstdint>
#include <string>

#include "engine/workspace.h"
#include "records/account_info.h"

namespace fiscora {

// The twelve figures of an account's properties, computed afresh from its ledger, the
// host's latest prices and the fee table. Money is in the account's currency.
struct AccountSummary {
    std::string accountName;    // UTF-8
    std::string tradeType;      // UTF-8, the type that matches the account's currency unit
    std::string currencyUnit;   // "元", "美元" or "港元"
    double netCashIn = 0;       // CashIn and CashOut records only
    double investmentCost = 0;  // buyAmount of the open positions
    double marketValue = 0;
    double cashBalance = 0;
    double totalAssets = 0;  // market value + cash balance
    std::int64_t holdingCount = 0;
    double realisedProfit = 0;
    double realisedRate = 0;  // percentage of the cost of the shares sold
    double currentProfit = 0;
    double currentRate = 0;  // percentage of the investment cost
};

// The summary of `account`, whose ledger is the one loaded in the workspace. The holdings
// are those of the whole ledger (no date limit, no code filter), whatever the workspace's
// own holding list holds: open positions only, so a stock sold out completely counts
// only through the cash.
AccountSummary accountSummary(const Workspace& workspace, const AccountInfo& account);
// The same from what the workspace keeps of its whole ledger (its holdings and cash sums,
// kept current with every change), so that the ledger is not read again.
AccountSummary keptAccountSummary(const Workspace& workspace, const AccountInfo& account);

// "深沪A股" for "元", "上证B股" for "美元", "深证B股" for any other unit.
std::string tradeTypeOfCurrencyUnit(const std::string& unit);

}  // namespace fiscora
