#include "cli/account_commands.h"

#include "cli/exit_codes.h"
#include "store/gbk_text.h"
#include "store/ledger_file.h"

namespace fiscora::cli {
namespace {

std::vector<Column> accountColumns() {
    return {{"name"}, {"tradeType"}, {"initialCapital"}, {"createdDate"}, {"remark"}};
}

int runAccounts(CommandContext& c) {
    Table table{accountColumns(), {}};
    for (const AccountInfo& a : c.session.workspace().accounts) {
        table.rows.push_back({Value::text(fieldText(a.name)), Value::text(fieldText(a.tradeType)),
                              Value::real(a.initialCapital), Value::integer(a.createdDate),
                              Value::text(fieldText(a.remark))});
    }
    writeTable(c.out, table, c.options.format);
    return kExitOk;
}

std::vector<Column> verifyColumns() { return {{"name"}, {"status"}, {"records"}}; }

// What a ledger file's state is called in the output. A file that cannot be opened, or
// an account name that cannot be a file name, leaves no ledger to read: "missing".
const char* statusName(LedgerStatus status) {
    switch (status) {
        case LedgerStatus::Ok: return "ok";
        case LedgerStatus::Damaged: return "damaged";
        case LedgerStatus::Tampered: return "tampered";
        case LedgerStatus::Missing:
        case LedgerStatus::CannotOpen:
        case LedgerStatus::UnsafeName: break;
    }
    return "missing";
}

int runVerify(CommandContext& c) {
    Workspace& ws = c.session.workspace();
    Table table{verifyColumns(), {}};
    bool allOk = true;
    for (const AccountInfo& a : ws.accounts) {
        // Each refusal shows the ledger file's own message on stderr.
        Ledger ledger;
        const LedgerStatus status = loadLedger(ws.ledgerStore(), a, ledger);
        allOk = allOk && status == LedgerStatus::Ok;
        table.rows.push_back({Value::text(fieldText(a.name)), Value::text(statusName(status)),
                              Value::integer(static_cast<std::int64_t>(ledger.size()))});
    }
    writeTable(c.out, table, c.options.format);
    return allOk ? kExitOk : kExitRefused;
}

}  // namespace

Command accountsCommand() {
    return {"accounts", "", "list the accounts",
            "Lists every account of the registry in its order: name, trade type, initial capital,\n"
            "creation date (YYYYMMDD) and remark. Passwords are never shown.",
            false, accountColumns, runAccounts};
}

Command verifyCommand() {
    return {"verify", "", "check every account's ledger file",
            "Reads each account's ledger file and checks its header against the registry's\n"
            "password. One row per account: status ok, missing (no readable file), damaged\n"
            "(too short to hold its header) or tampered (the header does not match), and the\n"
            "number of records read (0 when refused). The file's own message goes to stderr.\n"
            "Exits with 1 when any account is not ok.",
            false, verifyColumns, runVerify};
}

}  // namespace fiscora::cli
