#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/ledger_filter.h"
#include "output/list_table.h"
#include "records/ledger_record.h"

namespace fiscora {

// The ten columns of the ledger view: headers, widths in pixels, all centred.
std::vector<ListColumn> ledgerViewColumns();
inline constexpr int kRemarkColumn = 9;

// The nine columns of 交易明细: the ledger view's without 备注, its rows formatted alike.
std::vector<ListColumn> tradeDetailColumns();

// A date as the ledger view shows it: "%4d年%2d月%2d日".
std::string ledgerDateText(std::int32_t date);

// The cells of ledger records as the view shows them. Stock names come from the host,
// asked once per stock for the formatter's life, so a large ledger formats only the rows
// it shows without asking the host again for every row.
class LedgerRowFormatter {
public:
    std::string cell(const LedgerRecord& record, int column);
    // The first `count` cells of the row (all ten by default).
    std::vector<std::string> cells(const LedgerRecord& record, std::size_t count = 10);

private:
    const std::string& nameOf(const LedgerRecord& record);

    std::map<std::pair<std::int32_t, std::string>, std::string> names_;
};

// For each of the ten columns, the shown rows (indexes into `rows`) whose cells may be the
// widest: for a figure, the date or the code, the rows with its largest and smallest value
// (or longest and shortest code); none for the columns of fixed texts and for the names,
// which come from the host. One pass over the rows.
std::vector<std::vector<std::size_t>> widestLedgerRows(const Ledger& ledger, const ViewRows& rows);

// The shown rows as a list with its header, ready to print or export: the ledger view's
// (with each record's remark in 备注, where the view offers "点击显示"), and 交易明细's.
ListTable ledgerTable(const Ledger& ledger, const ViewRows& rows);
ListTable tradeDetailTable(const Ledger& ledger, const ViewRows& rows);

// A remark as a printed or saved cell: the stored text on one line, each TAB, CR and LF a
// space (a sale's remark may hold line breaks; a TAB would split a saved row's fields).
std::string printedRemark(const LedgerRecord& record);

// What a click on a row's 备注 cell shows: the remark, or "没有备注".
std::string remarkMessage(const LedgerRecord& record);

// The view's 交易类型 and 货币单位 labels for the account's currency unit.
struct LedgerViewUnits {
    std::string tradeType;
    std::string unit;
};
LedgerViewUnits ledgerViewUnits(const std::string& currencyUnit);

// The 现金余额 line: the balance with three decimals, the unit straight after it.
std::string balanceText(double balance, const std::string& unit);

}  // namespace fiscora
