#include "cli/export_command.h"

#include "cli/bar_folder.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "engine/journal_export.h"
#include "store/safe_file.h"

namespace fiscora::cli {
namespace {

std::vector<Column> noColumns() {
    return {};
}

// The text of the format asked for, a journal's prices from the bar files below `barFolder`;
// the reason when it cannot be written.
std::string exportText(const CommandContext& c, const std::string& format,
                       const std::string& barFolder, std::string& text) {
    if (format == "csv") {
        text = ledgerCsv(c.session.workspace().ledger);
        return {};
    }
    JournalText journal =
        journalText(c.session.workspace().ledger,
                    format == "hledger" ? JournalFormat::Hledger : JournalFormat::Beancount,
                    barFolder, c.services.today());
    text = std::move(journal.text);
    return journal.refusal;
}

// The folder of the bar files, which a journal values its holdings by.
int readExport(CommandContext& c, std::string& hostDirectory) {
    const std::string& format = *optionValue(c, "--format");
    if (format != "hledger" && format != "beancount" && format != "csv")
        return usageError(c.err, "--format takes hledger, beancount or csv");
    return format != "csv" ? barFolder(c, hostDirectory) : kExitOk;
}

int runExport(CommandContext& c, std::string& hostDirectory) {
    const std::string& format = *optionValue(c, "--format");
    std::string text;
    if (const std::string why = exportText(c, format, hostDirectory, text); !why.empty()) {
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
    return {
        .name = "export",
        .arguments = "ACCOUNT",
        .summary = "write an account's ledger as an hledger or beancount journal, or CSV",
        .description =
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
        .columns = noColumns,
        .run = {readExport, runExport},
        .options = {{"--format", "hledger|beancount|csv", "the kind of file", true},
                    {"--output", "FILE", "write into this file instead of standard output"}},
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
