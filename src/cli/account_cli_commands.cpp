#include "cli/account_cli_commands.h"

#include <cmath>
#include <optional>

#include "cli/dialog_options.h"
#include "cli/entry_checks.h"
#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "cli/window_session.h"
#include "engine/account_protection.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "store/ledger_digests.h"
#include "store/ledger_file.h"
#include "ui/account/new_account_dialog.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

int runAccounts(CommandContext& c) {
    accountFormat().writeAll(c.out, c.session.workspace().accounts, c.options.format);
    return kExitOk;
}

// The dialog's fields, as the user would fill them, the password and its confirmation
// as typed.
int readNewAccount(CommandContext& c, ui::Entries& entries) {
    const std::string& name = argument(c, "NAME");
    entries = {{"name", name},
               {"trade-type", *optionValue(c, "--trade-type")},
               {"capital", *optionValue(c, "--capital")}};
    if (const std::string* remark = optionValue(c, "--remark")) entries["remark"] = *remark;
    const std::string& tradeType = entries["trade-type"];
    if (findTradeType(tradeType) == nullptr) {
        c.err << "fiscora-cli: --trade-type takes " << choiceText(tradeTypeTexts()) << '\n';
        return kExitUsage;
    }
    if (const std::string why = checkBoxEntries(c); !why.empty()) {
        c.err << "fiscora-cli: " << why << '\n';
        return kExitUsage;
    }
    const NewPassword typed = readNewPassword({c.options.passwordFile, "--password-file",
                                               kPasswordVariable, "新帐户" + name + "的密码: "});
    if (!typed.password) {
        c.err << "fiscora-cli: " << typed.error << '\n';
        return kExitUsage;
    }
    entries["password"] = *typed.password;
    entries["confirmation"] = typed.confirmation;
    return kExitOk;
}

int runCreateAccount(CommandContext& c, ui::Entries& entries) {
    if (const std::string* date = optionValue(c, "--date")) {
        const std::int32_t day = *calendarDate(*date);
        c.window->window().workspace().today = [day] { return day; };
    }
    if (const int code = c.window->run(ui::command::kNewAccount, entries); code != kExitOk)
        return code;
    const AccountInfo* created = findAccount(c.window->window().workspace().accounts,
                                             utf8ToGbk(argument(c, "NAME")).value_or(""));
    if (created == nullptr) return kExitRefused;
    writeTable(c.out, Table{accountColumns(), {accountRow(*created)}}, c.options.format);
    return kExitOk;
}

// One account's ledger file as verify found it.
struct VerifiedLedger {
    const AccountInfo& account;
    LedgerStatus status;
    std::size_t records;
    bool finite;  // every figure of every record a finite number
    // An unprotected ledger's records against the digest this program kept when it last
    // wrote the file: "same", "changed", or empty when none was kept (or protected).
    std::string digest;
};

const char* statusName(LedgerStatus status);

// Whether a record's price, fee and amount are finite: no booking makes one that is not, an
// import of a hostile statement once did.
bool hasFiniteFigures(const LedgerRecord& r) {
    return std::isfinite(r.price) && std::isfinite(r.fee) && std::isfinite(r.amount);
}

const RowFormat<VerifiedLedger>& verifyFormat() {
    using V = const VerifiedLedger&;
    static const RowFormat<VerifiedLedger> format{{
        {{"name"}, [](V v) { return Value::text(fieldText(v.account.name)); }},
        {{"status"},
         [](V v) { return Value::text(v.finite ? statusName(v.status) : "nonfinite"); }},
        {{"records"}, [](V v) { return Value::integer(static_cast<std::int64_t>(v.records)); }},
        {{"digest"}, [](V v) { return Value::text(v.digest); }},
    }};
    return format;
}

std::vector<Column> verifyColumns() {
    return verifyFormat().columns();
}

// What a ledger file's state is called in the output. A file that cannot be opened, or
// an account name that cannot be a file name, leaves no ledger to read: "missing".
const char* statusName(LedgerStatus status) {
    switch (status) {
    case LedgerStatus::Ok: return "ok";
    case LedgerStatus::Damaged: return "damaged";
    case LedgerStatus::Tampered: return "tampered";
    case LedgerStatus::PartialRecord: return "partial";
    case LedgerStatus::Locked: return "locked";
    case LedgerStatus::Missing:
    case LedgerStatus::CannotOpen:
    case LedgerStatus::UnsafeName: break;
    }
    return "missing";
}

// A protected account's ledger can only be checked with its key: its password comes from
// the usual sources. Ok once the key is there, else what the row shows instead.
LedgerStatus unlockForVerify(CommandContext& c, const AccountInfo& a) {
    const std::string name = fieldText(a.name);
    const PasswordResult typed = readPassword(c.options.passwordFile, "帐户" + name + "的密码: ");
    if (!typed.password) {
        c.err << "fiscora-cli: " << name
              << " is protected and can only be checked with its password (" << typed.error
              << ")\n";
        return LedgerStatus::Locked;
    }
    switch (checkAccountPassword(c.session.workspace(), a, *typed.password)) {
    case PasswordCheck::Right: return LedgerStatus::Ok;
    case PasswordCheck::Wrong: c.err << "fiscora-cli: " << name << ": 密码错误\n"; break;
    case PasswordCheck::Tampered: return LedgerStatus::Tampered;
    case PasswordCheck::Refused: return LedgerStatus::Missing;
    }
    return LedgerStatus::Locked;
}

