#include "ui/main/main_window_model.h"

#include <cmath>
#include <string_view>
#include <unordered_map>

#include "engine/account_summary.h"
#include "engine/number_format.h"
#include "host/module_state.h"
#include "records/gbk_text.h"
#include "ui/account/account_commands.h"
#include "ui/common/dialog_title.h"
#include "ui/main/command_ids.h"

namespace fiscora::ui {
namespace {

MainWindowModel* current = nullptr;

// 投资分析 on the toolbar opens the same analysis as 投资赢利额.
int resolved(int commandId) {
    return commandId == command::kAnalysis ? command::kProfitAmount : commandId;
}

}  // namespace

MainWindowModel* currentMainWindow() {
    return current;
}

MainWindowModel::MainWindowModel(Messages& messages, DialogRunner& dialogs)
    : workspace_(messages), dialogs_(dialogs), caption_(kProductName) {
    registerCommands();
    holdingList_.columns = holdingColumns();
    holdingList_.cellText = [this](std::size_t row, std::size_t column) {
        return rows_[row].cells[column];
    };
    holdingList_.rowMark = [this](std::size_t row) { return rows_[row].holding.market; };
    holdingList_.cellTone = [this](std::size_t row, std::size_t column) {
        return holdingCellTone(rows_[row], column);
    };
    holdingList_.activate = [this] { OnCommand(command::kTradeDetails); };
}

MainWindowModel::~MainWindowModel() {
    if (current == this) current = nullptr;
}

void MainWindowModel::OnInitDialog() {
    OnInitDialogAt(dataDirectory(), std::nullopt);
}

void MainWindowModel::OnInitDialogAt(const std::string& dataDirectory,
                                     const std::optional<std::string>& tradeParamFile) {
    current = this;
    workspace_.open(dataDirectory, tradeParamFile);
    reload();
    requestFocus(MainPane::Tree);
}

bool MainWindowModel::isAvailable(int commandId) const {
    const auto it = commands_.find(resolved(commandId));
    if (it == commands_.end()) return false;
    switch (it->second.needs) {
    case Needs::Nothing: break;
    case Needs::ListOutput: return listOutput_ != nullptr;
    case Needs::StatementChooser: return static_cast<bool>(chooseStatement_);
    }
    return true;
}

void MainWindowModel::OnCommand(int commandId) {
    if (!isAvailable(commandId)) return;
    const std::optional<WatchedLedger> before = watchedLedger();
    commands_.at(resolved(commandId)).run(*this);
    // Every command that rewrites the logged-in account's ledger can be undone, but 撤销
    // itself: pressed again, it goes one change further back.
    if (before && commandId != command::kUndo) undoHistory_.recordCommand(*before);
}

std::optional<WatchedLedger> MainWindowModel::watchedLedger() const {
    const auto index = selectedItem();
    if (!index || tree_[*index].image == kLoggedOutImage) return std::nullopt;
    const AccountInfo* account = findAccount(workspace_.accounts, tree_[*index].gbkName);
    if (account == nullptr) return std::nullopt;
    const std::string path = ledgerPath(workspace_.dataDirectory(), *account);
    return WatchedLedger{tree_[*index].gbkName, path, stampOf(path)};
}

void MainWindowModel::selectTreeItem(int index) {
    if (index < -1 || index >= static_cast<int>(tree_.size()) || index == selected_) return;
    selected_ = index;
    OnTreeSelChanged();
}

void MainWindowModel::OnTreeSelChanged() {
    const auto index = selectedItem();
    if (!index) {
        messages().plain("请选中一个帐户");
        return;
    }
    const AccountTreeItem& item = tree_[*index];
    if (item.image != kLoggedOutImage) {
        caption_ = dialogTitle(kProductName, item.text);
        // Loading the ledger computes its holdings; they are shown as they are.
        if (const AccountInfo* account = findAccount(workspace_.accounts, item.gbkName)) {
            workspace_.loadLedgerOf(*account);
            showHoldingList();
        } else {
            refreshHoldingList();
        }
        return;
    }
    clearHoldingList();
    workspace_.ledger.clear();
    caption_ = kProductName;
}

void MainWindowModel::OnTreeClick(int index) {
    if (index < 0 || index >= static_cast<int>(tree_.size())) return;
    selectTreeItem(index);
    OnLogin(*this);
}

void MainWindowModel::OnTreeEnter() {
    OnLogin(*this);
}

void MainWindowModel::OnTreeRightClick(int index) {
    if (index >= 0) selectTreeItem(index);
}

void MainWindowModel::OnTreeDoubleClick() {
    OnCommand(command::kAccountProperties);
}

void MainWindowModel::OnListDoubleClick(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    // The row clicked is the one whose details open, whatever was selected before.
    holdingList_.selected = row;
    holdingList_.activate();
}

void MainWindowModel::OnListEnter() {
    if (holdingList_.selected >= 0) holdingList_.activate();
}

void MainWindowModel::refreshHoldingList() {
    const auto index = selectedItem();
    if (!index || tree_[*index].image == kLoggedOutImage) return;
    workspace_.recomputeHoldings();
    showHoldingList();
}

void MainWindowModel::showHoldingListAsKept() {
    const auto index = selectedItem();
    if (!index || tree_[*index].image == kLoggedOutImage) return;
    showHoldingList();
}

void MainWindowModel::showHoldingList() {
    showRows(fiscora::holdingRows(workspace_, workspace_.holdings));
    refreshAccountStatus();
    if (rows_.empty()) {
        holdingList_.selected = -1;
        return;
    }
    holdingList_.selected = 0;
    requestFocus(MainPane::List);
}

void MainWindowModel::selectHolding(std::int32_t market, std::string_view gbkCode) {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const Holding& h = rows_[row].holding;
        if (h.market == market && h.stockCode == gbkCode) {
            holdingList_.select(static_cast<int>(row));
            return;
        }
    }
}

