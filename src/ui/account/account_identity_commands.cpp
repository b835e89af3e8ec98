#include "ui/account/account_commands.h"

#include "engine/account_identity.h"
#include "engine/account_summary.h"
#include "records/gbk_text.h"
#include "store/folder_lock.h"
#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/rename_account_dialog.h"

namespace fiscora::ui {
namespace {

constexpr const char* kWrongPassword = "密码错误，注意是否按下了Caps Lock键";

bool samePassword(const AccountInfo& account, const std::string& typed) {
    const auto entered = utf8ToGbk(typed);
    return entered && *entered == fieldBytes(account.password);
}

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
        if (samePassword(*account, dialog.password.text)) break;
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
    ChangePasswordDialog dialog(messages, item->text);
    for (;;) {
        if (!window.dialogs().run(dialog)) return;
        const AccountInfo* account = findAccount(workspace.accounts, item->gbkName);
        if (account == nullptr) return;
        if (samePassword(*account, dialog.oldPassword.text)) break;
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
    changeAccountPassword(workspace, item->gbkName,
                          utf8ToGbk(dialog.newPassword.text).value_or(std::string()));
}

void OnAccountProperties(CommandContext& window) {
    const auto guarded = window.AccountGuard();
    if (!guarded) return;
    AccountPropertiesDialog dialog(window.messages(),
                                   accountSummary(window.workspace(), guarded->info));
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui
