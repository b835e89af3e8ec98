#include "cli/record_commands.h"

#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/ledger_row.h"
#include "cli/list_files.h"
#include "cli/window_session.h"
#include "engine/record_editing.h"
#include "engine/record_identity.h"
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

// Opens the window, logs in to the account and checks INDEX against its ledger, and the
// record's identity against --id: a record another program changed, or that moved to
// another index since it was listed, is refused. The session's lock keeps it so until
// the command has written.
int openRecord(CommandContext& c, WindowSession& session, std::size_t& position) {
    const auto index = recordIndex(argument(c, "INDEX"));
    if (!index) return usage(c, "INDEX is a record's position in the ledger, from 1");
    if (const int code = openAccountWindow(c, session); code != kExitOk) return code;
    const Ledger& ledger = session.window().workspace().ledger;
    const std::string* identity = optionValue(c, kIdOption);
    if (*index >= ledger.size()) {
        if (identity != nullptr) return recordChanged(session);
        return usage(c,
                     argument(c, "ACCOUNT") + " has " + std::to_string(ledger.size()) + " records");
    }
    if (identity != nullptr && *identity != recordIdentity(ledger[*index]))
        return recordChanged(session);
    position = *index;
    return kExitOk;
}

// Options named as the editor's boxes.
const std::map<std::string, std::string>& editorBoxes() {
    static const std::map<std::string, std::string> boxes = {
        {"--date", "date"},         {"--code", "code"},   {"--market", "market"},
        {"--quantity", "quantity"}, {"--price", "price"}, {"--amount", "total"},
        {"--remark", "remark"}};
    return boxes;
}

// The boxes the record's kind keeps disabled may not be given.
std::string checkEditable(const CommandContext& c, const LedgerRecord& record) {
    const EditableBoxes boxes = editableBoxes(record.kind());
    const std::map<std::string, bool> editable = {{"--code", boxes.code},
                                                  {"--market", record.isStock()},
                                                  {"--quantity", boxes.quantity},
                                                  {"--price", boxes.price},
                                                  {"--amount", boxes.total}};
    for (const auto& [option, open] : editable) {
        if (!open && optionValue(c, option.c_str()) != nullptr)
            return option + " cannot change a record of the kind " + kindName(record.type);
    }
    return {};
}

int runEditRecord(CommandContext& c) {
    if (const std::string why = checkBoxEntries(c); !why.empty()) return usage(c, why);
    WindowSession session(c.options, c.err);
    std::size_t position = 0;
    if (const int code = openRecord(c, session, position); code != kExitOk) return code;
    ui::MainWindowModel& window = session.window();
    if (const std::string why = checkEditable(c, window.workspace().ledger[position]); !why.empty())
        return usage(c, why);
    ui::Entries entries;
    for (const auto& [option, value] : c.options.commandOptions)
        if (option != kIdOption) entries[editorBoxes().at(option)] = value;
    const auto account = window.AccountGuard();
    if (!account) return kExitRefused;
    const LedgerRecord before = window.workspace().ledger[position];
    const int code =
        session.run([&] { ui::editRecordInPlace(window, *account, position); }, std::move(entries));
    if (code != kExitOk) {
        if (session.refusal())
            c.err << "fiscora-cli: " << refusalText(*session.refusal(), account->name) << '\n';
        return code;
    }
    const LedgerRecord& edited = window.workspace().ledger[position];
    writeTable(c.out,
               Table{indexedLedgerColumns(),
                     {indexedLedgerRow(before, position), indexedLedgerRow(edited, position)}},
               c.options.format);
    return kExitOk;
}

int runDeleteRecord(CommandContext& c) {
    WindowSession session(c.options, c.err);
    std::size_t position = 0;
    if (const int code = openRecord(c, session, position); code != kExitOk) return code;
    if (optionValue(c, kYesOption) != nullptr) session.messages().answerYes();
    ui::MainWindowModel& window = session.window();
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

}  // namespace

Command editRecordCommand() {
    Command c{
        "edit-record",
        "ACCOUNT INDEX",
        "edit one ledger record (writes the ledger)",
        "Edits the record at INDEX (its position in the ledger from 1, as the ledger command\n"
        "prints it) as the window's 个人流水帐 修改 does: the record editor opens on it, the\n"
        "given boxes are changed in the order a user changes them (the code box left, the\n"
        "market picked, quantity and price typed, fee and total recomputed), and 修改 is\n"
        "pressed with the same checks and messages. A box the record's kind keeps disabled\n"
        "is bad usage (exit 2); a refusal prints the editor's message, exits with 1 and\n"
        "writes nothing. With --id (the id the ledger command printed) a record that is no\n"
        "longer the one listed at INDEX is refused (\"记录已被其他程序修改\", exit 1). An edit\n"
        "rewrites the ledger file and prints the record as it was, then as it is.",
        true,
        indexedLedgerColumns,
        runEditRecord};
    c.options = {{"--date", "YYYYMMDD", "trade date"},
                 {"--code", "C", "six-digit stock code (stock records)"},
                 {"--market", "M", marketChoices() + ", where the drop-down may be changed"},
                 {"--quantity", "Q", "number of shares"},
                 {"--price", "P", "price per share"},
                 {"--amount", "A", "the total (cash records)"},
                 {"--remark", "R", "remark, at most 99 GBK bytes"},
                 {kIdOption, "ID", "the record's id as listed; refused when it changed"}};
    c.writes = true;
    return c;
}

Command deleteRecordCommand() {
    Command c{
        "delete-record",
        "ACCOUNT INDEX",
        "delete one ledger record (writes the ledger)",
        "Deletes the record at INDEX (its position in the ledger from 1) as the window's\n"
        "个人流水帐 删除 does: the question \"此条记录将被删除，真的要删除吗?\" is answered No\n"
        "unless --yes is given, and a record later ones depend on is refused with the view's\n"
        "message. Either way the exit code is 1 and nothing is written. With --id a record\n"
        "that is no longer the one listed at INDEX is refused (\"记录已被其他程序修改\").\n"
        "A deletion rewrites the ledger file and prints the deleted record.",
        true,
        indexedLedgerColumns,
        runDeleteRecord};
    c.options = {{kYesOption, "", "answer the question with Yes"},
                 {kIdOption, "ID", "the record's id as listed; refused when it changed"}};
    c.writes = true;
    return c;
}

}  // namespace fiscora::cli
