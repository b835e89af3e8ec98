#pragma once

#include <cstdint>
#include <string>

#include "records/account_info.h"
#include "records/ledger_record.h"

namespace fiscora::test {

// An account with UTF-8 texts stored as GBK.
AccountInfo account(const std::string& name, const std::string& password,
                    const std::string& tradeType = "深沪A股", double initialCapital = 10000,
                    std::int32_t createdDate = 20240101);

// A stock record with the amount its kind computes (quantity * price, plus or minus the fee).
LedgerRecord stockRecord(RecordType kind, std::int32_t date, const std::string& code,
                         std::int32_t quantity, double price, double fee, std::int32_t market = 1);
LedgerRecord cashRecord(RecordType kind, std::int32_t date, double amount);

}  // namespace fiscora::test
