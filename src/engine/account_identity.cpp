#include "engine/account_identity.h"

#include <sys/stat.h>

#include "engine/account_protection.h"
#include "engine/change_steps.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/change_intent.h"
#include "store/crash_point.h"
#include "store/file_rename.h"
#include "store/folder_lock.h"
#include "store/ledger_append.h"
#include "store/ledger_digests.h"

namespace fiscora {
namespace {

AccountInfo named(const AccountInfo& account, const std::string& gbkName) {
    AccountInfo renamed = account;
    storeBytes(renamed.name, gbkName);
    return renamed;
}

bool sameFile(const std::string& path, const ChangeIntent& intent) {
    struct stat st {};
    return intent.ledgerInode != 0 && ::lstat(path.c_str(), &st) == 0 &&
           st.st_dev == intent.ledgerDevice && st.st_ino == intent.ledgerInode;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Moves the ledger file that the intent's change began with from `from` to `to`, when it
// is at `from` and nothing is at `to`. False only when a move was due and failed.
bool moveRecordedLedger(const std::string& from, const std::string& to, const ChangeIntent& intent,
                        Messages& messages) {
    if (!sameFile(from, intent) || exists(to)) return true;
    std::string reason;
    if (renameWithoutReplacing(from, to, reason) == RenameStatus::Done) return true;
    messages.error("不能把文件" + from + "改名为" + to + "（" + reason + "）。");
    return false;
}

// Brings the ledger file of a renamed account to the name the registry holds.
bool settleRename(const std::string& dataDirectory, const AccountList& registry,
                  const ChangeIntent& intent, Messages& messages) {
    const AccountInfo* old = findAccount(registry, intent.from);
    const AccountInfo* renamed = findAccount(registry, intent.to);
    const AccountInfo& any = old != nullptr ? *old : renamed != nullptr ? *renamed : AccountInfo{};
    const std::string oldPath = ledgerPath(dataDirectory, named(any, intent.from));
    const std::string newPath = ledgerPath(dataDirectory, named(any, intent.to));
    if (old == nullptr && renamed != nullptr)
        return moveRecordedLedger(oldPath, newPath, intent, messages);
    if (old != nullptr) return moveRecordedLedger(newPath, oldPath, intent, messages);
    return true;  // neither name is registered any more: nothing of ours to settle
}

// Brings the ledger file's header to the password the registry holds.
bool settlePassword(const LedgerStore& store, const AccountList& registry,
                    const ChangeIntent& intent) {
    const AccountInfo* account = findAccount(registry, intent.account);
    if (account == nullptr) return true;
    const std::string registered(fieldBytes(account->password));
    const std::string other = registered == intent.to ? intent.from : intent.to;
    if (registered != intent.from && registered != intent.to) return true;
    if (ledgerHeaderPassword(store, *account) != other) return true;
    return writeLedgerHeader(store, *account, registered);
}

}  // namespace

bool renameAccount(Workspace& workspace, const std::string& oldGbkName,
                   const std::string& newGbkName) {
    Messages& messages = workspace.messages();
    AccountInfo* account = findAccount(workspace.accounts, oldGbkName);
    if (account == nullptr) return false;
    const std::string newName = gbkToUtf8(newGbkName);
    if (!isPlainFileName(newName)) {
        messages.error(unsafeNameMessage(newName));
        return false;
    }

    const AccountInfo renamed = named(*account, newGbkName);
    const std::string from = ledgerPath(workspace.dataDirectory(), *account);
    const std::string to = ledgerPath(workspace.dataDirectory(), renamed);
    if (exists(to)) {
        messages.error("文件" + to + "已经存在，不能改名为" + newName + "。");
        return false;
    }
    if (!recordIntent(workspace, intentFor(ChangeIntent::Kind::Rename, from, oldGbkName, oldGbkName,
                                           newGbkName)))
        return false;
    std::string reason;
    const RenameStatus moved = renameWithoutReplacing(from, to, reason);
    // An account whose ledger file is missing has nothing to move.
    if (moved == RenameStatus::TargetExists || moved == RenameStatus::Failed) {
        removeIntent(workspace.dataDirectory());
        if (moved == RenameStatus::TargetExists)
            messages.error("文件" + to + "已经存在，不能改名为" + newName + "。");
        else
            messages.error("不能把文件" + from + "改名为" + to + "（" + reason + "）。");
        return false;
    }
    crashPoint("ledger-changed");

    const AccountInfo previous = *account;
    *account = renamed;
    if (!workspace.saveAccounts()) {
        *account = previous;
        settleInterruptedChange(workspace.dataDirectory(), workspace.scrambler(), messages);
        messages.error(kNothingChanged);
        return false;
    }
    forgetIntent(workspace);
    for (LoginState& state : workspace.loginStates)
        if (state.name == oldGbkName) {
            state.name = newGbkName;
            break;
        }
    workspace.keys.rename(oldGbkName, newGbkName);
    const std::string oldFile = from.substr(workspace.dataDirectory().size());
    if (const auto digest = recordedLedgerDigest(workspace.dataDirectory(), oldFile)) {
        recordLedgerDigest(workspace.dataDirectory(), to.substr(workspace.dataDirectory().size()),
                           digest);
        recordLedgerDigest(workspace.dataDirectory(), oldFile, std::nullopt);
    }
    return true;
}

bool changeAccountPassword(Workspace& workspace, const std::string& gbkName,
                           const std::string& newGbkPassword) {
    AccountInfo* account = findAccount(workspace.accounts, gbkName);
    if (account == nullptr) return false;
    if (isProtected(*account)) return rekeyProtectedAccount(workspace, gbkName, newGbkPassword);
    const std::string oldPassword(fieldBytes(account->password));
    if (!recordIntent(workspace, intentFor(ChangeIntent::Kind::NewPassword,
                                           ledgerPath(workspace.dataDirectory(), *account), gbkName,
                                           oldPassword, newGbkPassword)))
        return false;
    if (!writeLedgerHeader(workspace.ledgerStore(), *account, newGbkPassword)) {
        removeIntent(workspace.dataDirectory());
        return false;
    }
    crashPoint("ledger-changed");

    storeBytes(account->password, newGbkPassword);
    if (workspace.saveAccounts()) {
        forgetIntent(workspace);
        return true;
    }
    storeBytes(account->password, oldPassword);
    settleInterruptedChange(workspace.dataDirectory(), workspace.scrambler(), workspace.messages());
    workspace.messages().error(kNothingChanged);
    return false;
}

void settleInterruptedChange(const std::string& dataDirectory, const DataScrambler& scrambler,
                             Messages& messages) {
    if (!exists(intentPath(dataDirectory))) return;
    FolderLock lock(dataDirectory);
    if (lock.busy()) return;
    const auto intent = readIntent(dataDirectory, scrambler);
    if (!intent) return;
    // Without the registry as it is there is no telling which state counts: the intent
    // stays for a later open.
    FileReader registryFile;
    const ReadStatus readable = registryFile.open(registryPath(dataDirectory), OpenMode::ReadOnly);
    if (readable == ReadStatus::CannotOpen || readable == ReadStatus::TooLarge) return;
    const AccountList registry =
        loadRegistry(dataDirectory, scrambler, messages, OpenMode::ReadOnly);
    const LedgerStore store{dataDirectory, scrambler, messages, OpenMode::ReadOnly};
    bool settled = true;
    switch (intent->kind) {
    case ChangeIntent::Kind::Rename:
        settled = settleRename(dataDirectory, registry, *intent, messages);
        break;
    case ChangeIntent::Kind::NewPassword: settled = settlePassword(store, registry, *intent); break;
    case ChangeIntent::Kind::Protect:
    case ChangeIntent::Kind::Unprotect:
        settled = settleProtection(dataDirectory, registry, *intent);
        break;
    case ChangeIntent::Kind::Append:
        settled = settleInterruptedAppend(dataDirectory, *intent);
        break;
    }
    if (settled) removeIntent(dataDirectory);
}

}  // namespace fiscora
