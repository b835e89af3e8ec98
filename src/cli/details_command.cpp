#include "cli/details_command.h"

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/list_files.h"
#include "cli/usage.h"
#include "engine/ledger_filter.h"
#include "host/quote_source.h"
#include "output/ledger_rows.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora::cli {
namespace {

// One row of the list: the record, and its cells as the window shows them.
struct DetailRow {
    const LedgerRecord& record;
    const std::vector<std::string>& shown;
};

// Each row as the window shows it; JSON has the stored numbers where tsv shows nothing.
const RowFormat<DetailRow>& detailsFormat() {
    using D = const DetailRow&;
    static const RowFormat<DetailRow> format{{
        {{"date"}, [](D d) { return Value::integer(d.record.date); }},
        {{"market"}, [](D d) { return Value::integer(d.record.market); }},
        {{"kind"}, [](D d) { return Value::text(d.shown[kKindColumn]); }},
        {{"amount"}, [](D d) { return Value::real(d.record.amount, d.shown[kAmountColumn]); }},
        {{"stockCode"}, [](D d) { return Value::text(d.shown[kCodeColumn]); }},
        {{"name"}, [](D d) { return Value::text(d.shown[kNameColumn]); }},
        {{"quantity"}, [](D d) { return Value::integer(d.record.quantity); }},
        {{"price"}, [](D d) { return Value::real(d.record.price, d.shown[kPriceColumn]); }},
        {{"fee"}, [](D d) { return Value::real(d.record.fee, d.shown[kFeeColumn]); }},
        {{"remark"}, [](D d) { return Value::text(fieldText(d.record.remark)); }},
    }};
    return format;
}

std::vector<Column> detailsColumns() {
    return detailsFormat().columns();
}

// The stock's market: --market, else the one its code implies. -1 after saying why not.
std::int32_t stockMarket(const CommandContext& c, const std::string& code) {
    if (const std::string* given = optionValue(c, "--market")) {
        const std::int32_t market = marketFromText(*given);
        if (market < 0) c.err << "fiscora-cli: --market takes 深圳 or 上海\n" << usageHint();
        return market;
    }
    const int implied = marketOfCode(code);
    if (implied != 0 && implied != 1) {
        c.err << "fiscora-cli: " << code << " may be listed in either market; give --market\n"
              << usageHint();
        return -1;
    }
    return implied;
}

// The market of the CODE argument.
int readDetails(CommandContext& c, std::int32_t& market) {
    const std::string& code = argument(c, "CODE");
    if (!fitsCodeBox(code) || code.empty()) {
        c.err << "fiscora-cli: CODE takes at most six digits\n" << usageHint();
        return kExitUsage;
    }
    market = stockMarket(c, code);
    if (market < 0) return kExitUsage;
    return pdfAvailable(c) ? kExitOk : kExitUsage;
}

int runDetails(CommandContext& c, std::int32_t& market) {
    const std::string& code = argument(c, "CODE");
    Ledger& ledger = c.session.workspace().ledger;
    const ViewRows rows = refillViewRows(ledger, LedgerFilter::oneStock(market, code));
    const ListTable shown = tradeDetailTable(ledger, rows);
    if (const int status = writeListFiles(c, shown, kTradeDetailsReport, "trade details list");
        status != kExitOk)
        return status;
    TableWriter table(c.out, detailsColumns(), c.options.format);
    for (std::size_t i = 0; i < rows.size(); ++i)
        detailsFormat().writeRow(table, {ledger[rows[i]], shown.rows[i]});
    table.end();
    return kExitOk;
}

}  // namespace

Command detailsCommand() {
    return {
        .name = "details",
        .arguments = "ACCOUNT CODE",
        .summary = "list one stock's records as 交易明细 shows them",
        .description =
            "Lists every purchase, sale, dividend, bonus and rights record of the stock in\n"
            "ledger order, as the window's 交易明细 does for a row of the holdings list:\n"
            "date (YYYYMMDD), market (0 深圳, 1 上海), kind, amount, stock code, name (from\n"
            "--quotes), quantity, price, fee and remark. tsv leaves empty what the window\n"
            "leaves empty (no amount or price for bonus shares, a fee only for purchases,\n"
            "sales and rights issues); JSON has the stored numbers. The market is the one the\n"
            "code implies unless --market gives it; a code listed in either market needs it.\n"
            "--pdf and --text also write the list as 数据打印 (\"交易明细打印\") and 数据存盘\n"
            "do. The position's figures are those of holdings.",
        .columns = detailsColumns,
        .run = {readDetails, runDetails},
        .options = {{"--market", "M", "深圳 or 上海"},
                    {kPdfOption, "FILE", "the printed list, as a PDF file"},
                    {kTextOption, "FILE", "the text export"}},
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
