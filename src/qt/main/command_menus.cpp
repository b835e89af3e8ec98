#include "qt/main/command_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "qt/widgets/artwork.h"
#include "ui/main/command_ids.h"

namespace fiscora::qt {

namespace c = ui::command;

// One menu entry: a command (id != 0), a submenu (children) or a separator (neither).
struct CommandMenus::Entry {
    const char* text = nullptr;
    int id = 0;
    std::vector<Entry> children;
};


CommandMenus::CommandMenus(QWidget* owner, Run run, Available available)
    : QObject(owner), run_(std::move(run)), available_(std::move(available)),
      menuBar_(new QMenuBar(owner)), toolBar_(new QToolBar(owner)), treeMenu_(new QMenu(owner)),
      listMenu_(new QMenu(owner)), otherOperations_(new QMenu(owner)) {
    const std::vector<Entry> bonusAndRights = {{"送股", c::kBonusShares, {}}, {"配股", c::kRightsIssue, {}}};
    const std::vector<Entry> menus = {
        {"帐户(&A)", 0,
         {{"登录帐户", c::kLogin, {}}, {"新建帐户", c::kNewAccount, {}}, {"删除帐户", c::kDeleteAccount, {}},
          {"关闭帐户", c::kCloseAccount, {}}, {}, {"修改帐号名", c::kRenameAccount, {}},
          {"修改密码", c::kChangePassword, {}}, {}, {"查看流水帐", c::kViewLedger, {}},
          {"帐户属性", c::kAccountProperties, {}}, {"退出程序", c::kExit, {}}}},
        {"资金(&B)", 0, {{"追加资金", c::kCashIn, {}}, {"划出资金", c::kCashOut, {}}}},
        {"股票(&S)", 0,
         {{"买入股票", c::kBuy, {}}, {"卖出股票", c::kSell, {}}, {"股票分红", c::kDividend, {}},
          {"送配股票", 0, bonusAndRights}, {"删除记录", c::kDeleteStockRecords, {}},
          {"交易明细", c::kTradeDetails, {}}}},
        {"分析(A)", 0,
         {{"投资赢利额", c::kProfitAmount, {}}, {"投资赢利率", c::kProfitRate, {}},
          {"净资产分布", c::kNetAssetShare, {}}, {"净赢利分布", c::kNetProfitShare, {}}, {},
          {"资金曲线", c::kCapitalCurve, {}}, {}, {"数据打印", c::kPrint, {}}, {"数据存盘", c::kSaveAsText, {}}}},
    };
    for (const auto& menu : menus) fill(menuBar_->addMenu(QString::fromUtf8(menu.text)), menu.children);
    menuBar_->addAction(commandAction(QStringLiteral("参数设置"), c::kTradeParams, menuBar_));
    fill(menuBar_->addMenu(QStringLiteral("帮助(&H)")), {{"关于Fiscora", c::kAbout, {}}});

    fill(otherOperations_, {{"买入股票", c::kBuy, {}}, {"卖出股票", c::kSell, {}}, {"股票分红", c::kDividend, {}},
                            {"送配股票", 0, bonusAndRights}, {}, {"投入资金", c::kCashIn, {}},
                            {"划出资金", c::kCashOut, {}}});
    fill(treeMenu_, {{"登录帐户", c::kLogin, {}}, {"关闭帐户", c::kCloseAccount, {}}, {"新建帐户", c::kNewAccount, {}},
                     {"删除帐户", c::kDeleteAccount, {}}, {}, {"修改帐号名", c::kRenameAccount, {}},
                     {"修改密码", c::kChangePassword, {}}, {}, {"查看流水帐", c::kViewLedger, {}},
                     {"帐户属性", c::kAccountProperties, {}}});
    fill(listMenu_, {{"买入股票", c::kBuy, {}}, {"卖出股票", c::kSell, {}}, {"股票分红", c::kDividend, {}},
                     {"送配股票", 0, bonusAndRights}, {}, {"删除记录", c::kDeleteStockRecords, {}},
                     {"交易明细", c::kTradeDetails, {}}, {}, {"数据打印", c::kPrint, {}},
                     {"数据存盘", c::kSaveAsText, {}}});
    buildToolBar(owner);
    updateEnabled();
}

QAction* CommandMenus::commandAction(const QString& text, int id, QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { run_(id); });
    actions_.push_back(action);
    return action;
}

void CommandMenus::fill(QMenu* menu, const std::vector<Entry>& entries) {
    for (const auto& entry : entries) {
        if (!entry.children.empty()) fill(menu->addMenu(QString::fromUtf8(entry.text)), entry.children);
        else if (entry.id == 0) menu->addSeparator();
        else menu->addAction(commandAction(QString::fromUtf8(entry.text), entry.id, menu));
    }
}

void CommandMenus::buildToolBar(QWidget* owner) {
    struct Button {
        int image;
        int id;
        const char* tooltip;
    };
    // Image -1 is a separator.
    static const Button buttons[] = {
        {0, c::kNewAccount, "新建帐号"},    {1, c::kAccountProperties, "帐户属性"},
        {2, c::kViewLedger, "查看流水帐"},  {3, c::kCloseAccount, "关闭帐号"},
        {-1, 0, nullptr},                   {5, c::kBuy, "买入股票"},
        {6, c::kSell, "卖出股票"},          {7, c::kOtherOperations, "其他操作"},
        {8, c::kTradeDetails, "交易明细"},  {9, c::kDeleteStockRecords, "删除记录"},
        {-1, 0, nullptr},                   {11, c::kRefreshQuotes, "行情刷新"},
        {12, c::kAnalysis, "投资分析"},     {13, c::kTradeParams, "参数设定"},
    };
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& button : buttons) {
        if (button.image < 0) {
            toolBar_->addSeparator();
            continue;
        }
        const QString tooltip = QString::fromUtf8(button.tooltip);
        if (button.id == c::kOtherOperations) {
            // The face of this button does nothing; its arrow opens the popup.
            auto* face = new QAction(toolbarIcon(button.image), tooltip, owner);
            otherOperationsButton_ = new QToolButton(toolBar_);
            otherOperationsButton_->setDefaultAction(face);
            otherOperationsButton_->setMenu(otherOperations_);
            otherOperationsButton_->setPopupMode(QToolButton::MenuButtonPopup);
            otherOperationsButton_->setIconSize(QSize(32, 32));
            otherOperationsButton_->setAutoRaise(true);
            toolBar_->addWidget(otherOperationsButton_);
            continue;
        }
        QAction* action = commandAction(tooltip, button.id, toolBar_);
        action->setIcon(toolbarIcon(button.image));
        action->setToolTip(tooltip);
        toolBar_->addAction(action);
    }
}

void CommandMenus::updateEnabled() {
    for (QAction* action : actions_) action->setEnabled(available_(action->data().toInt()));
}

std::vector<QAction*> CommandMenus::actionsOf(int id) const {
    std::vector<QAction*> found;
    for (QAction* action : actions_)
        if (action->data().toInt() == id) found.push_back(action);
    return found;
}

}  // namespace fiscora::qt
