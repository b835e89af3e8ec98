#include "ui/account/account_commands.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "engine/dates.h"
#include "records/gbk_text.h"
#include "store/folder_lock.h"
#include "ui/account/new_account_dialog.h"
#include "ui/account/password_dialog.h"
#include "ui/main/main_window_model.h"

namespace fiscora::ui {
namespace {

// The registry entry of a confirmed NewAccountDialog, created today. The dialog has
// checked that every text fits its field.
AccountInfo newAccountInfo(const NewAccountDialog& dialog) {
    AccountInfo account;
    std::memset(&account, 0, sizeof account);
    storeText(account.name, dialog.name.text);
    storeText(account.password, dialog.password.text);
    storeText(account.tradeType, dialog.tradeType.selectedText());
    storeText(account.remark, dialog.remark.text);
    account.initialCapital = dialog.initialCapital();
    account.createdDate = today();
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

void AccountCommands::OnNewAccount() {
    Workspace& workspace = window_.workspace();
    Messages& messages = window_.messages();
    NewAccountDialog dialog(messages);
    for (;;) {
        if (!window_.dialogs().run(dialog)) return;
        if (findAccount(workspace.accounts, utf8ToGbk(dialog.name.text).value_or(std::string())) ==
            nullptr)
            break;
        messages.error("已有同样的帐户名存在，请选择其他的帐户名!");
    }

    const AccountInfo account = newAccountInfo(dialog);
    const std::string gbkName(fieldBytes(account.name));
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
            window_.refreshAccountTree();
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
    window_.refreshAccountTree();
    window_.selectTreeItem(window_.itemIndexOf(gbkName));
}

void AccountCommands::OnLogin() {
    const auto index = window_.requireSelection();
    if (!index) return;
    const AccountTreeItem item = window_.tree()[*index];
    if (item.image != kLoggedOutImage) return;

    Messages& messages = window_.messages();
    PasswordDialog dialog(messages, item.text);
    for (;;) {
        if (!window_.dialogs().run(dialog)) return;
        AccountInfo* account = window_.accountOf(item);
        LoginState* state = window_.loginStateOf(item.gbkName);
        if (account == nullptr || state == nullptr) return;
        const auto entered = utf8ToGbk(dialog.password.text);
        if (entered && *entered == fieldBytes(account->password)) {
            state->loggedIn = true;
            window_.setItemImage(*index, kLoggedInImage);
            window_.selectTreeItem(*index);
            window_.workspace().loadLedgerOf(*account);
            window_.refreshHoldingList();
            window_.showAccountInCaption(item.text);
            return;
        }
        messages.error("密码错误");
    }
}

void AccountCommands::OnCloseAccount() {
    const auto index = window_.requireSelection();
    if (!index) return;
    const AccountTreeItem& item = window_.tree()[*index];
    if (item.image == kLoggedOutImage) return;
    if (LoginState* state = window_.loginStateOf(item.gbkName)) state->loggedIn = false;
    window_.setItemImage(*index, kLoggedOutImage);
    window_.clearHoldingList();
    window_.showPlainCaption();
}

void AccountCommands::OnDeleteAccount() {
    const auto index = window_.requireSelection();
    if (!index) return;
    const AccountTreeItem item = window_.tree()[*index];
    Messages& messages = window_.messages();
    if (item.image == kLoggedOutImage) {
        messages.error("帐户还未登录，不能删除");
        return;
    }
    if (!messages.askWarning(item.text + "的所有资料将被删除，真的要删除吗?", "注意")) return;

    Workspace& workspace = window_.workspace();
    FolderLock lock(workspace.dataDirectory());
    if (lock.busy()) {
        messages.error(kAnotherProgramWriting);
        return;
    }
    // The account list shown may be older than the file: nothing is deleted then.
    if (workspace.reloadRegistryIfChanged()) {
        window_.refreshAccountTree();
        return;
    }
    const AccountInfo* found = window_.accountOf(item);
    if (found == nullptr) return;
    const AccountInfo account = *found;
    eraseFirst(workspace.accounts,
               [&](const AccountInfo& a) { return fieldBytes(a.name) == item.gbkName; });
    eraseFirst(workspace.loginStates, [&](const LoginState& s) { return s.name == item.gbkName; });

    const int above = *index - 1;
    const bool hasBelow = *index + 1 < static_cast<int>(window_.tree().size());
    window_.removeTreeItem(*index);

    // Only a plain name ever had a file in the data directory; any other is not touched.
    // A file that is already gone is what deleting wants.
    if (isPlainFileName(item.text)) {
        const std::string path = ledgerPath(workspace.dataDirectory(), account);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) messages.plain("不能删除文件" + path);
    }
    window_.clearHoldingList();
    workspace.saveAccounts();

    if (above >= 0) {
        window_.selectTreeItem(above);
    } else if (hasBelow) {
        window_.selectTreeItem(*index);
    } else {
        workspace.ledger.clear();
        window_.showPlainCaption();
    }
}

}  // namespace fiscora::ui
