#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "store/trade_param_file.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// Without --data, --params or --host-dir every command works in the home folder; reading
// creates nothing, and a first booking creates what it needs there.
class CliHomeFolder : public ::testing::Test {
protected:
    CliHomeFolder() {
        ::mkdir(elsewhere.c_str(), 0755);
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
    }

    CliRun run(std::vector<std::string> args, std::vector<std::string> env = {}) {
        args.insert(args.begin(), {"--password-file", secrets.file("pw")});
        env.push_back("HOME=" + root.file("user"));
        return runCli(elsewhere, args, env);
    }
    CliRun createAccount(std::vector<std::string> global, std::vector<std::string> env = {}) {
        global.insert(global.end(),
                      {"create-account", "张三", "--trade-type", "深沪A股", "--capital", "1000"});
        return run(global, env);
    }
    CliRun addFeeRow(std::vector<std::string> global) {
        global.insert(global.end(),
                      {"params", "add", "--market", "上海", "--prefix", "60", "--name", "沪A"});
        return run(global);
    }

    TempDir root;
    TempDir secrets;
    const std::string elsewhere = root.file("elsewhere/");
    const std::string home = root.file("user/.local/share/fiscora/");
};

TEST_F(CliHomeFolder, AFirstBookingCreatesTheHomeFolderAndReadingCreatesNothing) {
    const CliRun accounts = run({"accounts"});
    EXPECT_EQ(accounts.exitCode, 0) << accounts.err;
    EXPECT_EQ(run({"summary", "张三"}).exitCode, 1);
    EXPECT_FALSE(fileExists(root.file("user")));

    const CliRun created = createAccount({});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_TRUE(fileExists(home + "invest/pinfo.dat"));
    EXPECT_TRUE(fileExists(home + "invest/张三.da0"));
    // A booking needs no fee table, so none is left behind, here or where it ran.
    EXPECT_FALSE(fileExists(home + kTradeParamFileName));
    EXPECT_TRUE(treeContents(elsewhere).empty());

    // Read back from another folder without any option.
    const CliRun listed = runCli(root.path(), {"accounts"}, {"HOME=" + root.file("user")});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("张三"), std::string::npos);

    ASSERT_EQ(addFeeRow({}).exitCode, 0);
    EXPECT_EQ(readBytes(home + kTradeParamFileName).size(), sizeof(TradeParam));
}

TEST_F(CliHomeFolder, ExplicitChoicesWinOverTheDefault) {
    ASSERT_EQ(createAccount({}, {"XDG_DATA_HOME=" + root.file("xdg")}).exitCode, 0);
    EXPECT_TRUE(fileExists(root.file("xdg/fiscora/invest/pinfo.dat")));

    ASSERT_EQ(createAccount({}, {"FISCORA_HOME=" + root.file("env")}).exitCode, 0);
    EXPECT_TRUE(fileExists(root.file("env/invest/pinfo.dat")));

    ASSERT_EQ(
        createAccount({"--home", root.file("cmd")}, {"FISCORA_HOME=" + root.file("env2")}).exitCode,
        0);
    EXPECT_TRUE(fileExists(root.file("cmd/invest/pinfo.dat")));
    EXPECT_FALSE(fileExists(root.file("env2")));
    EXPECT_FALSE(fileExists(root.file("user")));

    // A current folder that holds invest/ is used as before, when no home is named.
    ::mkdir((elsewhere + "invest").c_str(), 0755);
    ASSERT_EQ(createAccount({}).exitCode, 0);
    EXPECT_TRUE(fileExists(elsewhere + "invest/pinfo.dat"));
    ASSERT_EQ(addFeeRow({}).exitCode, 0);
    EXPECT_TRUE(fileExists(elsewhere + kTradeParamFileName));
    EXPECT_FALSE(fileExists(root.file("user")));
}

TEST_F(CliHomeFolder, DataAloneKeepsTheFeeTableBesideTheDataFolder) {
    ::mkdir(root.file("books").c_str(), 0755);
    ASSERT_EQ(addFeeRow({"--data", root.file("books/invest")}).exitCode, 0);
    EXPECT_TRUE(fileExists(root.file("books/") + kTradeParamFileName));
    // --params still wins.
    ASSERT_EQ(addFeeRow({"--data", root.file("books/invest"), "--params", root.file("fees.dat")})
                  .exitCode,
              0);
    EXPECT_TRUE(fileExists(root.file("fees.dat")));
    EXPECT_FALSE(fileExists(root.file("user")));
}

TEST_F(CliHomeFolder, NoHomeFolderIsAUsageError) {
    const CliRun r = runCli(elsewhere, {"accounts"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no home folder"), std::string::npos) << r.err;
    EXPECT_TRUE(treeContents(elsewhere).empty());
}

}  // namespace
}  // namespace fiscora::test
