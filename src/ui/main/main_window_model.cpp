#include "ui/main/main_window_model.h"

#include <cmath>

#include "engine/account_summary.h"
#include "engine/number_format.h"
#include "host/module_state.h"
#include "records/gbk_text.h"
#include "ui/account/account_commands.h"
#include "ui/analysis/chart_dialog.h"
#include "ui/common/dialog_title.h"
#include "ui/main/about_box.h"
#include "ui/main/command_ids.h"
#include "ui/trade/trade_commands.h"

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
    : workspace_(messages), dialogs_(dialogs), caption_(kProductName),
      accountCommands_(std::make_unique<AccountCommands>(*this)),
      tradeCommands_(std::make_unique<TradeCommands>(*this)) {
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
    refreshAccountTree();
    requestFocus(MainPane::Tree);
}

bool MainWindowModel::isAvailable(int commandId) const {
    return commands_.contains(resolved(commandId));
}

void MainWindowModel::OnCommand(int commandId) {
    const auto it = commands_.find(resolved(commandId));
    if (it != commands_.end()) it->second();
}

void MainWindowModel::showAbout() {
    AboutBox about(messages());
    dialogs_.run(about);
}

// The charts of the selected logged-in account, from its holdings at the prices of now.
void MainWindowModel::showCharts(ChartKind kind) {
    const auto account = AccountGuard();
    if (!account) return;
    ChartDialog charts(messages(), account->name,
                       fiscora::holdingRows(workspace_, workspace_.holdings), kind);
    dialogs_.run(charts);
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
        showAccountInCaption(item.text);
        if (const AccountInfo* account = accountOf(item)) workspace_.loadLedgerOf(*account);
        refreshHoldingList();
        return;
    }
    clearHoldingList();
    workspace_.ledger.clear();
    showPlainCaption();
}

void MainWindowModel::OnTreeClick(int index) {
    if (index < 0 || index >= static_cast<int>(tree_.size())) return;
    selectTreeItem(index);
    accountCommands_->OnLogin();
}

void MainWindowModel::OnTreeEnter() {
    accountCommands_->OnLogin();
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
    showRows(fiscora::holdingRows(workspace_, workspace_.holdings));
    refreshAccountStatus();
    if (rows_.empty()) {
        holdingList_.selected = -1;
        return;
    }
    holdingList_.selected = 0;
    requestFocus(MainPane::List);
}

const Holding* MainWindowModel::selectedHolding() const {
    const int row = holdingList_.selected;
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[static_cast<std::size_t>(row)].holding;
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
    const AccountInfo* account = accountOf(tree_[*index]);
    if (account == nullptr) return;
    const AccountSummary s = accountSummary(workspace_, *account);
    // Taking the whole cash as shown may leave a hair below zero: that reads 0.000, not -0.000.
    auto shown = [](double amount) {
        return formatAmount(std::fabs(amount) < 0.0005 ? 0 : amount);
    };
    accountStatus_ = "资金余额: " + shown(s.cashBalance) + s.currencyUnit +
                     "    总资产: " + shown(s.totalAssets) + s.currencyUnit;
}

void MainWindowModel::refreshAccountTree() {
    tree_.clear();
    selected_ = -1;
    for (const AccountInfo& account : workspace_.accounts) {
        const std::string gbkName(fieldBytes(account.name));
        const LoginState* state = loginStateOf(gbkName);
        const bool loggedIn = state != nullptr && state->loggedIn;
        tree_.push_back(
            {fieldText(account.name), gbkName, loggedIn ? kLoggedInImage : kLoggedOutImage});
    }
}

void MainWindowModel::removeTreeItem(int index) {
    tree_.erase(tree_.begin() + index);
    selected_ = -1;
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

std::optional<int> MainWindowModel::requireSelection() {
    const auto index = selectedItem();
    if (!index) messages().plain("请选中一个帐户");
    return index;
}

std::optional<GuardedAccount> MainWindowModel::AccountGuard() {
    const auto index = requireSelection();
    if (!index) return std::nullopt;
    if (tree_[*index].image == kLoggedOutImage) {
        messages().error("帐户还未登录，不能进行操作");
        return std::nullopt;
    }
    AccountInfo* account = accountOf(tree_[*index]);
    if (account == nullptr) return std::nullopt;
    return GuardedAccount{tree_[*index].text, *account};
}

void MainWindowModel::showAccountInCaption(const std::string& name) {
    caption_ = dialogTitle(kProductName, name);
}

void MainWindowModel::showPlainCaption() {
    caption_ = kProductName;
}

AccountInfo* MainWindowModel::accountOf(const AccountTreeItem& item) {
    return findAccount(workspace_.accounts, item.gbkName);
}

int MainWindowModel::itemIndexOf(const std::string& gbkName) const {
    for (std::size_t i = 0; i < tree_.size(); ++i) {
        if (tree_[i].gbkName == gbkName) return static_cast<int>(i);
    }
    return -1;
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
