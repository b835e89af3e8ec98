#include "cli/ledger_row.h"

#include "records/gbk_text.h"

namespace fiscora::cli {

std::vector<Column> ledgerColumns() {
    return {{"market"}, {"date"}, {"type"},   {"kind"},     {"stockCode"}, {"quantity"},
            {"price"},  {"fee"},  {"amount"}, {"cashSign"}, {"remark"}};
}

std::vector<Value> ledgerRow(const LedgerRecord& r) {
    return {Value::integer(r.market),
            Value::integer(r.date),
            Value::integer(r.type),
            Value::text(kindName(r.type)),
            Value::text(fieldText(r.stockCode)),
            Value::integer(r.quantity),
            Value::real(r.price),
            Value::real(r.fee),
            Value::real(r.amount),
            Value::integer(r.cashSign),
            Value::text(fieldText(r.remark))};
}

}  // namespace fiscora::cli
