#include "ui/main/main_menus.h"

#include "ui/main/command_ids.h"

namespace fiscora::ui {
namespace {

const MenuItem kSeparator{};

MenuItem bonusAndRightsSubmenu() {
    return {
        "送配股票", 0, {{"送股", command::kBonusShares, {}}, {"配股", command::kRightsIssue, {}}}};
}

// 买入股票, 卖出股票, 股票分红 and 送配股票: the start of every stock menu.
std::vector<MenuItem> stockEntries() {
    return {{"买入股票", command::kBuy, {}},
            {"卖出股票", command::kSell, {}},
            {"股票分红", command::kDividend, {}},
            bonusAndRightsSubmenu()};
}

}  // namespace

std::vector<MenuBarEntry> mainMenuBar() {
    std::vector<MenuItem> stock = stockEntries();
    stock.push_back({"删除记录", command::kDeleteStockRecords, {}});
    stock.push_back({"交易明细", command::kTradeDetails, {}});
    return {
        {"帐户(&A)",
         0,
         {{"登录帐户", command::kLogin, {}},
          {"新建帐户", command::kNewAccount, {}},
          {"删除帐户", command::kDeleteAccount, {}},
          {"关闭帐户", command::kCloseAccount, {}},
          kSeparator,
          {"修改帐号名", command::kRenameAccount, {}},
          {"修改密码", command::kChangePassword, {}},
          kSeparator,
          {"查看流水帐", command::kViewLedger, {}},
          {"导入交割单", command::kImportStatement, {}},
          {"帐户属性", command::kAccountProperties, {}},
          kSeparator,
          {"设置", command::kProgramSettings, {}},
          {"退出程序", command::kExit, {}}}},
        {"资金(&B)", 0, {{"追加资金", command::kCashIn, {}}, {"划出资金", command::kCashOut, {}}}},
        {"股票(&S)", 0, stock},
        {"分析(A)",
         0,
         {{"投资赢利额", command::kProfitAmount, {}},
          {"投资赢利率", command::kProfitRate, {}},
          {"净资产分布", command::kNetAssetShare, {}},
          {"净赢利分布", command::kNetProfitShare, {}},
          kSeparator,
          {"资金曲线", command::kCapitalCurve, {}},
          {"收益分析", command::kReturns, {}},
          kSeparator,
          {"数据打印", command::kPrint, {}},
          {"数据存盘", command::kSaveAsText, {}}}},
        {"参数设置", command::kTradeParams, {}},
        {"帮助(&H)", 0, {{"关于Fiscora", command::kAbout, {}}}},
    };
}

std::vector<ToolButton> toolbarButtons() {
    return {
        {0, command::kNewAccount, "新建帐号", false},
        {1, command::kAccountProperties, "帐户属性", false},
        {2, command::kViewLedger, "查看流水帐", false},
        {3, command::kCloseAccount, "关闭帐号", false},
        {-1, 0, "", false},
        {5, command::kBuy, "买入股票", false},
        {6, command::kSell, "卖出股票", false},
        {7, command::kOtherOperations, "其他操作", true},
        {8, command::kTradeDetails, "交易明细", false},
        {9, command::kDeleteStockRecords, "删除记录", false},
        {-1, 0, "", false},
        {11, command::kRefreshQuotes, "行情刷新", false},
        {12, command::kAnalysis, "投资分析", false},
        {13, command::kTradeParams, "参数设定", false},
    };
}

std::vector<MenuItem> otherOperationsMenu() {
    std::vector<MenuItem> items = stockEntries();
    items.push_back(kSeparator);
    items.push_back({"追加资金", command::kCashIn, {}});
    items.push_back({"划出资金", command::kCashOut, {}});
    return items;
}

std::vector<MenuItem> treePopupMenu() {
    return {{"登录帐户", command::kLogin, {}},
            {"关闭帐户", command::kCloseAccount, {}},
            {"新建帐户", command::kNewAccount, {}},
            {"删除帐户", command::kDeleteAccount, {}},
            kSeparator,
            {"修改帐号名", command::kRenameAccount, {}},
            {"修改密码", command::kChangePassword, {}},
            kSeparator,
            {"查看流水帐", command::kViewLedger, {}},
            {"导入交割单", command::kImportStatement, {}},
            {"帐户属性", command::kAccountProperties, {}}};
}

std::vector<MenuItem> listPopupMenu() {
    std::vector<MenuItem> items = stockEntries();
    items.push_back(kSeparator);
    items.push_back({"删除记录", command::kDeleteStockRecords, {}});
    items.push_back({"交易明细", command::kTradeDetails, {}});
    items.push_back(kSeparator);
    items.push_back({"数据打印", command::kPrint, {}});
    items.push_back({"数据存盘", command::kSaveAsText, {}});
    return items;
}

}  // namespace fiscora::ui
