#pragma once

namespace fiscora {

// A list that can leave the program: the title of its printed report and the name of its
// text export in the data directory.
struct ListReport {
    const char* title;
    const char* fileName;
};

inline constexpr ListReport kHoldingsReport{"盈亏明细打印", "盈亏明细.txt"};
inline constexpr ListReport kLedgerReport{"流水帐打印", "流水帐.txt"};
inline constexpr ListReport kTradeDetailsReport{"交易明细打印", "交易明细.txt"};
inline constexpr ListReport kReturnsReport{"收益分析打印", "收益分析.txt"};

// What the user is told when a text export cannot be written, and when a print job cannot
// be started.
inline constexpr const char* kSaveFailedMessage = "保存失败";
inline constexpr const char* kPrintJobFailedMessage = "无法启动打印作业。";

}  // namespace fiscora
