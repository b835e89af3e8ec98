#include "engine/account_identity.h"

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/file_rename.h"

namespace fiscora {
namespace {

constexpr const char* kNothingChanged = "帐户没有改变。";

AccountInfo* accountNamed(Workspace& workspace, const std::string& gbkName) {
    return findAccount(workspace.accounts, gbkName);
}

}  // namespace

bool renameAccount(Workspace& workspace, const std::string& oldGbkName,
                   const std::string& newGbkName) {
    Messages& messages = workspace.messages();
    AccountInfo* account = accountNamed(workspace, oldGbkName);
    if (account == nullptr) return false;
    const std::string newName = gbkToUtf8(newGbkName);
    if (!isPlainFileName(newName)) {
        messages.error(unsafeNameMessage(newName));
        return false;
    }

    AccountInfo renamed = *account;
    storeBytes(renamed.name, newGbkName);
    const std::string from = ledgerPath(workspace.dataDirectory(), *account);
    const std::string to = ledgerPath(workspace.dataDirectory(), renamed);
    std::string reason;
    const RenameStatus moved = renameWithoutReplacing(from, to, reason);
    if (moved == RenameStatus::TargetExists) {
        messages.error("文件" + to + "已经存在，不能改名为" + newName + "。");
        return false;
    }
    // An account whose ledger file is missing has nothing to move.
    if (moved == RenameStatus::Failed) {
        messages.error("不能把文件" + from + "改名为" + to + "（" + reason + "）。");
        return false;
    }

    const AccountInfo previous = *account;
    *account = renamed;
    if (!workspace.saveAccounts()) {
        *account = previous;
        if (moved == RenameStatus::Done &&
            renameWithoutReplacing(to, from, reason) != RenameStatus::Done) {
            messages.error("帐户文件" + to + "未能改回" + from + "（" + reason + "）。");
            return false;
        }
        messages.error(kNothingChanged);
        return false;
    }
    for (LoginState& state : workspace.loginStates)
        if (state.name == oldGbkName) {
            state.name = newGbkName;
            break;
        }
    return true;
}

bool changeAccountPassword(Workspace& workspace, const std::string& gbkName,
                           const std::string& newGbkPassword) {
    AccountInfo* account = accountNamed(workspace, gbkName);
    if (account == nullptr) return false;
    const std::string oldPassword(fieldBytes(account->password));
    if (!writeLedgerHeader(workspace.ledgerStore(), *account, newGbkPassword)) return false;

    storeBytes(account->password, newGbkPassword);
    if (workspace.saveAccounts()) return true;
    storeBytes(account->password, oldPassword);
    if (writeLedgerHeader(workspace.ledgerStore(), *account, oldPassword))
        workspace.messages().error(kNothingChanged);
    return false;
}

}  // namespace fiscora
