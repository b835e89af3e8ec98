#include "host/module_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

TEST(ModuleState, DefaultDataDirectoryIsInvestBelowTheCurrentDirectory) {
    test::TempDir dir;
    {
        test::ScopedCurrentDirectory cd(dir.path());
        ASSERT_TRUE(initDefaultDataDirectory());
    }
    // Fixed at start-up: a later change of the current directory does not move it.
    const std::string real = std::filesystem::canonical(dir.path()).string();
    EXPECT_EQ(dataDirectory(), real + "/invest/");
    EXPECT_EQ(currentDirectory()->back(), '/');
}

TEST(ModuleState, DefaultDataDirectoryKeepsALongCurrentDirectoryWhole) {
    test::TempDir dir;
    std::string deep = dir.path();
    while (deep.size() < 300) deep += "abcdefghij/";
    std::filesystem::create_directories(deep);
    {
        test::ScopedCurrentDirectory cd(deep);
        ASSERT_TRUE(initDefaultDataDirectory());
    }
    const std::string real = std::filesystem::canonical(deep).string();
    EXPECT_EQ(dataDirectory(), real + "/invest/");
}

TEST(ModuleState, PrivateDirectoryIsCopiedVerbatimAndBounded) {
    setPrivateInvestDir("/data/");
    EXPECT_EQ(dataDirectory(), "/data/");
    setPrivateInvestDir("/data");  // no separator added: files become /datapinfo.dat
    EXPECT_EQ(dataDirectory(), "/data");
    setPrivateInvestDir(nullptr);
    EXPECT_EQ(dataDirectory(), "/data");

    std::string longPath(400, 'a');
    setPrivateInvestDir(longPath.c_str());
    EXPECT_EQ(dataDirectory().size(), kDataDirectoryCapacity - 1);
}

TEST(ModuleState, DefaultTradeParamsStartZeroAndTakeTheStandardRates) {
    defaultTradeParams() = TradeParam{};
    EXPECT_EQ(test::unpacked(defaultTradeParams().minCommission), 0.0);
    setStandardDefaultTradeParams();
    EXPECT_DOUBLE_EQ(defaultTradeParams().commissionRate, 0.0035);
    EXPECT_DOUBLE_EQ(defaultTradeParams().minCommission, 10.0);
    EXPECT_DOUBLE_EQ(defaultTradeParams().stampDutyRate, 0.002);
    EXPECT_EQ(test::unpacked(defaultTradeParams().transferFeePer1000), 0.0);
    EXPECT_EQ(test::unpacked(defaultTradeParams().market), 0);
    EXPECT_EQ(defaultTradeParams().codePrefix[0], '\0');
}

}  // namespace
}  // namespace fiscora
