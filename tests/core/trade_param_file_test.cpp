#include "store/trade_param_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/workspace.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

TradeParam row(const char* prefix, double rate) {
    TradeParam p{};
    p.market = 1;
    std::strncpy(p.codePrefix, prefix, 6);
    p.commissionRate = rate;
    return p;
}

TEST(TradeParamFile, MissingFileIsCreatedEmpty) {
    test::TempDir dir;
    test::RecordingMessages messages;
    TradeParamTable table = {row("6", 0.1)};
    EXPECT_TRUE(loadTradeParams(dir.file("trdpara.dat"), table, messages));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(test::readBytes(dir.file("trdpara.dat")).size(), 0u);
}

TEST(TradeParamFile, PlainRowsInTableOrderAndTrailingBytesDropped) {
    test::TempDir dir;
    test::RecordingMessages messages;
    TradeParamTable table = {row("6", 0.1), row("600", 0.2)};
    ASSERT_TRUE(saveTradeParams(dir.file("trdpara.dat"), table, messages));
    Bytes file = test::readBytes(dir.file("trdpara.dat"));
    ASSERT_EQ(file.size(), 158u);
    EXPECT_EQ(std::memcmp(file.data(), table.data(), 158), 0);  // not enciphered
    EXPECT_EQ(file[4], '6');

    file.push_back(1);
    file.push_back(2);  // 160 bytes: two rows and two stray bytes
    test::writeBytes(dir.file("trdpara.dat"), file);
    TradeParamTable back;
    ASSERT_TRUE(loadTradeParams(dir.file("trdpara.dat"), back, messages));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_STREQ(back[1].codePrefix, "600");
    EXPECT_DOUBLE_EQ(back[1].commissionRate, 0.2);
    ASSERT_TRUE(saveTradeParams(dir.file("trdpara.dat"), back, messages));
    EXPECT_EQ(test::readBytes(dir.file("trdpara.dat")).size(), 158u);
}

TEST(TradeParamFile, FailuresLeaveTheTableAndAreReported) {
    test::TempDir dir;
    test::RecordingMessages messages;
    std::filesystem::create_directory(dir.file("trdpara.dat"));
    TradeParamTable table = {row("6", 0.1)};
    EXPECT_FALSE(loadTradeParams(dir.file("trdpara.dat"), table, messages));
    EXPECT_EQ(table.size(), 1u);
    EXPECT_FALSE(saveTradeParams(dir.file("no/trdpara.dat"), table, messages));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text,
              "不能打开文件trdpara.dat读取交易参数数据!（原因：不是普通文件）");
    EXPECT_EQ(messages.shown[1].text, "不能打开文件trdpara.dat读取相关数据!");
    EXPECT_EQ(messages.shown[1].caption, "错误");
}

TEST(TradeParamFile, PathIsInTheCurrentDirectory) {
    test::TempDir dir;
    test::RecordingMessages messages;
    test::ScopedCurrentDirectory cd(dir.path());
    EXPECT_EQ(*tradeParamPath(messages),
              std::filesystem::canonical(dir.path()).string() + "/trdpara.dat");
}

TEST(TradeParamFile, TheWindowLoadsAndSavesInTheDirectoryCurrentAtEachCall) {
    test::TempDir first;
    test::TempDir second;
    test::RecordingMessages messages;
    ASSERT_TRUE(saveTradeParams(second.file("trdpara.dat"), {row("6", 0.001)}, messages));
    Workspace ws(messages);
    {
        test::ScopedCurrentDirectory cd(first.path());
        ws.open(first.file("invest/"));
        EXPECT_TRUE(ws.tradeParams.empty());
    }
    test::ScopedCurrentDirectory cd(second.path());
    ASSERT_TRUE(ws.loadTradeParamTable());
    ASSERT_EQ(ws.tradeParams.size(), 1u);
    ws.tradeParams.push_back(row("0", 0.002));
    ASSERT_TRUE(ws.saveTradeParamTable());
    EXPECT_EQ(test::readBytes(second.file("trdpara.dat")).size(), 2 * sizeof(TradeParam));
    EXPECT_EQ(test::readBytes(first.file("trdpara.dat")).size(), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace fiscora
