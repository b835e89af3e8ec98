// The fee table: every row read is found for its own code and prices a trade.
#include "engine/holdings.h"
#include "engine/trade_fee.h"
#include "fuzz_support.h"
#include "records/gbk_text.h"
#include "store/trade_param_file.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeScratchFile(kTradeParamFileName, data, size);
    fuzz::QuietMessages messages;
    TradeParamTable table;
    if (!loadTradeParams(path, table, messages, OpenMode::ReadOnly)) return 0;
    for (const TradeParam& row : table) {
        const TradeParam found = tradeParamFor(table, row.market, fieldBytes(row.codePrefix));
        tradeFee(row.commissionRate, 1000, found);
        breakEven(row.minCommission, 100, found);
    }
    return 0;
}
