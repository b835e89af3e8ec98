#include "store/slot_layout.h"

#include "records/account_info.h"
#include "records/ledger_record.h"
#include "records/trade_param.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "store/trade_param_file.h"

namespace fiscora {

SlotLayout slotLayoutOf(const std::string& fileName) {
    if (fileName.ends_with(kLedgerSuffix)) return {sizeof(LedgerRecord), sizeof(LedgerRecord)};
    if (fileName == kRegistryFileName) return {0, sizeof(AccountInfo)};
    if (fileName == kTradeParamFileName) return {0, sizeof(TradeParam)};
    return {};
}

}  // namespace fiscora
