#include "cli/import_command.h"

#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/usage.h"
#include "cli/window_session.h"
#include "ui/account/statement_import_command.h"

namespace fiscora::cli {
namespace {

constexpr const char* kDryRunOption = "--dry-run";
constexpr const char* kMappingOption = "--mapping";
constexpr const char* kCashAdjustmentsOption = "--include-cash-adjustments";

// Each line of the statement: where it stands, what the import does with it, the record it
// books (empty for a skipped line) and why it is skipped or refused.
std::vector<Column> previewColumns() {
    std::vector<Column> columns = {{"line"}, {"outcome"}, {"action"}, {"name"}};
    for (const Column& c : ledgerColumns()) columns.push_back(c);
    columns.push_back({"reason"});
    return columns;
}

std::vector<Value> previewRow(const ImportRow& row) {
    std::vector<Value> values = {Value::integer(static_cast<std::int64_t>(row.entry.line)),
                                 Value::text(outcomeText(row.outcome)),
                                 Value::text(row.entry.action), Value::text(row.entry.name)};
    if (row.entry.record) {
        for (Value& v : ledgerRow(*row.entry.record)) values.push_back(std::move(v));
    } else {
        values.resize(values.size() + ledgerColumns().size(), Value::none());
    }
    values.push_back(Value::text(row.reason));
    return values;
}

// The reconciliation with the broker's balances, as a last row of its own (outcome 对帐)
// so that the text and the JSON output both carry it.
std::vector<Value> reconciliationRow(const Reconciliation& reconciliation) {
    std::vector<Value> values = {Value::none(), Value::text("对帐"), Value::text(""),
                                 Value::text("")};
    values.resize(values.size() + ledgerColumns().size(), Value::none());
    values.push_back(Value::text(reconciliation.text()));
    return values;
}

Table previewTable(const ImportPreview& preview) {
    Table table{previewColumns(), {}};
    for (const ImportRow& row : preview.rows) table.rows.push_back(previewRow(row));
    if (!preview.reconciliation.text().empty())
        table.rows.push_back(reconciliationRow(preview.reconciliation));
    return table;
}

ImportOptions importOptionsOf(const CommandContext& c) {
    return {optionValue(c, kCashAdjustmentsOption) != nullptr};
}

std::optional<std::string> mappingOf(const CommandContext& c) {
    const std::string* mapping = optionValue(c, kMappingOption);
    return mapping != nullptr ? std::optional<std::string>(*mapping) : std::nullopt;
}

// Prints the preview, or the reason the statement could not be read.
bool printPreview(CommandContext& c, const ui::PreparedImport& prepared) {
    if (!prepared.preview) {
        c.err << "fiscora-cli: " << prepared.error << '\n';
        return false;
    }
    writeTable(c.out, previewTable(*prepared.preview), c.options.format);
    return true;
}

// --dry-run reads through the read-only session: nothing is created or written.
int runDryRun(CommandContext& c) {
    if (const int code = c.session.open(); code != kExitOk) return code;
    const AccountInfo* account = nullptr;
    if (const int code = openAccount(c, account); code != kExitOk) return code;
    const auto prepared = ui::prepareStatementImport(
        c.session.workspace(), *account, argument(c, "FILE"), mappingOf(c), importOptionsOf(c));
    return printPreview(c, prepared) ? kExitOk : kExitRefused;
}

int runImport(CommandContext& c) {
    const bool yes = optionValue(c, kYesOption) != nullptr;
    if (optionValue(c, kDryRunOption) != nullptr) {
        if (yes) return usageError(c.err, "--dry-run and --yes exclude each other");
        return runDryRun(c);
    }
    WindowSession session(c.options, c.err);
    if (const int code = openAccountWindow(c, session); code != kExitOk) return code;
    ui::CommandContext& window = session.window().commands();
    const auto account = window.AccountGuard();
    if (!account) return kExitRefused;
    const auto prepared = ui::prepareStatementImport(
        window.workspace(), account->info, argument(c, "FILE"), mappingOf(c), importOptionsOf(c));
    if (!printPreview(c, prepared)) return kExitRefused;
    if (!yes) {
        c.err << "fiscora-cli: nothing booked; --yes books the lines marked 记入\n";
        return kExitRefused;
    }
    return ui::bookStatementImport(window, *account, *prepared.preview) ? kExitOk : kExitRefused;
}

}  // namespace

Command importCommand() {
    return {
        .name = "import",
        .arguments = "ACCOUNT FILE",
        .summary = "import a broker's statement (writes the ledger with --yes)",
        .description =
            "Reads a broker's statement (交割单, 对账单 or 资金流水 exported as CSV or\n"
            "tab-separated text in GBK, UTF-8 or UTF-16, or as an .xls/.xlsx workbook) as the\n"
            "window's 导入交割单 does and prints every line with what the import does with it:\n"
            "记入 (booked), 重复 (already in the ledger), 跳过 (not a trade, or unreadable) or\n"
            "拒绝 (a sale beyond the shares held, or cash below zero), with the reason. The\n"
            "broker's own cash is kept: a trade's fee is what separates 发生金额 from 成交金额.\n"
            "When the statement gives 资金余额 or 股份余额, a last row (outcome 对帐) compares\n"
            "the ledger with them: 对帐：资金相符, or 资金差 X 元, and each stock that differs.\n"
            "Interest, tax and repo lines are skipped with their cash effect in the reason;\n"
            "--include-cash-adjustments books them as 投入资金/划出资金 with the line's text\n"
            "as remark.\n"
            "\n"
            "The header row is found by its column names (成交日期/交收日期/发生日期...,\n"
            "操作/买卖标志/业务名称/摘要..., 证券代码, 成交数量/发生数量...). A layout the\n"
            "program does not know is described by a mapping file: UTF-8 or GBK text, one\n"
            "\"key = header texts\" a line (= or ＝, texts separated by , or ，, # starts a\n"
            "comment). Column keys: 日期 代码 名称 业务 数量 价格 (required), 成交金额 费用\n"
            "费用合计 发生金额 市场 资金余额 股份余额; kind keys 买入股票 卖出股票 股票分红\n"
            "送股 配股 投入资金 划出资金 add business texts; 格式 names the layout. Example:\n"
            "  格式 = 某券商对账单\n"
            "  日期 = 交收日期\n"
            "  代码 = 股票代码\n"
            "  业务 = 业务类型\n"
            "  数量 = 股数\n"
            "  价格 = 价格\n"
            "  发生金额 = 清算金额\n"
            "  费用 = 佣金，规费，印花税\n"
            "  买入股票 = 担保品买入\n"
            "--mapping FILE reads the statement with that mapping only. Without it, every *.txt\n"
            "of the folder 交割单映射 beside the data folder (one per broker) and the data\n"
            "folder's 交割单映射.txt are tried, the first whose columns the header names is\n"
            "used, else the built-in recognition. Only --yes books the lines marked 记入, all in\n"
            "one rewrite of the ledger file; without it the exit code is 1 and nothing is\n"
            "written. --dry-run only prints, reading the files without creating or changing any.",
        .columns = previewColumns,
        .run = runImport,
        .options = {{kMappingOption, "FILE", "a mapping file giving the statement's columns"},
                    {kCashAdjustmentsOption, "",
                     "book interest, tax and repo lines as 投入资金/划出资金"},
                    {kDryRunOption, "", "print the preview and exit 0, writing nothing"},
                    {kYesOption, "", "book the lines marked 记入"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
