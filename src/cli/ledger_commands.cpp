#include "cli/ledger_commands.h"

#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "engine/account_summary.h"
#include "output/holding_rows.h"
#include "records/gbk_text.h"

namespace fiscora::cli {
namespace {

// Opens the account named by the command's argument; the message of a refusal is
// already on stderr when this returns nonzero.
int openAccount(CommandContext& c, const AccountInfo*& account) {
    return c.session.openLedger(c.options.arguments.at(0), account);
}

int runLedger(CommandContext& c) {
    const AccountInfo* account = nullptr;
    if (const int code = openAccount(c, account); code != kExitOk) return code;
    Table table{ledgerColumns(), {}};
    for (const LedgerRecord& r : c.session.workspace().ledger) table.rows.push_back(ledgerRow(r));
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

std::vector<Column> holdingsColumns() {
    std::vector<Column> columns = {
        {"marketName"},     {"stockCode"},    {"name"},        {"heldQty"},        {"marketValue"},
        {"floatingProfit"}, {"averagePrice"}, {"latestPrice"}, {"breakEvenPrice"}, {"returnRate"}};
    for (const char* name : {"market", "boughtQty", "soldQty", "bonusQty", "buyAmount",
                             "sellAmount", "buyFee", "sellFee", "dividendAmount", "realisedProfit",
                             "realisedRate", "currentProfit", "currentRate"})
        columns.push_back({name, true});
    return columns;
}

// The window's percentage cell without its percent sign.
std::string withoutPercentSign(std::string cell) {
    if (!cell.empty() && cell.back() == '%') cell.pop_back();
    return cell;
}

int runHoldings(CommandContext& c) {
    const AccountInfo* account = nullptr;
    if (const int code = openAccount(c, account); code != kExitOk) return code;
    Workspace& ws = c.session.workspace();
    Table table{holdingsColumns(), {}};
    for (const HoldingRow& row : holdingRows(ws, ws.holdings)) {
        const Holding& h = row.holding;
        const HoldingFigures& f = row.figures;
        const std::vector<std::string>& cell = row.cells;
        table.rows.push_back({Value::text(cell[0]),
                              Value::text(cell[1]),
                              Value::text(cell[2]),
                              Value::integer(f.heldQty),
                              Value::real(f.marketValue, cell[4]),
                              Value::real(f.floatingProfit, cell[5]),
                              Value::real(f.averagePrice, cell[6]),
                              Value::real(row.latestPrice, cell[7]),
                              Value::real(f.breakEvenPrice, cell[8]),
                              Value::real(f.returnRate, withoutPercentSign(cell[9])),
                              Value::integer(h.market),
                              Value::integer(h.boughtQty),
                              Value::integer(h.soldQty),
                              Value::integer(h.bonusQty),
                              Value::real(h.buyAmount),
                              Value::real(h.sellAmount),
                              Value::real(h.buyFee),
                              Value::real(h.sellFee),
                              Value::real(h.dividendAmount),
                              Value::real(f.realisedProfit),
                              Value::real(f.realisedRate),
                              Value::real(f.currentProfit),
                              Value::real(f.currentRate)});
    }
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

std::vector<Column> summaryColumns() {
    return {{"accountName"},    {"tradeType"},    {"netCashIn"},     {"investmentCost"},
            {"marketValue"},    {"cashBalance"},  {"totalAssets"},   {"holdingCount"},
            {"realisedProfit"}, {"realisedRate"}, {"currentProfit"}, {"currentRate"}};
}

int runSummary(CommandContext& c) {
    const AccountInfo* account = nullptr;
    if (const int code = openAccount(c, account); code != kExitOk) return code;
    const AccountSummary s = accountSummary(c.session.workspace(), *account);
    const Table table{
        summaryColumns(),
        {{Value::text(s.accountName), Value::text(s.tradeType), Value::real(s.netCashIn),
          Value::real(s.investmentCost), Value::real(s.marketValue), Value::real(s.cashBalance),
          Value::real(s.totalAssets), Value::integer(s.holdingCount), Value::real(s.realisedProfit),
          Value::real(s.realisedRate), Value::real(s.currentProfit), Value::real(s.currentRate)}}};
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

}  // namespace

Command ledgerCommand() {
    return {
        "ledger",
        "ACCOUNT",
        "list an account's ledger records",
        "Lists the account's ledger records in ledger order: market (0 深圳, 1 上海), date\n"
        "(YYYYMMDD), type code, kind as the window names it, stock code, quantity, price, fee,\n"
        "amount, cash sign (+1 in, -1 out, 0 none) and remark.",
        true,
        ledgerColumns,
        runLedger};
}

Command holdingsCommand() {
    return {"holdings",
            "ACCOUNT",
            "list an account's open positions",
            "Lists the account's open positions as the main window's holdings list shows them,\n"
            "with names and prices from --quotes. returnRate is a percentage. JSON rows also\n"
            "carry the position's sums and its realised and current profit, realisedRate and\n"
            "currentRate as fractions.",
            true,
            holdingsColumns,
            runHoldings};
}

Command summaryCommand() {
    return {
        "summary",
        "ACCOUNT",
        "show an account's totals",
        "Shows the account's properties: net cash paid in, investment cost, market value, cash\n"
        "balance, total assets, number of holdings, realised and current net profit and their\n"
        "rates as percentages. Open positions only, over the whole ledger.",
        true,
        summaryColumns,
        runSummary};
}

}  // namespace fiscora::cli