void MainWindowModel::refreshAccountStatus() {
    accountStatus_.clear();
    const auto index = selectedItem();
    if (!index || tree_[*index].image == kLoggedOutImage) return;
    const AccountInfo* account = findAccount(workspace_.accounts, tree_[*index].gbkName);
    if (account == nullptr) return;
    // The workspace's holdings and cash sums are those of the whole ledger as it is now:
    // every change of the ledger brings them up to date before the status is refreshed.
    const AccountSummary s = keptAccountSummary(workspace_, *account);
    // Taking the whole cash as shown may leave a hair below zero: that reads 0.000, not -0.000.
    auto shown = [](double amount) {
        return formatAmount(std::fabs(amount) < 0.0005 ? 0 : amount);
    };
    accountStatus_ = "资金余额: " + shown(s.cashBalance) + s.currencyUnit +
                     "    总资产: " + shown(s.totalAssets) + s.currencyUnit;
}

void MainWindowModel::reload() {
    tree_.clear();
    selected_ = -1;
    // Each name's first state, found by hash: a registry may hold 100,000 accounts, and a
    // search of the states per account would make the tree quadratic in them.
    std::unordered_map<std::string_view, bool> loggedInByName;
    loggedInByName.reserve(workspace_.loginStates.size());
    for (const LoginState& state : workspace_.loginStates)
        loggedInByName.emplace(state.name, state.loggedIn);
    tree_.reserve(workspace_.accounts.size());
    for (const AccountInfo& account : workspace_.accounts) {
        const std::string gbkName(fieldBytes(account.name));
        const auto state = loggedInByName.find(gbkName);
        const bool loggedIn = state != loggedInByName.end() && state->second;
        tree_.push_back(
            {fieldText(account.name), gbkName, loggedIn ? kLoggedInImage : kLoggedOutImage});
    }
}

void MainWindowModel::selectAccount(const std::string& gbkName) {
    for (std::size_t i = 0; i < tree_.size(); ++i) {
        if (tree_[i].gbkName == gbkName) {
            selectTreeItem(static_cast<int>(i));
            return;
        }
    }
}

void MainWindowModel::showLogin(int index, bool loggedIn) {
    AccountTreeItem& item = tree_.at(index);
    LoginState* state = loginStateOf(item.gbkName);
    if (state == nullptr) return;
    state->loggedIn = loggedIn;
    item.image = loggedIn ? kLoggedInImage : kLoggedOutImage;
    if (loggedIn) {
        selected_ = index;
        OnTreeSelChanged();
        return;
    }
    // A protected account's key goes with its login.
    workspace_.keys.forget(item.gbkName);
    clearHoldingList();
    caption_ = kProductName;
}

void MainWindowModel::renameItem(int index, std::string text, std::string gbkName) {
    tree_.at(index).text = std::move(text);
    tree_.at(index).gbkName = std::move(gbkName);
}

void MainWindowModel::removeItem(int index) {
    workspace_.keys.forget(tree_.at(index).gbkName);
    tree_.erase(tree_.begin() + index);
    selected_ = -1;
    clearHoldingList();
    caption_ = kProductName;
}

void MainWindowModel::clearHoldingList() {
    showRows({});
    holdingList_.selected = -1;
    accountStatus_.clear();
}

void MainWindowModel::showRows(std::vector<HoldingRow> rows) {
    // The same positions with new figures (行情刷新) keep the list's scroll position.
    bool samePositions = rows.size() == rows_.size() && !rows.empty();
    for (std::size_t i = 0; samePositions && i < rows.size(); ++i) {
        samePositions = rows[i].holding.market == rows_[i].holding.market &&
                        rows[i].holding.stockCode == rows_[i].holding.stockCode;
    }
    rows_ = std::move(rows);
    holdingList_.rowsReplaced(rows_.size(), samePositions);
}

std::optional<int> MainWindowModel::selectedItem() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(tree_.size())) return std::nullopt;
    return selected_;
}

std::optional<TreeAccount> MainWindowModel::requireSelection() {
    const auto index = selectedItem();
    if (!index) {
        messages().plain("请选中一个帐户");
        return std::nullopt;
    }
    const AccountTreeItem& item = tree_[*index];
    return TreeAccount{*index, item.text, item.gbkName, item.image != kLoggedOutImage};
}

std::optional<GuardedAccount> MainWindowModel::AccountGuard() {
    const auto item = requireSelection();
    if (!item) return std::nullopt;
    if (!item->loggedIn) {
        messages().error("帐户还未登录，不能进行操作");
        return std::nullopt;
    }
    AccountInfo* account = findAccount(workspace_.accounts, item->gbkName);
    if (account == nullptr) return std::nullopt;
    return GuardedAccount{item->text, *account};
}

const HoldingRow* MainWindowModel::selectedHolding() {
    const int row = holdingList_.selected;
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[row] : nullptr;
}

LoginState* MainWindowModel::loginStateOf(const std::string& gbkName) {
    for (LoginState& state : workspace_.loginStates) {
        if (state.name == gbkName) return &state;
    }
    return nullptr;
}

void MainWindowModel::requestFocus(MainPane pane) {
    focusPane_ = pane;
    ++focusRequest_;
}

}  // namespace fiscora::ui
