#include "cli/ledger_row.h"

#include "engine/record_identity.h"
#include "records/gbk_text.h"

namespace fiscora::cli {

const RowFormat<LedgerRecord>& ledgerFormat() {
    using R = const LedgerRecord&;
    static const RowFormat<LedgerRecord> format{{
        {{"market"}, [](R r) { return Value::integer(r.market); }},
        {{"date"}, [](R r) { return Value::integer(r.date); }},
        {{"type"}, [](R r) { return Value::integer(r.type); }},
        {{"kind"}, [](R r) { return Value::text(kindName(r.type)); }},
        {{"stockCode"}, [](R r) { return Value::text(fieldText(r.stockCode)); }},
        {{"quantity"}, [](R r) { return Value::integer(r.quantity); }},
        {{"price"}, [](R r) { return Value::real(r.price); }},
        {{"fee"}, [](R r) { return Value::real(r.fee); }},
        {{"amount"}, [](R r) { return Value::real(r.amount); }},
        {{"cashSign"}, [](R r) { return Value::integer(r.cashSign); }},
        {{"remark"}, [](R r) { return Value::text(fieldText(r.remark)); }},
    }};
    return format;
}

namespace {

// The record's position counted from 1.
Value indexOf(std::size_t position) {
    return Value::integer(static_cast<std::int64_t>(position) + 1);
}

}  // namespace

std::vector<Column> ledgerColumns() {
    return ledgerFormat().columns();
}

std::vector<Value> ledgerRow(const LedgerRecord& r) {
    return ledgerFormat().values(r);
}

std::vector<Column> indexedLedgerColumns() {
    std::vector<Column> columns = ledgerColumns();
    columns.insert(columns.begin(), {Column{"index"}, Column{"id"}});
    return columns;
}

std::vector<Value> indexedLedgerRow(const LedgerRecord& record, std::size_t position) {
    std::vector<Value> row = ledgerRow(record);
    row.insert(row.begin(), {indexOf(position), Value::text(recordIdentity(record))});
    return row;
}

void writeIndexedLedgerRow(TableWriter& writer, const LedgerRecord& record, std::size_t position) {
    writer.beginRow();
    writer.cell(indexOf(position));
    writer.cell(Value::text(recordIdentity(record)));
    for (const auto& field : ledgerFormat().fields) writer.cell(field.value(record));
    writer.endRow();
}

}  // namespace fiscora::cli
