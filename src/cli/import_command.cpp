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
        values.resize(values.size() + ledgerColumns().size(), Value{"", "null"});
    }
    values.push_back(Value::text(row.reason));
    return values;
}

Table previewTable(const ImportPreview& preview) {
    Table table{previewColumns(), {}};
    for (const ImportRow& row : preview.rows) table.rows.push_back(previewRow(row));
    return table;
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
    const auto prepared = ui::prepareStatementImport(c.session.workspace(), *account,
                                                     argument(c, "FILE"), mappingOf(c));
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
    const auto prepared = ui::prepareStatementImport(window.workspace(), account->info,
                                                     argument(c, "FILE"), mappingOf(c));
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
            "Reads a broker's statement (交割单 or 对账单 exported as CSV or tab-separated text,\n"
            "GBK or UTF-8) as the window's 导入交割单 does and prints every line with what the\n"
            "import does with it: 记入 (booked), 重复 (already in the ledger), 跳过 (not a trade,\n"
            "or unreadable) or 拒绝 (a sale beyond the shares held, or cash below zero), with the\n"
            "reason. The broker's own fees and amounts are kept. The header row is found by its\n"
            "column names in the built-in layouts, or in the layout of --mapping FILE. Only --yes\n"
            "books the lines marked 记入, all in one rewrite of the ledger file; without it the\n"
            "exit code is 1 and nothing is written. --dry-run only prints, reading the files\n"
            "without creating or changing any.",
        .columns = previewColumns,
        .run = runImport,
        .options = {{kMappingOption, "FILE", "the column layout of the statement (see README)"},
                    {kDryRunOption, "", "print the preview and exit 0, writing nothing"},
                    {kYesOption, "", "book the lines marked 记入"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
