#include "cli/ledger_commands.h"

#include <map>

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/list_files.h"
#include "cli/usage.h"
#include "engine/account_summary.h"
#include "engine/ledger_filter.h"
#include "output/holding_rows.h"
#include "output/ledger_rows.h"
#include "records/gbk_text.h"

namespace fiscora::cli {
namespace {

// The kind a --kind names: its command-line name or the name the kind list shows.
RecordType kindOption(const std::string& name) {
    static const std::map<std::string, RecordType> names = {
        {"cash-in", RecordType::CashIn},    {"cash-out", RecordType::CashOut},
        {"buy", RecordType::Buy},           {"sell", RecordType::Sell},
        {"dividend", RecordType::Dividend}, {"bonus", RecordType::BonusShares},
        {"rights", RecordType::RightsIssue}};
    const auto it = names.find(name);
    return it != names.end() ? it->second : kindFromListText(name);
}

// The view's filters from the options; the reason when they are not what its boxes take.
std::string readFilter(const CommandContext& c, LedgerFilter& filter) {
    const std::string* from = optionValue(c, "--from");
    const std::string* to = optionValue(c, "--to");
    if ((from == nullptr) != (to == nullptr)) return "--from and --to go together";
    if (from != nullptr) {
        const auto first = calendarDate(*from);
        const auto last = calendarDate(*to);
        if (!first || !last) return "--from and --to take a day as YYYYMMDD";
        filter.byTime = true;
        filter.from = *first;
        filter.to = *last;
    }
    if (const std::string* kind = optionValue(c, "--kind")) {
        filter.byKind = true;
        filter.kind = kindOption(*kind);
        if (filter.kind == RecordType::None)
            return "--kind takes cash-in, cash-out, buy, sell, dividend, bonus or rights";
    }
    if (const std::string* code = optionValue(c, "--code")) {
        if (!fitsCodeBox(*code)) return "--code takes at most six digits";
        filter.byCode = true;
        filter.gbkCode = *code;
    }
    return {};
}

int readLedger(CommandContext& c, LedgerFilter& filter) {
    if (const std::string why = readFilter(c, filter); !why.empty()) return usageError(c.err, why);
    return pdfAvailable(c) ? kExitOk : kExitUsage;
}

int runLedger(CommandContext& c, LedgerFilter& filter) {
    Ledger& ledger = c.session.workspace().ledger;
    const ViewRows rows = refillViewRows(ledger, filter);
    // The printed and saved list is made only when a file is asked for: it holds every cell.
    if (wantsListFiles(c)) {
        const int code = writeListFiles(c, ledgerTable(ledger, rows), kLedgerReport, "ledger list");
        if (code != kExitOk) return code;
    }
    TableWriter table(c.out, indexedLedgerColumns(), c.options.format);
    for (const std::size_t position : rows)
        writeIndexedLedgerRow(table, ledger[position], position);
    table.end();
    return kExitOk;
}

// The window's percentage cell without its percent sign.
std::string withoutPercentSign(std::string cell) {
    if (!cell.empty() && cell.back() == '%') cell.pop_back();
    return cell;
}

// The holdings list's cells as the window shows them, then (JSON only) the position's sums.
const RowFormat<HoldingRow>& holdingsFormat() {
    using R = const HoldingRow&;
    static const RowFormat<HoldingRow> format{{
        {{"marketName"}, [](R r) { return Value::text(r.cells[0]); }},
        {{"stockCode"}, [](R r) { return Value::text(r.cells[1]); }},
        {{"name"}, [](R r) { return Value::text(r.cells[2]); }},
        {{"heldQty"}, [](R r) { return Value::integer(r.figures.heldQty); }},
        {{"marketValue"}, [](R r) { return Value::real(r.figures.marketValue, r.cells[4]); }},
        {{"floatingProfit"}, [](R r) { return Value::real(r.figures.floatingProfit, r.cells[5]); }},
        {{"averagePrice"}, [](R r) { return Value::real(r.figures.averagePrice, r.cells[6]); }},
        {{"latestPrice"}, [](R r) { return Value::real(r.latestPrice, r.cells[7]); }},
        {{"breakEvenPrice"}, [](R r) { return Value::real(r.figures.breakEvenPrice, r.cells[8]); }},
        {{"returnRate"},
         [](R r) { return Value::real(r.figures.returnRate, withoutPercentSign(r.cells[9])); }},
        {{"market", true}, [](R r) { return Value::integer(r.holding.market); }},
        {{"boughtQty", true}, [](R r) { return Value::integer(r.holding.boughtQty); }},
        {{"soldQty", true}, [](R r) { return Value::integer(r.holding.soldQty); }},
        {{"bonusQty", true}, [](R r) { return Value::integer(r.holding.bonusQty); }},
        {{"buyAmount", true}, [](R r) { return Value::real(r.holding.buyAmount); }},
        {{"sellAmount", true}, [](R r) { return Value::real(r.holding.sellAmount); }},
        {{"buyFee", true}, [](R r) { return Value::real(r.holding.buyFee); }},
        {{"sellFee", true}, [](R r) { return Value::real(r.holding.sellFee); }},
        {{"dividendAmount", true}, [](R r) { return Value::real(r.holding.dividendAmount); }},
        {{"realisedProfit", true}, [](R r) { return Value::real(r.figures.realisedProfit); }},
        {{"realisedRate", true}, [](R r) { return Value::real(r.figures.realisedRate); }},
        {{"currentProfit", true}, [](R r) { return Value::real(r.figures.currentProfit); }},
        {{"currentRate", true}, [](R r) { return Value::real(r.figures.currentRate); }},
    }};
    return format;
}

std::vector<Column> holdingsColumns() {
    return holdingsFormat().columns();
}

int runHoldings(CommandContext& c) {
    Workspace& ws = c.session.workspace();
    holdingsFormat().writeAll(c.out, holdingRows(ws, ws.holdings), c.options.format);
    return kExitOk;
}

const RowFormat<AccountSummary>& summaryFormat() {
    using S = const AccountSummary&;
    static const RowFormat<AccountSummary> format{{
        {{"accountName"}, [](S s) { return Value::text(s.accountName); }},
        {{"tradeType"}, [](S s) { return Value::text(s.tradeType); }},
        {{"netCashIn"}, [](S s) { return Value::real(s.netCashIn); }},
        {{"investmentCost"}, [](S s) { return Value::real(s.investmentCost); }},
        {{"marketValue"}, [](S s) { return Value::real(s.marketValue); }},
        {{"cashBalance"}, [](S s) { return Value::real(s.cashBalance); }},
        {{"totalAssets"}, [](S s) { return Value::real(s.totalAssets); }},
        {{"holdingCount"}, [](S s) { return Value::integer(s.holdingCount); }},
        {{"realisedProfit"}, [](S s) { return Value::real(s.realisedProfit); }},
        {{"realisedRate"}, [](S s) { return Value::real(s.realisedRate); }},
        {{"currentProfit"}, [](S s) { return Value::real(s.currentProfit); }},
        {{"currentRate"}, [](S s) { return Value::real(s.currentRate); }},
    }};
    return format;
}

std::vector<Column> summaryColumns() {
    return summaryFormat().columns();
}

int runSummary(CommandContext& c) {
    const AccountSummary s = accountSummary(c.session.workspace(), *c.account);
    writeTable(c.out, Table{summaryColumns(), {summaryFormat().values(s)}}, c.options.format);
    return kExitOk;
}

}  // namespace

Command ledgerCommand() {
    return {
        .name = "ledger",
        .arguments = "ACCOUNT",
        .summary = "list an account's ledger records",
        .description =
            "Lists the account's ledger records in ledger order, as the window's 个人流水帐 shows\n"
            "them: index (the record's position in the ledger from 1, the same whatever the\n"
            "filters), id (eight hexadecimal digits that change whenever the record does; give\n"
            "it to edit-record and delete-record with --id), market (0 深圳, 1 上海), date\n"
            "(YYYYMMDD), type code, kind as the window names it, stock code, quantity, price,\n"
            "fee, amount, cash sign (+1 in, -1 out, 0 none) and remark. --from and --to\n"
            "together keep the records of those days; --kind keeps one kind (cash-in, cash-out,\n"
            "buy, sell, dividend, bonus, rights or its shown name); --code keeps that stock's\n"
            "records and no cash records. --pdf and --text also write the list as shown as the\n"
            "view's 数据打印 (\"流水帐打印\") and 数据存盘 do.",
        .columns = indexedLedgerColumns,
        .run = {readLedger, runLedger},
        .options = {{"--from", "YYYYMMDD", "first day of the time filter (with --to)"},
                    {"--to", "YYYYMMDD", "last day of the time filter (with --from)"},
                    {"--kind", "K", "only records of this kind"},
                    {"--code", "C", "only the records of this stock code"},
                    {kPdfOption, "FILE", "the printed list, as a PDF file"},
                    {kTextOption, "FILE", "the text export"}},
        .needsPassword = true,
    };
}

Command holdingsCommand() {
    return {
        .name = "holdings",
        .arguments = "ACCOUNT",
        .summary = "list an account's open positions",
        .description =
            "Lists the account's open positions as the main window's holdings list shows them,\n"
            "with names and prices from --quotes. returnRate is a percentage. JSON rows also\n"
            "carry the position's sums and its realised and current profit, realisedRate and\n"
            "currentRate as fractions.",
        .columns = holdingsColumns,
        .run = runHoldings,
        .needsPassword = true,
    };
}

Command summaryCommand() {
    return {
        .name = "summary",
        .arguments = "ACCOUNT",
        .summary = "show an account's totals",
        .description =
            "Shows the account's properties: net cash paid in, investment cost, market value, "
            "cash\n"
            "balance, total assets, number of holdings, realised and current net profit and "
            "their\n"
            "rates as percentages. Open positions only, over the whole ledger.",
        .columns = summaryColumns,
        .run = runSummary,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