int runVerify(CommandContext& c) {
    Workspace& ws = c.session.workspace();
    TableWriter table(c.out, verifyColumns(), c.options.format);
    bool allOk = true;
    for (const AccountInfo& a : ws.accounts) {
        if (const LedgerStatus unlocked = isProtected(a) ? unlockForVerify(c, a) : LedgerStatus::Ok;
            unlocked != LedgerStatus::Ok) {
            allOk = false;
            verifyFormat().writeRow(table, {a, unlocked, 0, true, {}});
            continue;
        }
        // Each refusal shows the ledger file's own message on stderr. The records are
        // counted a run at a time, so a ledger of any size takes little memory.
        std::size_t records = 0;
        std::optional<std::size_t> nonFinite;  // the first record whose figures are not finite
        std::vector<ByteDigest> runs;
        const LedgerStatus status =
            scanLedger(ws.ledgerStore(), a, [&](const LedgerRecord* run, std::size_t n) {
                for (std::size_t i = 0; i < n && !nonFinite; ++i)
                    if (!hasFiniteFigures(run[i])) nonFinite = records + i;
                records += n;
                runs.push_back(digestOf(run, n * sizeof(LedgerRecord)));
            });
        std::string digest;
        const std::string fileName = fieldText(a.name) + kLedgerSuffix;
        const auto kept = recordedLedgerDigest(ws.dataDirectory(), fileName);
        if (kept && isLoaded(status) && !isProtected(a)) {
            digest = *kept == ledgerRecordsDigest(runs) ? "same" : "changed";
            if (digest == "changed")
                c.err << "fiscora-cli: " << ledgerPath(ws.dataDirectory(), a)
                      << " changed since this program last wrote it (another program may have "
                         "written it)\n";
        }
        if (status == LedgerStatus::PartialRecord)
            c.err << "fiscora-cli: " << ledgerPath(ws.dataDirectory(), a)
                  << " ends in a partial record, which the next booking leaves out\n";
        if (nonFinite)
            c.err << "fiscora-cli: " << ledgerPath(ws.dataDirectory(), a) << " record "
                  << *nonFinite + 1 << " has a figure that is not a finite number\n";
        allOk = allOk && status == LedgerStatus::Ok && !nonFinite;
        verifyFormat().writeRow(table,
                                {a, status, isLoaded(status) ? records : 0, !nonFinite, digest});
    }
    table.end();
    return allOk ? kExitOk : kExitRefused;
}

}  // namespace

const RowFormat<AccountInfo>& accountFormat() {
    using A = const AccountInfo&;
    static const RowFormat<AccountInfo> format{{
        {{"name"}, [](A a) { return Value::text(fieldText(a.name)); }},
        {{"tradeType"}, [](A a) { return Value::text(fieldText(a.tradeType)); }},
        {{"initialCapital"}, [](A a) { return Value::real(a.initialCapital); }},
        {{"createdDate"}, [](A a) { return Value::integer(a.createdDate); }},
        {{"remark"}, [](A a) { return Value::text(fieldText(a.remark)); }},
    }};
    return format;
}

std::vector<Column> accountColumns() {
    return accountFormat().columns();
}

std::vector<Value> accountRow(const AccountInfo& a) {
    return accountFormat().values(a);
}

Command accountsCommand() {
    return {
        .name = "accounts",
        .arguments = "",
        .summary = "list the accounts",
        .description =
            "Lists every account of the registry in its order: name, trade type, initial capital,\n"
            "creation date (YYYYMMDD) and remark. Passwords are never shown.",
        .columns = accountColumns,
        .run = runAccounts,
    };
}

Command verifyCommand() {
    return {
        .name = "verify",
        .arguments = "",
        .summary = "check every account's ledger file",
        .description =
            "Reads each account's ledger file and checks its header against the registry's\n"
            "password. One row per account: status ok, missing (no readable file), damaged\n"
            "(too short to hold its header, or beyond the format's size), tampered (the header\n"
            "does not match), partial (the file ends in a piece of a record) or nonfinite (a\n"
            "record's price, fee or amount is infinite or not a number), and the number\n"
            "of whole records read (0 when refused). The file's own message goes to stderr.\n"
            "A protected account (加强保护) is checked with its password from the usual\n"
            "sources: tampered when any byte of its file changed, locked when no password\n"
            "or a wrong one was given. digest: for an unprotected ledger, same or changed\n"
            "when its records are or are not those this program last wrote (kept beside the\n"
            "data folder in FOLDER.fiscora-digests; a changed ledger is still read and is not\n"
            "a failure), empty when no digest was kept.\n"
            "Exits with 1 when any account is not ok.",
        .columns = verifyColumns,
        .run = runVerify,
    };
}

namespace {

// The dialog's boxes but the name (the argument) and the passwords. The trade type, which
// the dialog starts on its first entry, is said on the command line.
std::vector<CommandOption> newAccountOptions() {
    std::vector<CommandOption> options = commandOptions(
        fieldOptionsOf([](Messages& m) { return ui::NewAccountDialog(m); }, {"name"}));
    for (CommandOption& o : options) o.required = o.required || o.name == "--trade-type";
    options.push_back(
        {"--date", "YYYYMMDD", "creation day and day of the opening deposit, default today"});
    return options;
}

}  // namespace

Command createAccountCommand() {
    return {
        .name = "create-account",
        .arguments = "NAME",
        .summary = "create an account (writes the data files)",
        .description =
            "Creates an account as the window's 新建帐户 does: the same checks and messages,\n"
            "the registry rewritten, and a ledger file holding the opening deposit of the\n"
            "initial capital, on the day --date gives or today. The password comes from\n"
            "--password-file, else from the environment, else it is typed twice on the\n"
            "terminal; two entries that differ are refused as the dialog refuses them.\n"
            "Prints the new account's row. Missing files and folders are created, as the\n"
            "window creates them.",
        .columns = accountColumns,
        .run = {readNewAccount, runCreateAccount},
        .options = newAccountOptions(),
        .opens = Opens::Window,
    };
}

}  // namespace fiscora::cli
