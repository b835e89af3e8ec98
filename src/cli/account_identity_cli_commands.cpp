#include "cli/account_identity_cli_commands.h"

#include "cli/account_cli_commands.h"
#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "cli/window_session.h"
#include "records/gbk_text.h"
#include "ui/main/command_ids.h"

namespace fiscora::cli {
namespace {

// Runs a window command on the selected account with the dialog's entries, then prints the
// account's row under `shownName`.
int runOnAccount(CommandContext& c, const std::string& account, int commandId, ui::Entries entries,
                 const std::string& shownName) {
    WindowSession& session = *c.window;
    if (const int code = session.select(account); code != kExitOk) return code;
    if (const int code = session.run(commandId, std::move(entries)); code != kExitOk) return code;
    const AccountInfo* changed =
        findAccount(session.window().workspace().accounts, utf8ToGbk(shownName).value_or(""));
    if (changed == nullptr) return kExitRefused;
    writeTable(c.out, Table{accountColumns(), {accountRow(*changed)}}, c.options.format);
    return kExitOk;
}

// The password of OLD, asked before the window locks the folder.
int readRename(CommandContext& c, std::string& password) {
    return accountPassword(c.options.passwordFile, argument(c, "OLD"), c.err, password);
}

int runRenameAccount(CommandContext& c, std::string& password) {
    const std::string& newName = argument(c, "NEW");
    return runOnAccount(c, argument(c, "OLD"), ui::command::kRenameAccount,
                        {{"new-name", newName}, {"password", password}}, newName);
}

// The old and the new password, asked before the window locks the folder.
int readPasswordChange(CommandContext& c, ui::Entries& entries) {
    const std::string& name = argument(c, "ACCOUNT");
    std::string oldPassword;
    if (const int code = accountPassword(c.options.passwordFile, name, c.err, oldPassword);
        code != kExitOk)
        return code;
    NewPasswordSource source{std::nullopt, "--new-password-file", kNewPasswordVariable, "新密码: "};
    if (const std::string* file = optionValue(c, "--new-password-file")) source.file = *file;
    const NewPassword fresh = readNewPassword(source);
    if (!fresh.password) {
        c.err << "fiscora-cli: " << fresh.error << '\n';
        return kExitUsage;
    }
    entries = {{"old-password", oldPassword},
               {"new-password", *fresh.password},
               {"confirmation", fresh.confirmation}};
    return kExitOk;
}

int runChangePassword(CommandContext& c, ui::Entries& entries) {
    const std::string& name = argument(c, "ACCOUNT");
    return runOnAccount(c, name, ui::command::kChangePassword, std::move(entries), name);
}

// What protect and unprotect enter in the window's 修改密码: the password, kept, and the
// switch of 加强保护; asked before the window locks the folder.
int readProtection(CommandContext& c, ui::Entries& entries, bool on) {
    std::string password;
    if (const int code =
            accountPassword(c.options.passwordFile, argument(c, "ACCOUNT"), c.err, password);
        code != kExitOk)
        return code;
    entries = {{"old-password", password},
               {"new-password", password},
               {"confirmation", password},
               {"protection", on ? "1" : "0"}};
    return kExitOk;
}

int readProtect(CommandContext& c, ui::Entries& entries) {
    return readProtection(c, entries, true);
}

int readUnprotect(CommandContext& c, ui::Entries& entries) {
    return readProtection(c, entries, false);
}

}  // namespace

Command renameAccountCommand() {
    return {
        .name = "rename-account",
        .arguments = "OLD NEW",
        .summary = "rename an account (writes the data files)",
        .description =
            "Renames an account as the window's 修改帐号名 does: the same checks and messages,\n"
            "the registry rewritten and the ledger file renamed; a file of the new name is\n"
            "never replaced. The account's password comes from --password-file, else from\n"
            "the environment, else from the terminal. Prints the account's row.",
        .columns = accountColumns,
        .run = {readRename, runRenameAccount},
        .opens = Opens::Window,
    };
}

Command changePasswordCommand() {
    return {
        .name = "change-password",
        .arguments = "ACCOUNT",
        .summary = "give an account a new password (writes the data files)",
        .description =
            "Changes the password as the window's 修改密码 does: the old password is checked,\n"
            "the ledger file's header and the registry are rewritten, every record is kept.\n"
            "The old password comes from the usual password sources; the new one from\n"
            "--new-password-file, else FISCORA_NEW_PASSWORD, else typed twice on the\n"
            "terminal. Never from the command line. Prints the account's row.",
        .columns = accountColumns,
        .run = {readPasswordChange, runChangePassword},
        .options = {{"--new-password-file", "FILE", "file whose first line is the new password"}},
        .opens = Opens::Window,
    };
}

Command protectCommand() {
    return {
        .name = "protect",
        .arguments = "ACCOUNT",
        .summary = "turn on 加强保护 for an account (writes the data files)",
        .description =
            "Turns on 加强保护 as the window's 修改密码 does with its switch: the ledger file is\n"
            "enciphered with a key derived from the password (Argon2id, XChaCha20-Poly1305)\n"
            "and the registry keeps no password for the account. The original Windows program\n"
            "can no longer open it; the registry still shows its name. A forgotten password\n"
            "cannot be recovered. The password comes from the usual password sources. On an\n"
            "account already protected the ledger gets a new key. Prints the account's row.",
        .columns = accountColumns,
        .run = {readProtect, runChangePassword},
        .opens = Opens::Window,
    };
}

Command unprotectCommand() {
    return {
        .name = "unprotect",
        .arguments = "ACCOUNT",
        .summary = "turn off 加强保护 for an account (writes the data files)",
        .description =
            "Turns off 加强保护: the ledger file and the registry are written as for every\n"
            "other account again, with the same password, readable by the original program.\n"
            "The password comes from the usual password sources. Prints the account's row.",
        .columns = accountColumns,
        .run = {readUnprotect, runChangePassword},
        .opens = Opens::Window,
    };
}

}  // namespace fiscora::cli
