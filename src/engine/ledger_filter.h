#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/ledger_record.h"

namespace fiscora {

// The ledger view's three filters, each with the flag of its check box. A filter whose
// flag is off lets every record through.
struct LedgerFilter {
    bool byTime = false;  // 时间匹配: records dated from `from` to `to`, both inclusive
    std::int32_t from = 0;
    std::int32_t to = 0;
    bool byKind = false;  // 帐目类型匹配: records whose type is `kind`
    RecordType kind = RecordType::None;
    bool byCode = false;  // 股票代码匹配: stock records whose code is `gbkCode`, no cash
    std::string gbkCode;
    bool byMarket = false;  // records of `market` only (交易明细 shows one position)
    std::int32_t market = 0;

    // The records of one day, and of one stock when a code is given: how the capital
    // curve opens the view on a day it shows.
    static LedgerFilter oneDay(std::int32_t day, std::optional<std::string> gbkCode = {});
    // The stock records of one position, its market and code as the holdings hold them:
    // the rows of 交易明细. The same code in the other market is another position.
    static LedgerFilter oneStock(std::int32_t market, std::string gbkCode);

    bool shows(const LedgerRecord& record) const;

    bool operator==(const LedgerFilter&) const = default;
};

// The kind list of the ledger view, in its order: "投入资金", "划出资金", "买入股票",
// "卖出股票", "股票分红", "送股", "配股".
const std::vector<std::string>& ledgerKindItems();
// The kind a name of that list stands for; None for any other text.
RecordType kindFromListText(std::string_view text);

// The rows of the view, each the position of its record in the ledger, in ledger order.
using ViewRows = std::vector<std::size_t>;

// Fills the view from the ledger: every record the filter shows becomes the next row,
// and each record's viewRow is set to its row, or to -1 when it is not shown (the field
// is stored with the records, so it is kept as the list shows it).
ViewRows refillViewRows(Ledger& ledger, const LedgerFilter& filter);

}  // namespace fiscora
