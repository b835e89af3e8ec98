#include "ui/account/account_commands.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "engine/account_protection.h"
#include "records/gbk_text.h"
#include "store/folder_lock.h"
#include "ui/account/new_account_dialog.h"
#include "ui/account/password_dialog.h"

namespace fiscora::ui {
namespace {

// The registry entry of a confirmed NewAccountDialog, created on the workspace's today.
// The dialog has checked that every text fits its field.
AccountInfo newAccountInfo(const NewAccountDialog& dialog, std::int32_t createdDate) {
    AccountInfo account;
    std::memset(&account, 0, sizeof account);
    storeText(account.name, dialog.name.text);
    storeText(account.password, dialog.password.text);
    storeText(account.tradeType, dialog.tradeType.selectedText());
    storeText(account.remark, dialog.remark.text);
    account.initialCapital = dialog.initialCapital();
    account.createdDate = createdDate;
    return account;
}

// The first record of every ledger: the initial capital paid in on the creation day.
LedgerRecord openingRecord(const AccountInfo& account) {
    LedgerRecord record = makeRecord(RecordType::CashIn, account.createdDate);
    record.amount = account.initialCapital;
    storeBytes(record.remark, fieldBytes(account.remark));
    return record;
}

template <typename List, typename Matches> void eraseFirst(List& list, Matches matches) {
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (matches(*it)) {
            list.erase(it);
            return;
        }
    }
}

}  // namespace

void OnNewAccount(CommandContext& window) {
    Workspace& workspace = window.workspace();
    Messages& messages = window.messages();
    NewAccountDialog dialog(messages);
    for (;;) {
        if (!window.dialogs().run(dialog)) return;
        if (findAccount(workspace.accounts, utf8ToGbk(dialog.name.text).value_or(std::string())) ==
            nullptr)
            break;
        messages.error("已有同样的帐户名存在，请选择其他的帐户名!");
    }

    const AccountInfo account = newAccountInfo(dialog, workspace.today());
    const std::string gbkName(fieldBytes(account.name));
    AccountTree& tree = window.accountTree();
    {
        // The registry and the new ledger change together, under the folder's lock: the
        // ledger is written complete first, and the account exists once the registry
        // names it. A failure on either leaves neither.
        FolderLock lock(workspace.dataDirectory());
        if (lock.busy()) {
            messages.error(kAnotherProgramWriting);
            return;
        }
        if (workspace.reloadRegistryIfChanged()) {
            tree.reload();
            return;
        }
        Ledger previous = std::move(workspace.ledger);
        workspace.ledger = {openingRecord(account)};
        if (!workspace.writeNewLedgerOf(account)) {
            workspace.ledger = std::move(previous);
            return;
        }
        workspace.accounts.push_back(account);
        if (!workspace.saveAccounts()) {
            workspace.accounts.pop_back();
            ::unlink(ledgerPath(workspace.dataDirectory(), account).c_str());
            workspace.ledger = std::move(previous);
            return;
        }
    }
    workspace.loginStates.push_back({gbkName, true});
    workspace.recomputeHoldings();
    tree.reload();
    tree.selectAccount(gbkName);
}

void OnLogin(CommandContext& window) {
    AccountTree& tree = window.accountTree();
    const auto item = tree.requireSelection();
    if (!item || item->loggedIn) return;

    Messages& messages = window.messages();
    PasswordDialog dialog(messages, item->text);
    for (;;) {
        if (!window.dialogs().run(dialog)) return;
        const AccountInfo* account = findAccount(window.workspace().accounts, item->gbkName);
        if (account == nullptr) return;
        const PasswordCheck check =
            checkAccountPassword(window.workspace(), *account, dialog.password.text);
        if (check == PasswordCheck::Refused || check == PasswordCheck::Tampered) return;
        if (check == PasswordCheck::Right) {
            tree.showLogin(item->index, true);
            return;
        }
        messages.error("密码错误");
    }
}

void OnCloseAccount(CommandContext& window) {
    AccountTree& tree = window.accountTree();
    const auto item = tree.requireSelection();
    if (item && item->loggedIn) tree.showLogin(item->index, false);
}

void OnDeleteAccount(CommandContext& window) {
    AccountTree& tree = window.accountTree();
    const auto item = tree.requireSelection();
    if (!item) return;
    Messages& messages = window.messages();
    if (!item->loggedIn) {
        messages.error("帐户还未登录，不能删除");
        return;
    }
    if (!messages.askWarning(item->text + "的所有资料将被删除，真的要删除吗?", "注意")) return;

    Workspace& workspace = window.workspace();
    FolderLock lock(workspace.dataDirectory());
    if (lock.busy()) {
        messages.error(kAnotherProgramWriting);
        return;
    }
    // The account list shown may be older than the file: nothing is deleted then.
    if (workspace.reloadRegistryIfChanged()) {
        tree.reload();
        return;
    }
    const AccountInfo* found = findAccount(workspace.accounts, item->gbkName);
    if (found == nullptr) return;
    const AccountInfo account = *found;
    eraseFirst(workspace.accounts,
               [&](const AccountInfo& a) { return fieldBytes(a.name) == item->gbkName; });
    eraseFirst(workspace.loginStates, [&](const LoginState& s) { return s.name == item->gbkName; });

    const int index = item->index;
    const bool hasBelow = index + 1 < tree.itemCount();
    tree.removeItem(index);

    // Only a plain name ever had a file in the data directory; any other is not touched.
    // A file that is already gone is what deleting wants.
    if (isPlainFileName(item->text)) {
        const std::string path = ledgerPath(workspace.dataDirectory(), account);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) messages.plain("不能删除文件" + path);
    }
    workspace.saveAccounts();

    if (index > 0) {
        tree.selectItem(index - 1);
    } else if (hasBelow) {
        tree.selectItem(index);
    } else {
        workspace.ledger.clear();
    }
}

}  // namespace fiscora::ui
