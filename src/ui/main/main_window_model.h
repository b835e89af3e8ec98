#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ledger_filter.h"
#include "engine/workspace.h"
#include "output/holding_rows.h"
#include "output/list_output.h"
#include "records/account_info.h"
#include "ui/analysis/chart_series.h"
#include "ui/common/dialog_runner.h"
#include "ui/common/list_field.h"
#include "ui/main/splitter.h"

namespace fiscora::ui {

class AccountCommands;
class TradeCommands;

// One item of the account tree: an account, in registry order.
struct AccountTreeItem {
    std::string text;     // the account name as shown (UTF-8)
    std::string gbkName;  // the name's bytes in the registry, which every lookup compares
    int image = 0;        // 0 logged out, 1 logged in; also the selected image
};

inline constexpr int kLoggedOutImage = 0;
inline constexpr int kLoggedInImage = 1;

// The account a command acts on, as the guard checked it: its name (UTF-8) and registry entry.
struct GuardedAccount {
    std::string name;
    AccountInfo& info;
};

// Which pane the model wants the keyboard focus in.
enum class MainPane { None, Tree, List };

// The main window without its widgets: the workspace it owns, the account tree and the
// holdings list as data, the caption, the splitter and the commands. Its view mirrors
// the tree, the list, the caption and the focus after every event, enables a command
// only when isAvailable() says so and routes every command id to OnCommand().
class MainWindowModel {
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
    // list; until the view gives them, those two commands are not available.
    void setListOutput(ListOutput& output);
    // The platform's printing and text editor for the lists of dialogs; null until given.
    ListOutput* listOutput() const { return listOutput_; }
    // The platform's file dialog for 导入交割单 (the chosen path, nothing when cancelled);
    // until the view gives it, the command is not available.
    void setStatementChooser(std::function<std::optional<std::string>()> choose);

    // 查看流水帐: the ledger view of the selected logged-in account, opened on `filter`
    // (none by default); the holdings are recomputed before it opens and the list rebuilt
    // when it closes.
    void OnViewLedger(const LedgerFilter& filter = {});

    // 参数设置: the fee table editor; no account needs to be selected. Its changes are in
    // the workspace's table when it closes.
    void OnTradeParams();

    // Menu, toolbar and popup commands. A command that is not available does nothing.
    bool isAvailable(int commandId) const;
    void OnCommand(int commandId);

    // Tree events from the view. Selecting an item that is already selected does
    // nothing; any other selection runs OnTreeSelChanged.
    void selectTreeItem(int index);
    void OnTreeSelChanged();
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

    // 行情刷新: rebuilds the holdings list of the selected logged-in account, and its status.
    void refreshHoldingList();
    // The status line under the list: the selected logged-in account's 资金余额 and 总资产
    // as its properties show them, empty while no such account is selected.
    void refreshAccountStatus();
    const std::string& accountStatus() const { return accountStatus_; }
    // Rebuilds the tree from the accounts and their login state; nothing is selected.
    void refreshAccountTree();
    void clearHoldingList();

    // The selected tree item, or nothing.
    std::optional<int> selectedItem() const;
    const AccountTreeItem* selectedAccount() const {
        return selectedItem() ? &tree_[selected_] : nullptr;
    }
    // The guard of every account command: the selected logged-in account, or nothing
    // after "请选中一个帐户" or "帐户还未登录，不能进行操作".
    std::optional<GuardedAccount> AccountGuard();
    // The selected item, or nothing after "请选中一个帐户".
    std::optional<int> requireSelection();

    // How the capital curve opens the ledger view on one day's records (and one stock's):
    // OnViewLedger with those filters.
    std::function<void(const LedgerFilter&)> dayLedgerOpener();

    // The caption: "Fiscora", or "Fiscora -[" + account + "]".
    void showAccountInCaption(const std::string& name);
    void showPlainCaption();

    Workspace& workspace() { return workspace_; }
    const Workspace& workspace() const { return workspace_; }
    Messages& messages() { return workspace_.messages(); }
    DialogRunner& dialogs() { return dialogs_; }
    AccountCommands& accountCommands() { return *accountCommands_; }

    const std::vector<AccountTreeItem>& tree() const { return tree_; }
    // Changes of single items by the account commands; removing leaves nothing selected.
    void setItemImage(int index, int image) { tree_.at(index).image = image; }
    void renameTreeItem(int index, std::string text, std::string gbkName) {
        tree_.at(index).text = std::move(text);
        tree_.at(index).gbkName = std::move(gbkName);
    }
    void removeTreeItem(int index);
    int selectedIndex() const { return selected_; }
    const std::vector<HoldingRow>& holdingRows() const { return rows_; }
    // The holdings list as the window's list shows it.
    ListField& holdingList() { return holdingList_; }
    int selectedRow() const { return holdingList_.selected; }
    void setSelectedRow(int row) { holdingList_.selected = row; }
    // The position of the list's selected row, or null when no row is selected.
    const Holding* selectedHolding() const;
    // Selects the row of the position (market, code as the holdings hold it) and scrolls it
    // into sight; a position the list does not show leaves the selection as it is.
    void selectHolding(std::int32_t market, std::string_view gbkCode);
    const std::string& caption() const { return caption_; }
    Splitter& splitter() { return splitter_; }

    // Where the model wants the keyboard focus; focusRequest() changes with every request.
    MainPane focusPane() const { return focusPane_; }
    std::uint32_t focusRequest() const { return focusRequest_; }
    // 退出程序 was chosen: the view ends the dialog as accepted.
    bool closeRequested() const { return closeRequested_; }

    // The account of a tree item, or null.
    AccountInfo* accountOf(const AccountTreeItem& item);
    // The index of the item whose name is `gbkName`, or -1.
    int itemIndexOf(const std::string& gbkName) const;
    // The login-state entry of `gbkName`, or null.
    LoginState* loginStateOf(const std::string& gbkName);

private:
    void registerCommands();
    void requestFocus(MainPane pane);
    void showAbout();
    void showCharts(ChartKind kind);

    Workspace workspace_;
    DialogRunner& dialogs_;
    std::vector<AccountTreeItem> tree_;
    int selected_ = -1;
    void showRows(std::vector<HoldingRow> rows);

    std::vector<HoldingRow> rows_;
    ListField holdingList_;
    std::string caption_;
    std::string accountStatus_;
    Splitter splitter_;
    MainPane focusPane_ = MainPane::None;
    std::uint32_t focusRequest_ = 0;
    bool closeRequested_ = false;
    ListOutput* listOutput_ = nullptr;
    std::map<int, std::function<void()>> commands_;
    std::unique_ptr<AccountCommands> accountCommands_;
    std::unique_ptr<TradeCommands> tradeCommands_;
};

// The main window that is open, or null. Dialogs reach the window's data through it.
MainWindowModel* currentMainWindow();

}  // namespace fiscora::ui
