#include "cli/record_commands.h"

#include "cli/dialog_options.h"
#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/list_files.h"
#include "cli/window_session.h"
#include "engine/record_identity.h"
#include "ui/records/edit_record_dialog.h"
#include "ui/records/ledger_record_actions.h"

namespace fiscora::cli {
namespace {

// The INDEX argument: a record's position in the ledger, counted from 1.
std::optional<std::size_t> recordIndex(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t index = std::stoul(text);
    if (index == 0) return std::nullopt;
    return index - 1;
}

int usage(CommandContext& c, const std::string& why) {
    c.err << "fiscora-cli: " << why << '\n';
    return kExitUsage;
}

constexpr const char* kIdOption = "--id";

int recordChanged(WindowSession& session) {
    session.messages().plain("记录已被其他程序修改");
    return kExitRefused;
}

// The record's position in the ledger, from the INDEX argument.
int readPosition(CommandContext& c, std::size_t& position) {
    const auto index = recordIndex(argument(c, "INDEX"));
    if (!index) return usage(c, "INDEX is a record's position in the ledger, from 1");
    position = *index;
    return kExitOk;
}

// Checks the position against the ledger the window opened, and the record's identity
// against --id: a record another program changed, or that moved to another index since it
// was listed, is refused. The session's lock keeps it so until the command has written.
int checkRecord(CommandContext& c, std::size_t position) {
    WindowSession& session = *c.window;
    const Ledger& ledger = session.window().workspace().ledger;
    const std::string* identity = optionValue(c, kIdOption);
    if (position >= ledger.size()) {
        if (identity != nullptr) return recordChanged(session);
        return usage(c,
                     argument(c, "ACCOUNT") + " has " + std::to_string(ledger.size()) + " records");
    }
    if (identity != nullptr && *identity != recordIdentity(ledger[position]))
        return recordChanged(session);
    return kExitOk;
}

int readEditRecord(CommandContext& c, std::size_t& position) {
    if (const std::string why = checkBoxEntries(c); !why.empty()) return usage(c, why);
    return readPosition(c, position);
}

int runEditRecord(CommandContext& c, std::size_t& position) {
    if (const int code = checkRecord(c, position); code != kExitOk) return code;
    WindowSession& session = *c.window;
    ui::CommandContext& window = session.window().commands();
    // Every option fills the editor's box of its name.
    ui::Entries entries;
    for (const auto& [option, value] : c.options.commandOptions)
        if (option != kIdOption) entries[option.substr(2)] = value;
    const auto account = window.AccountGuard();
    if (!account) return kExitRefused;
    const LedgerRecord before = window.workspace().ledger[position];
    const int code = session.run(
        [&] { ui::editRecordInPlace(window.workspace(), window.dialogs(), *account, position); },
        std::move(entries));
    if (code != kExitOk) {
        if (!session.refusal()) return code;
        c.err << "fiscora-cli: " << refusalText(*session.refusal(), account->name) << '\n';
        return refusalExitCode(*session.refusal());
    }
    const LedgerRecord& edited = window.workspace().ledger[position];
    writeTable(c.out,
               Table{indexedLedgerColumns(),
                     {indexedLedgerRow(before, position), indexedLedgerRow(edited, position)}},
               c.options.format);
    return kExitOk;
}

int runDeleteRecord(CommandContext& c, std::size_t& position) {
    if (const int code = checkRecord(c, position); code != kExitOk) return code;
    WindowSession& session = *c.window;
    if (optionValue(c, kYesOption) != nullptr) session.messages().answerYes();
    ui::CommandContext& window = session.window().commands();
    const auto account = window.AccountGuard();
    if (!account) return kExitRefused;
    const LedgerRecord record = window.workspace().ledger[position];
    if (ui::deleteRecordAsked(window.workspace(), *account, position) !=
        ui::RecordDeletion::Deleted)
        return kExitRefused;
    writeTable(c.out, Table{indexedLedgerColumns(), {indexedLedgerRow(record, position)}},
               c.options.format);
    return kExitOk;
}

// The editor's boxes, as it is made for a record, then --id.
std::vector<CommandOption> editorOptions() {
    const Ledger ledger;
    const TradeParamTable fees;
    std::vector<CommandOption> options = commandOptions(fieldOptionsOf(
        [&](Messages& m) { return ui::EditRecordDialog(m, "", "", ledger, 0, fees); }));
    options.push_back({kIdOption, "ID", "the record's id as listed; refused when it changed"});
    return options;
}

}  // namespace

Command editRecordCommand() {
    return {
        .name = "edit-record",
        .arguments = "ACCOUNT INDEX",
        .summary = "edit one ledger record (writes the ledger)",
        .description =
            "Edits the record at INDEX (its position in the ledger from 1, as the ledger command\n"
            "prints it) as the window's 个人流水帐 修改 does: the record editor opens on it, the\n"
            "given boxes are changed in the order a user changes them (the code box left, the\n"
            "market picked, quantity and price typed, fee and total recomputed), and 修改 is\n"
            "pressed with the same checks and messages. A box the record's kind keeps disabled\n"
            "is bad usage (exit 2); a refusal prints the editor's message, exits with 1 and\n"
            "writes nothing. With --id (the id the ledger command printed) a record that is no\n"
            "longer the one listed at INDEX is refused (\"记录已被其他程序修改\", exit 1). An "
            "edit\n"
            "rewrites the ledger file and prints the record as it was, then as it is.",
        .columns = indexedLedgerColumns,
        .run = {readEditRecord, runEditRecord},
        .options = editorOptions(),
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

Command deleteRecordCommand() {
    return {
        .name = "delete-record",
        .arguments = "ACCOUNT INDEX",
        .summary = "delete one ledger record (writes the ledger)",
        .description =
            "Deletes the record at INDEX (its position in the ledger from 1) as the window's\n"
            "个人流水帐 删除 does: the question \"此条记录将被删除，真的要删除吗?\" is answered "
            "No\n"
            "unless --yes is given, and a record later ones depend on is refused with the view's\n"
            "message. Either way the exit code is 1 and nothing is written. With --id a record\n"
            "that is no longer the one listed at INDEX is refused (\"记录已被其他程序修改\").\n"
            "A deletion rewrites the ledger file and prints the deleted record.",
        .columns = indexedLedgerColumns,
        .run = {readPosition, runDeleteRecord},
        .options = {{kYesOption, "", "answer the question with Yes"},
                    {kIdOption, "ID", "the record's id as listed; refused when it changed"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
