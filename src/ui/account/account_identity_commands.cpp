#include "ui/account/account_commands.h"

#include "engine/account_identity.h"
#include "engine/account_protection.h"
#include "engine/account_summary.h"
#include "records/gbk_text.h"
#include "store/folder_lock.h"
#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/rename_account_dialog.h"

namespace fiscora::ui {
namespace {

constexpr const char* kWrongPassword = "密码错误，注意是否按下了Caps Lock键";

}  // namespace

// The dialog comes back with its entries after a name already taken or a wrong password;
// the account is renamed everywhere at once, in the tree at the same place.
void OnRenameAccount(CommandContext& window) {
    AccountTree& tree = window.accountTree();
    const auto item = tree.requireSelection();
    if (!item) return;
    Workspace& workspace = window.workspace();
    Messages& messages = window.messages();
    RenameAccountDialog dialog(messages, item->text);
    std::string newGbkName;
    for (;;) {
        if (!window.dialogs().run(dialog)) return;
        newGbkName = utf8ToGbk(dialog.newName.text).value_or(std::string());
        if (findAccount(workspace.accounts, newGbkName) != nullptr) {
            messages.error("已有同样的帐户名存在，请选择其他的帐户名!");
            dialog.refusedAt(dialog.newName);
            continue;
        }
        const AccountInfo* account = findAccount(workspace.accounts, item->gbkName);
        if (account == nullptr) return;
        const PasswordCheck check = checkAccountPassword(workspace, *account, dialog.password.text);
        if (check == PasswordCheck::Refused || check == PasswordCheck::Tampered) return;
        if (check == PasswordCheck::Right) break;
        messages.error(kWrongPassword);
        dialog.refusedAt(dialog.password);
    }
    // Under the folder's lock: an account list older than the file changes nothing.
    FolderLock lock(workspace.dataDirectory());
    if (lock.busy()) {
        messages.error(kAnotherProgramWriting);
        return;
    }
    if (workspace.reloadRegistryIfChanged()) {
        tree.reload();
        return;
    }
    if (!renameAccount(workspace, item->gbkName, newGbkName)) return;
    tree.renameItem(item->index, dialog.newName.text, newGbkName);
}

// The old password is checked like the rename's: whoever does not know it cannot take the
// account over.
void OnChangePassword(CommandContext& window) {
    AccountTree& tree = window.accountTree();
    const auto item = tree.requireSelection();
    if (!item) return;
    Workspace& workspace = window.workspace();
    Messages& messages = window.messages();
    const AccountInfo* shown = findAccount(workspace.accounts, item->gbkName);
    if (shown == nullptr) return;
    ChangePasswordDialog dialog(messages, item->text, isProtected(*shown));
    for (;;) {
        if (!window.dialogs().run(dialog)) return;
        const AccountInfo* account = findAccount(workspace.accounts, item->gbkName);
        if (account == nullptr) return;
        const PasswordCheck check =
            checkAccountPassword(workspace, *account, dialog.oldPassword.text);
        if (check == PasswordCheck::Refused || check == PasswordCheck::Tampered) return;
        if (check == PasswordCheck::Right) break;
        messages.error(kWrongPassword);
        dialog.refusedAt(dialog.oldPassword);
    }
    FolderLock lock(workspace.dataDirectory());
    if (lock.busy()) {
        messages.error(kAnotherProgramWriting);
        return;
    }
    if (workspace.reloadRegistryIfChanged()) {
        tree.reload();
        return;
    }
    const AccountInfo* account = findAccount(workspace.accounts, item->gbkName);
    if (account == nullptr) return;
    const std::string password = utf8ToGbk(dialog.newPassword.text).value_or(std::string());
    const bool wasProtected = isProtected(*account);
    bool changed = false;
    if (dialog.protection.checked && !wasProtected)
        changed = protectAccount(workspace, item->gbkName, password);
    else if (!dialog.protection.checked && wasProtected)
        changed = unprotectAccount(workspace, item->gbkName, password);
    else
        changed = changeAccountPassword(workspace, item->gbkName, password);
    // The shown ledger is read again from the file just written.
    if (changed && item->loggedIn) {
        if (const AccountInfo* now = findAccount(workspace.accounts, item->gbkName))
            workspace.loadLedgerOf(*now);
    }
}

void OnAccountProperties(CommandContext& window) {
    const auto guarded = window.AccountGuard();
    if (!guarded) return;
    AccountPropertiesDialog dialog(window.messages(),
                                   accountSummary(window.workspace(), guarded->info));
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui
