#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/workspace.h"
#include "output/holding_rows.h"
#include "output/list_output.h"
#include "ui/common/command_context.h"
#include "ui/common/dialog_runner.h"
#include "ui/common/list_field.h"
#include "ui/main/splitter.h"

namespace fiscora::ui {

// One item of the account tree: an account, in registry order.
struct AccountTreeItem {
    std::string text;     // the account name as shown (UTF-8)
    std::string gbkName;  // the name's bytes in the registry, which every lookup compares
    int image = 0;        // 0 logged out, 1 logged in; also the selected image
};

inline constexpr int kLoggedOutImage = 0;
inline constexpr int kLoggedInImage = 1;

// Which pane the model wants the keyboard focus in.
enum class MainPane { None, Tree, List };

// The main window without its widgets: the workspace it owns, the account tree and the
// holdings list as data, the caption, the splitter and the commands. Its view mirrors
// the tree, the list, the caption and the focus after every event, enables a command
// only when isAvailable() says so and routes every command id to OnCommand(). The
// commands see the window only as their CommandContext (commands()).
class MainWindowModel : private CommandContext, private AccountTree {
public:
    MainWindowModel(Messages& messages, DialogRunner& dialogs);
    ~MainWindowModel();
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    // Window start: becomes the current main window; the default fee row, the data
    // folder, the cipher key, the fee table and the registry through Workspace::open;
    // the tree filled with every account logged out and given the focus.
    void OnInitDialog();
    // The same with the data folder and the fee table given (the command line's options)
    // instead of the module's data directory and the current directory's fee table.
    void OnInitDialogAt(const std::string& dataDirectory,
                        const std::optional<std::string>& tradeParamFile);

    // The platform's printing and text editor, for 数据打印 and 数据存盘 of the holdings
    // list and the lists of dialogs; until the view gives them, those two commands are not
    // available.
    void setListOutput(ListOutput& output) { listOutput_ = &output; }
    // The platform's file dialog for 导入交割单 (the chosen path, nothing when cancelled);
    // until the view gives it, the command is not available.
    void setStatementChooser(std::function<std::optional<std::string>()> choose) {
        chooseStatement_ = std::move(choose);
    }

    // Menu, toolbar and popup commands. A command that is not available does nothing.
    bool isAvailable(int commandId) const;
    void OnCommand(int commandId);
    // The window as its commands see it, for running them one by one (the command line).
    CommandContext& commands() { return *this; }

    // Tree events from the view. Selecting an item that is already selected does
    // nothing; any other selection shows that item's account.
    void selectTreeItem(int index);
    // A single click on an item selects it and logs in to it; Enter logs in.
    void OnTreeClick(int index);
    void OnTreeEnter();
    // A right click selects the item under the pointer (-1: none) before the popup.
    void OnTreeRightClick(int index);
    // A double click in the tree opens the account properties.
    void OnTreeDoubleClick();
    // A double click on a row of the list (-1: outside the rows) opens its trade details;
    // Enter opens those of the selected row (the list's activate hook).
    void OnListDoubleClick(int row);
    void OnListEnter();

    // The status line under the list: the selected logged-in account's 资金余额 and 总资产
    // as its properties show them, empty while no such account is selected.
    const std::string& accountStatus() const { return accountStatus_; }

    Workspace& workspace() override { return workspace_; }
    const Workspace& workspace() const { return workspace_; }

    const std::vector<AccountTreeItem>& tree() const { return tree_; }
    int selectedIndex() const { return selected_; }
    const std::vector<HoldingRow>& holdingRows() const { return rows_; }
    // The holdings list as the window's list shows it; its `selected` is the selected row.
    ListField& holdingList() { return holdingList_; }
    // The caption: "Fiscora", or "Fiscora -[" + account + "]".
    const std::string& caption() const { return caption_; }
    Splitter& splitter() { return splitter_; }

    // Where the model wants the keyboard focus; focusRequest() changes with every request.
    MainPane focusPane() const { return focusPane_; }
    std::uint32_t focusRequest() const { return focusRequest_; }
    // 退出程序 was chosen: the view ends the dialog as accepted.
    bool closeRequested() const { return closeRequested_; }

private:
    // What a command needs of the platform besides the context.
    enum class Needs { Nothing, ListOutput, StatementChooser };
    struct Command {
        WindowCommand run;
        Needs needs = Needs::Nothing;
    };
    void registerCommands();

    // CommandContext
    DialogRunner& dialogs() override { return dialogs_; }
    ListOutput* listOutput() override { return listOutput_; }
    std::optional<GuardedAccount> AccountGuard() override;
    const HoldingRow* selectedHolding() override;
    void selectHolding(std::int32_t market, std::string_view gbkCode) override;
    void refreshHoldingList() override;
    void showHoldingListAsKept() override;
    void refreshAccountStatus() override;
    AccountTree& accountTree() override { return *this; }
    LedgerUndoHistory& undoHistory() override { return undoHistory_; }

    // AccountTree
    std::optional<TreeAccount> requireSelection() override;
    int itemCount() const override { return static_cast<int>(tree_.size()); }
    void selectItem(int index) override { selectTreeItem(index); }
    void selectAccount(const std::string& gbkName) override;
    void showLogin(int index, bool loggedIn) override;
    void renameItem(int index, std::string text, std::string gbkName) override;
    void removeItem(int index) override;
    void reload() override;

    // Shows the selected item's account: its caption, ledger and holdings when it is
    // logged in, an empty list and the plain caption otherwise.
    void OnTreeSelChanged();
    std::optional<int> selectedItem() const;
    void clearHoldingList();
    // The holdings list and the status line from the workspace's holdings as they are.
    void showHoldingList();
    void showRows(std::vector<HoldingRow> rows);
    void requestFocus(MainPane pane);
    LoginState* loginStateOf(const std::string& gbkName);
    // The ledger of the selected logged-in account as it is now, if there is one.
    std::optional<WatchedLedger> watchedLedger() const;

    Workspace workspace_;
    DialogRunner& dialogs_;
    std::vector<AccountTreeItem> tree_;
    int selected_ = -1;
    std::vector<HoldingRow> rows_;
    ListField holdingList_;
    std::string caption_;
    std::string accountStatus_;
    Splitter splitter_;
    MainPane focusPane_ = MainPane::None;
    std::uint32_t focusRequest_ = 0;
    bool closeRequested_ = false;
    ListOutput* listOutput_ = nullptr;
    std::function<std::optional<std::string>()> chooseStatement_;
    std::map<int, Command> commands_;
    LedgerUndoHistory undoHistory_;
};

// The main window that is open, or null. Dialogs reach the window's data through it.
MainWindowModel* currentMainWindow();

}  // namespace fiscora::ui
