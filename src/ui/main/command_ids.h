#pragma once

namespace fiscora::ui {

// Command ids of the main window's menus, toolbar and popup menus.
namespace command {
// 帐户
inline constexpr int kLogin = 32776;              // 登录帐户
inline constexpr int kNewAccount = 32786;         // 新建帐户
inline constexpr int kDeleteAccount = 32787;      // 删除帐户
inline constexpr int kCloseAccount = 32773;       // 关闭帐户
inline constexpr int kRenameAccount = 32789;      // 修改帐号名
inline constexpr int kChangePassword = 32790;     // 修改密码
inline constexpr int kViewLedger = 32791;         // 查看流水帐
inline constexpr int kAccountProperties = 32792;  // 帐户属性
inline constexpr int kImportStatement = 32810;    // 导入交割单
inline constexpr int kProgramSettings = 32820;    // 设置 (home folder, quote file)
inline constexpr int kExit = 32784;               // 退出程序
// 资金
inline constexpr int kCashIn = 32794;   // 追加资金
inline constexpr int kCashOut = 32795;  // 划出资金
// 股票
inline constexpr int kBuy = 32796;                 // 买入股票
inline constexpr int kSell = 32797;                // 卖出股票
inline constexpr int kDividend = 32798;            // 股票分红
inline constexpr int kBonusShares = 32799;         // 送股
inline constexpr int kRightsIssue = 32800;         // 配股
inline constexpr int kDeleteStockRecords = 32780;  // 删除记录
inline constexpr int kTradeDetails = 32802;        // 交易明细
// 分析
inline constexpr int kProfitAmount = 32803;    // 投资赢利额
inline constexpr int kProfitRate = 32804;      // 投资赢利率
inline constexpr int kNetAssetShare = 32805;   // 净资产分布
inline constexpr int kNetProfitShare = 32806;  // 净赢利分布
inline constexpr int kCapitalCurve = 32788;    // 资金曲线
inline constexpr int kReturns = 32821;         // 收益分析
inline constexpr int kPrint = 32793;           // 数据打印
inline constexpr int kSaveAsText = 32801;      // 数据存盘
// 参数设置, 帮助
inline constexpr int kTradeParams = 32807;  // 参数设置 / 参数设定
inline constexpr int kAbout = 57664;        // 关于Fiscora
// Toolbar only
inline constexpr int kRefreshQuotes = 32778;    // 行情刷新
inline constexpr int kAnalysis = 32777;         // 投资分析
inline constexpr int kOtherOperations = 32809;  // 其他操作 (drop-down; its face does nothing)
}  // namespace command

}  // namespace fiscora::ui
