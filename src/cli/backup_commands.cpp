#include "cli/backup_commands.h"

#include "cli/exit_codes.h"
#include "cli/window_session.h"
#include "engine/version_history.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

// A kept version and the name of the file it belongs to.
struct BackupRow {
    std::string file;
    VersionRow kept;
};

Value changeCount(const BackupRow& r, std::size_t RecordChanges::*n) {
    return r.kept.toNext ? Value::integer(static_cast<std::int64_t>((*r.kept.toNext).*n))
                         : Value::none();
}

const RowFormat<BackupRow>& backupFormat() {
    static const RowFormat<BackupRow> format{{
        {{"version"},
         [](const BackupRow& r) {
             return Value::integer(static_cast<std::int64_t>(r.kept.version.number));
         }},
        {{"time"},
         [](const BackupRow& r) {
             return Value::text(localTimeText(r.kept.version.writtenNs / 1000000000));
         }},
        {{"replaced"},
         [](const BackupRow& r) { return Value::text(localTimeText(r.kept.version.replacedAt)); }},
        {{"records"},
         [](const BackupRow& r) {
             return Value::integer(static_cast<std::int64_t>(r.kept.records));
         }},
        {{"added"}, [](const BackupRow& r) { return changeCount(r, &RecordChanges::added); }},
        {{"removed"}, [](const BackupRow& r) { return changeCount(r, &RecordChanges::removed); }},
        {{"edited"}, [](const BackupRow& r) { return changeCount(r, &RecordChanges::edited); }},
        {{"file"}, [](const BackupRow& r) { return Value::text(r.file); }},
    }};
    return format;
}

std::vector<Column> backupColumns() {
    return backupFormat().columns();
}

void addRows(Table& table, const std::string& path) {
    const std::string file = path.substr(path.rfind('/') + 1);
    for (VersionRow& kept : versionHistory(path))
        table.rows.push_back(backupFormat().values({file, std::move(kept)}));
}

int runBackups(CommandContext& c) {
    const std::vector<std::string>& args = c.options.arguments;
    if (args.size() > 1) {
        c.err << "fiscora-cli: backups takes at most one ACCOUNT\n";
        return kExitUsage;
    }
    Workspace& workspace = c.session.workspace();
    Table table{backupColumns(), {}};
    if (args.empty()) {
        addRows(table, registryPath(workspace.dataDirectory()));
        if (const auto fees = workspace.tradeParamFile()) addRows(table, *fees);
    } else {
        // The account is optional, so the runner cannot open it from the declaration.
        const AccountInfo* account = nullptr;
        if (const int code = c.session.openLedger(args[0], account); code != kExitOk) return code;
        addRows(table, ledgerPath(workspace.dataDirectory(), *account));
    }
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

int runRestore(CommandContext& c) {
    WindowSession& session = *c.window;
    if (optionValue(c, kYesOption) != nullptr)
        session.messages().answerYes();
    else
        session.messages().askOnTerminal();
    const Workspace& workspace = session.window().workspace();
    const std::string path =
        ledgerPath(workspace.dataDirectory(),
                   *findAccount(workspace.accounts, *utf8ToGbk(argument(c, "ACCOUNT"))));
    const FileStamp before = stampOf(path);
    session.run([&] { session.window().OnCommand(ui::command::kRestoreVersions); },
                {{"version", argument(c, "VERSION")}});
    if (stampOf(path) == before) return kExitRefused;
    // The newest version now is the ledger the restore replaced.
    const std::vector<VersionRow> history = versionHistory(path);
    Table table{backupColumns(), {}};
    if (!history.empty())
        table.rows.push_back(
            backupFormat().values({path.substr(path.rfind('/') + 1), history.back()}));
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

}  // namespace

Command backupsCommand() {
    return {
        .name = "backups",
        .arguments = "[ACCOUNT]",
        .summary = "list the kept versions of an account's ledger, or of the registry and fees",
        .description =
            "Every rewrite of a ledger, of the registry (pinfo.dat) or of the fee table\n"
            "(trdpara.dat) first keeps the file as it was, in .fiscora-backups beside it: the\n"
            "last 20 versions of each file, plus the last of each day for 30 days, at most\n"
            "1 GiB per file (oldest dropped first). With ACCOUNT (its password asked as for\n"
            "ledger), lists the versions of its ledger; without, those of the registry and the\n"
            "fee table. Oldest first: the last row of a file is the state before its latest\n"
            "write. time is when the version was written, replaced when it was replaced;\n"
            "added, removed and edited count the records that changed from it to the next\n"
            "version (the last: to the file as it is now).",
        .columns = backupColumns,
        .run = runBackups,
        .variableArguments = true,
    };
}

Command restoreCommand() {
    return {
        .name = "restore",
        .arguments = "ACCOUNT VERSION",
        .summary = "make a kept version the account's ledger again (writes the ledger)",
        .description =
            "Restores version VERSION of the account's ledger (see backups) as the window's\n"
            "帐户 -> 恢复… does: after the question, the version becomes the ledger byte for\n"
            "byte, and the ledger it replaces is kept as a version in turn, so the restore\n"
            "can itself be restored away. A version written under an earlier password gets\n"
            "the account's present password, so the account still opens with it. The question\n"
            "is answered Yes with --yes; without it, on a terminal it is asked there, and\n"
            "elsewhere the answer is No (nothing changes, exit code 1). Prints the version the\n"
            "restored ledger replaced.",
        .columns = backupColumns,
        .run = runRestore,
        .options = {{kYesOption, "", "answer the question Yes"}},
        .opens = Opens::Window,
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli
