#include "cli/import_command.h"

#include <utility>

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

// One row of the preview as printed: a line of the statement, or the reconciliation with
// the broker's balances as a last row of its own (outcome 对帐), so that the text and the
// JSON output both carry it.
struct PreviewLine {
    std::optional<ImportRow> row;
    std::string reconciliation;
};

// Each line of the statement: where it stands, what the import does with it, the record it
// books (empty for a skipped line) and why it is skipped or refused.
const RowFormat<PreviewLine>& previewFormat() {
    using L = const PreviewLine&;
    static const RowFormat<PreviewLine> format = [] {
        const Value none = Value::none();
        RowFormat<PreviewLine> f{{
            {{"line"},
             [none](L l) {
                 return l.row ? Value::integer(static_cast<std::int64_t>(l.row->entry.line)) : none;
             }},
            {{"outcome"},
             [](L l) { return Value::text(l.row ? outcomeText(l.row->outcome) : "对帐"); }},
            {{"action"}, [](L l) { return Value::text(l.row ? l.row->entry.action : ""); }},
            {{"name"}, [](L l) { return Value::text(l.row ? l.row->entry.name : ""); }},
        }};
        for (const auto& field : ledgerFormat().fields) {
            f.fields.push_back({field.column, [none, value = field.value](L l) {
                                    const auto& record = l.row ? l.row->entry.record : std::nullopt;
                                    return record ? value(*record) : none;
                                }});
        }
        f.fields.push_back({{"reason"}, [](L l) {
                                return Value::text(l.row ? l.row->reason : l.reconciliation);
                            }});
        return f;
    }();
    return format;
}

std::vector<Column> previewColumns() {
    return previewFormat().columns();
}

// The preview's rows written as each is made from the compact preview, in the one format
// asked for.
void writePreview(std::ostream& out, const ImportPreview& preview, OutputFormat format) {
    const RowFormat<PreviewLine>& rows = previewFormat();
    TableWriter writer(out, rows.columns(), format);
    for (std::size_t i = 0; i < preview.size(); ++i) rows.writeRow(writer, {preview.row(i), {}});
    if (const std::string text = preview.reconciliation.text(); !text.empty())
        rows.writeRow(writer, {std::nullopt, text});
    writer.end();
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
    writePreview(c.out, *prepared.preview, c.options.format);
    return true;
}

// --dry-run (without --yes, which it excludes) reads through the read-only session:
// nothing is created or written.
Opens importOpens(const CliOptions& options) {
    const auto& given = options.commandOptions;
    return given.contains(kDryRunOption) && !given.contains(kYesOption) ? Opens::Registry
                                                                        : Opens::Window;
}

int checkImport(CommandContext& c) {
    if (optionValue(c, kDryRunOption) != nullptr && optionValue(c, kYesOption) != nullptr)
        return usageError(c.err, "--dry-run and --yes exclude each other");
    return kExitOk;
}

int runDryRun(CommandContext& c) {
    const auto prepared = ui::prepareStatementImport(
        c.session.workspace(), *c.account, argument(c, "FILE"), mappingOf(c), importOptionsOf(c));
    return printPreview(c, prepared) ? kExitOk : kExitRefused;
}

int runImport(CommandContext& c) {
    if (c.window == nullptr) return runDryRun(c);
    ui::CommandContext& window = c.window->window().commands();
    const auto account = window.AccountGuard();
    if (!account) return kExitRefused;
    auto prepared = ui::prepareStatementImport(
        window.workspace(), account->info, argument(c, "FILE"), mappingOf(c), importOptionsOf(c));
    if (!printPreview(c, prepared)) return kExitRefused;
    if (optionValue(c, kYesOption) == nullptr) {
        c.err << "fiscora-cli: nothing booked; --yes books the lines marked 记入\n";
        return kExitRefused;
    }
    return ui::bookStatementImport(window, *account, std::move(*prepared.preview)) ? kExitOk
                                                                                   : kExitRefused;
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
        .run = {checkImport, runImport},
        .options = {{kMappingOption, "FILE", "a mapping file giving the statement's columns"},
                    {kCashAdjustmentsOption, "",
                     "book interest, tax and repo lines as 投入资金/划出资金"},
                    {kDryRunOption, "", "print the preview and exit 0, writing nothing"},
                    {kYesOption, "", "book the lines marked 记入"}},
        .opens = Opens::Window,
        .opensFor = importOpens,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
