#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/workspace.h"
#include "output/holding_rows.h"
#include "output/list_output.h"
#include "records/account_info.h"
#include "ui/common/dialog_runner.h"
#include "ui/common/ledger_undo_history.h"

namespace fiscora::ui {

// The account a command acts on, as the guard checked it: its name (UTF-8) and registry entry.
struct GuardedAccount {
    std::string name;
    AccountInfo& info;
};

// An item of the account tree as the account commands see it.
struct TreeAccount {
    int index = -1;
    std::string text;     // the account name as shown (UTF-8)
    std::string gbkName;  // the name's bytes in the registry, which every lookup compares
    bool loggedIn = false;
};

// The account tree, as the account commands change it. Every change shows at once: the
// caption, the holdings list and the status line follow the selected item.
class AccountTree {
public:
    // The selected item, or nothing after "请选中一个帐户".
    virtual std::optional<TreeAccount> requireSelection() = 0;
    virtual int itemCount() const = 0;
    // Selects the item as the user does (-1: none); the window shows its account.
    virtual void selectItem(int index) = 0;
    // Selects the item of that registry name, if there is one.
    virtual void selectAccount(const std::string& gbkName) = 0;
    // The item shown logged in (its ledger loaded, its holdings listed) or logged out.
    virtual void showLogin(int index, bool loggedIn) = 0;
    virtual void renameItem(int index, std::string text, std::string gbkName) = 0;
    // Removes the item; nothing is selected and the holdings list is empty.
    virtual void removeItem(int index) = 0;
    // Rebuilt from the workspace's accounts and their login states; nothing selected.
    virtual void reload() = 0;

protected:
    ~AccountTree() = default;
};

// What a window command uses of the window, and nothing more: the workspace (with its
// messages), the dialog runner, the platform's list output, the account guard, the holdings
// row selected, the refreshes, and for the account commands the tree. Every window command
// has one shape, a function of this context (WindowCommand).
class CommandContext {
public:
    virtual Workspace& workspace() = 0;
    Messages& messages() { return workspace().messages(); }
    virtual DialogRunner& dialogs() = 0;
    // The platform's printing and text editor for lists; null until the view gives them.
    virtual ListOutput* listOutput() = 0;

    // The guard of every account command: the selected logged-in account, or nothing
    // after "请选中一个帐户" or "帐户还未登录，不能进行操作".
    virtual std::optional<GuardedAccount> AccountGuard() = 0;
    // The row of the holdings list that is selected, or null.
    virtual const HoldingRow* selectedHolding() = 0;
    // Selects the row of the position (market, code as the holdings hold it) and scrolls it
    // into sight; a position the list does not show leaves the selection as it is.
    virtual void selectHolding(std::int32_t market, std::string_view gbkCode) = 0;

    // Rebuilds the holdings list of the selected logged-in account, and its status line.
    virtual void refreshHoldingList() = 0;
    // The same from the workspace's holdings as they are, already brought up to date.
    virtual void showHoldingListAsKept() = 0;
    // Only the status line: the cash changed, the positions did not.
    virtual void refreshAccountStatus() = 0;

    virtual AccountTree& accountTree() = 0;

    // The window's own changes to ledgers, for 撤销.
    virtual LedgerUndoHistory& undoHistory() = 0;

protected:
    ~CommandContext() = default;
};

using WindowCommand = std::function<void(CommandContext&)>;

}  // namespace fiscora::ui
