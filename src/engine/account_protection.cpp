#include "engine/account_protection.h"

#include "engine/change_steps.h"
#include "records/gbk_text.h"
#include "store/crash_point.h"
#include "store/file_backups.h"

namespace fiscora {
namespace {

constexpr const char* kNoMemory = "内存不足，不能计算加强保护的密钥。";

// Drops every kept version of the ledger: once it is protected, they are the readable files
// protection is meant to hide (the file being replaced as the last of them).
void dropKeptVersions(const std::string& path) {
    for (const FileVersion& version : versionsOf(path)) dropVersion(version);
}

// Replaces the ledger file of `account` by one written as `after` is registered (with
// `key` when protected), then the registry entry by `after`.
bool switchProtection(Workspace& workspace, AccountInfo& account, const AccountInfo& after,
                      const LedgerKey* key, ChangeIntent::Kind kind) {
    Messages& messages = workspace.messages();
    const std::string& folder = workspace.dataDirectory();
    Ledger records;
    if (!isLoaded(loadLedger(workspace.ledgerStore(), account, records))) return false;
    const std::string path = ledgerPath(folder, account);
    const std::string name(fieldBytes(account.name));
    if (!recordIntent(workspace, intentFor(kind, path, name, "", ""))) return false;
    FileError error = FileError::Other;
    if (!keepPreviousLedger(folder, path, error)) {
        removeIntent(folder);
        messages.error("不能保留文件" + path + "，" + kNothingChanged + failureReason(error));
        return false;
    }
    if (!writeLedgerAs(workspace.ledgerStore(), after, records, key)) {
        dropPreviousLedger(folder);
        removeIntent(folder);
        return false;
    }
    crashPoint("ledger-changed");
    const AccountInfo before = account;
    account = after;
    if (!workspace.saveAccounts()) {
        account = before;
        restorePreviousLedger(folder, path);
        removeIntent(folder);
        messages.error(kNothingChanged);
        return false;
    }
    // The readable previous file goes before the intent, so none is ever left behind; so do
    // the readable versions kept of the ledger before it was protected.
    dropPreviousLedger(folder);
    if (kind == ChangeIntent::Kind::Protect) {
        crashPoint("protection-counted");
        dropKeptVersions(path);
    }
    forgetIntent(workspace);
    return true;
}

}  // namespace

PasswordCheck checkAccountPassword(Workspace& workspace, const AccountInfo& account,
                                   const std::string& typed) {
    const auto gbk = utf8ToGbk(typed);
    if (!gbk) return PasswordCheck::Wrong;
    if (!isProtected(account)) {
        return *gbk == fieldBytes(account.password) ? PasswordCheck::Right : PasswordCheck::Wrong;
    }
    Messages& messages = workspace.messages();
    const std::string name = fieldText(account.name);
    if (!isPlainFileName(name)) {
        messages.plain(unsafeNameMessage(name));
        return PasswordCheck::Refused;
    }
    const std::string path = ledgerPath(workspace.dataDirectory(), account);
    FileReader file;
    if (file.open(path, OpenMode::ReadOnly) != ReadStatus::Ok) {
        messages.plain(ledgerOpenFailure(path, file.error()));
        return PasswordCheck::Refused;
    }
    LedgerKey key;
    switch (unlockLedger(file, *gbk, key)) {
    case KeyStatus::Ok: workspace.keys.put(std::string(fieldBytes(account.name)), key); break;
    case KeyStatus::WrongPassword: return PasswordCheck::Wrong;
    case KeyStatus::Damaged:
        messages.plain(tamperedLedgerMessage(account));
        return PasswordCheck::Tampered;
    case KeyStatus::OutOfMemory: messages.error(kNoMemory); return PasswordCheck::Refused;
    }
    return PasswordCheck::Right;
}

bool protectAccount(Workspace& workspace, const std::string& gbkName,
                    const std::string& gbkPassword) {
    AccountInfo* account = findAccount(workspace.accounts, gbkName);
    if (account == nullptr || isProtected(*account)) return false;
    const auto key = newLedgerKey(gbkPassword);
    if (!key) {
        workspace.messages().error(kNoMemory);
        return false;
    }
    AccountInfo after = *account;
    markProtected(after);
    if (!switchProtection(workspace, *account, after, &*key, ChangeIntent::Kind::Protect))
        return false;
    workspace.keys.put(gbkName, *key);
    return true;
}

bool unprotectAccount(Workspace& workspace, const std::string& gbkName,
                      const std::string& gbkPassword) {
    AccountInfo* account = findAccount(workspace.accounts, gbkName);
    if (account == nullptr || !isProtected(*account)) return false;
    AccountInfo after = *account;
    storeBytes(after.password, gbkPassword);
    if (!switchProtection(workspace, *account, after, nullptr, ChangeIntent::Kind::Unprotect))
        return false;
    workspace.keys.forget(gbkName);
    return true;
}

bool rekeyProtectedAccount(Workspace& workspace, const std::string& gbkName,
                           const std::string& gbkPassword) {
    const AccountInfo* account = findAccount(workspace.accounts, gbkName);
    if (account == nullptr || !isProtected(*account)) return false;
    Ledger records;
    if (!isLoaded(loadLedger(workspace.ledgerStore(), *account, records))) return false;
    const auto key = newLedgerKey(gbkPassword);
    if (!key) {
        workspace.messages().error(kNoMemory);
        return false;
    }
    if (!writeLedgerAs(workspace.ledgerStore(), *account, records, &*key)) return false;
    crashPoint("ledger-changed");
    workspace.keys.put(gbkName, *key);
    return true;
}

bool settleProtection(const std::string& dataDirectory, const AccountList& registry,
                      const ChangeIntent& intent) {
    const AccountInfo* account = findAccount(registry, intent.account);
    const bool held =
        account != nullptr && isProtected(*account) == (intent.kind == ChangeIntent::Kind::Protect);
    if (held || account == nullptr) {
        dropPreviousLedger(dataDirectory);
        if (held && intent.kind == ChangeIntent::Kind::Protect)
            dropKeptVersions(ledgerPath(dataDirectory, *account));
        return true;
    }
    return restorePreviousLedger(dataDirectory, ledgerPath(dataDirectory, *account));
}

}  // namespace fiscora
