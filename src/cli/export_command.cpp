#include "cli/export_command.h"

#include <filesystem>

#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "engine/journal_export.h"
#include "host/module_state.h"
#include "store/safe_file.h"

namespace fiscora::cli {
namespace {

std::vector<Column> noColumns() {
    return {};
}

// The text of the format asked for; the reason when it cannot be written.
std::string exportText(const CommandContext& c, const std::string& format, std::string& text) {
    if (format == "csv") {
        text = ledgerCsv(c.session.workspace().ledger);
        return {};
    }
    const std::optional<std::string> hostDirectory =
        c.options.hostDirectory ? c.options.hostDirectory : currentDirectory();
    if (!hostDirectory) return "找不到当前路径！";
    JournalText journal =
        journalText(c.session.workspace().ledger,
                    format == "hledger" ? JournalFormat::Hledger : JournalFormat::Beancount,
                    *hostDirectory, c.services.today());
    text = std::move(journal.text);
    return journal.refusal;
}

int runExport(CommandContext& c) {
    const std::string& format = *optionValue(c, "--format");
    if (format != "hledger" && format != "beancount" && format != "csv")
        return usageError(c.err, "--format takes hledger, beancount or csv");
    if (format != "csv" && c.options.hostDirectory) {
        // A mistyped folder would leave every price out.
        std::error_code error;
        if (!std::filesystem::is_directory(*c.options.hostDirectory, error))
            return usageError(c.err, "--host-dir " + *c.options.hostDirectory + " is not a folder");
    }
    const AccountInfo* account = nullptr;
    if (const int code = openAccount(c, account); code != kExitOk) return code;
    std::string text;
    if (const std::string why = exportText(c, format, text); !why.empty()) {
        c.err << "fiscora-cli: " << argument(c, "ACCOUNT") << ": " << why << '\n';
        return kExitRefused;
    }
    const std::string* output = optionValue(c, "--output");
    if (output == nullptr) {
        c.out << text;
        return kExitOk;
    }
    const WriteResult written = replaceFile(*output, Bytes(text.begin(), text.end()));
    if (!written) {
        c.err << "fiscora-cli: cannot write " << *output << failureReason(written.error) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

Command exportCommand() {
    Command c{"export",
              "ACCOUNT",
              "write an account's ledger as an hledger or beancount journal, or CSV",
              "Writes the account's ledger for plain-text accounting tools, UTF-8, one\n"
              "transaction per record in the ledger's order: the cash in assets:broker:cash,\n"
              "each stock as a commodity of its own (SZ or SH and its code, as SZ000002) in\n"
              "assets:broker:SZ000002, fees in expenses:fees, dividends in income:dividends,\n"
              "deposits and withdrawals against equity:transfers, anything else against\n"
              "income:other; money in CNY to 0.001. Each traded stock's daily closes from its\n"
              "bar files below --host-dir, from the earliest record up to today, follow as\n"
              "prices, so that `hledger roi --inv assets:broker --pnl 'income|expenses' -V`\n"
              "measures the account. --format csv writes the ledger's columns instead (RFC\n"
              "4180). A ledger with a record dated on no calendar day, or a stock code of other\n"
              "characters than letters and digits, is refused. The text goes to standard output,\n"
              "or with --output into that file, replaced whole or not at all.",
              true,
              noColumns,
              runExport};
    c.options = {{"--format", "hledger|beancount|csv", "the kind of file", true},
                 {"--output", "FILE", "write into this file instead of standard output"}};
    return c;
}

}  // namespace fiscora::cli
