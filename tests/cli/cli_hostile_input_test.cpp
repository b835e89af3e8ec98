// The command line given what it must refuse: hostile files in the data folder,
// numbers beyond what the records hold, repeated options.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

class CliHostile : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
    }
    std::string ledgerFile(const std::string& name) const {
        return root.file("invest/" + name + ".da0");
    }
    CliRun book(const std::vector<std::string>& tail) {
        std::vector<std::string> args = {"--password-file", secrets.file("pw"), "book", "张三"};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }

    TempDir root;
    TempDir secrets;
};

TEST_F(CliHostile, VerifyCallsALedgerEndingInAPartialRecordNotOk) {
    std::ofstream(ledgerFile("张三"), std::ios::binary | std::ios::app) << std::string(40, 'x');
    const CliRun r = runCli(root.path(), {"verify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("张三\tpartial\t7\tsame\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(ledgerFile("张三") + " ends in a partial record"), std::string::npos);
}

TEST_F(CliHostile, FifosAndDevicesAreRefusedInsteadOfWaitedOn) {
    std::filesystem::remove(ledgerFile("张三"));
    ASSERT_EQ(::mkfifo(ledgerFile("张三").c_str(), 0644), 0);
    const CliRun verify = runCli(root.path(), {"verify"});
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_NE(verify.out.find("张三\tmissing\t0\t\n"), std::string::npos) << verify.out;
    EXPECT_NE(verify.err.find("（原因：不是普通文件）"), std::string::npos) << verify.err;
    EXPECT_EQ(runCli(root.path(), {"ledger", "张三"}, {"FISCORA_PASSWORD=secret"}).exitCode, 1);

    const CliRun zero = runCli(root.path(), {"--quotes", "/dev/zero", "accounts"});
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_NE(zero.err.find("/dev/zero: not a regular file"), std::string::npos) << zero.err;
}

TEST_F(CliHostile, ABookingNeverWritesThroughALink) {
    const TempDir outside;
    std::filesystem::remove(ledgerFile("张三"));
    std::filesystem::create_symlink(outside.file("elsewhere.da0"), ledgerFile("张三"));
    const CliRun r = book({"cash-in", "--amount", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("（原因：不是普通文件）"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(outside.file("elsewhere.da0")));
    EXPECT_TRUE(std::filesystem::is_symlink(ledgerFile("张三")));
}

TEST_F(CliHostile, QuantitiesBeyondARecordGetTheRangePromptHoweverLarge) {
    for (const char* quantity : {"2147483648", "4294967296", "9999999999999999999"}) {
        const CliRun r = book({"buy", "--code", "600036", "--price", "1", "--quantity", quantity});
        EXPECT_EQ(r.exitCode, 1) << quantity;
        EXPECT_EQ(r.err, "请输入一个在 0 和 2147483647 之间的整数。\n") << quantity;
    }
}

TEST_F(CliHostile, AmountsWhoseSumsCannotBeRepresentedAreRefusedAtTheirBox) {
    ASSERT_EQ(book({"cash-in", "--amount", "1e308"}).exitCode, 0);
    const CliRun second = book({"cash-in", "--amount", "1e308"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, "输入的数值太大,计算结果无法表示,请重新输入\n");
    const CliRun price = book({"buy", "--code", "600036", "--price", "1e300", "--quantity", "1e9"});
    EXPECT_EQ(price.exitCode, 1);
    // A purchase still works: the balance stayed a number.
    const CliRun buy = book({"buy", "--code", "600036", "--price", "1", "--quantity", "100"});
    EXPECT_EQ(buy.exitCode, 0) << buy.err;
}

TEST_F(CliHostile, NamesWithControlCharactersOrOnlySpacesAreNoFileNames) {
    for (const std::string& name :
         std::vector<std::string>{"a\tb", "a\nb", "a\rb", "a\x01", "   "}) {
        const CliRun r =
            runCli(root.path(), {"--password-file", secrets.file("pw"), "create-account", name,
                                 "--trade-type", "深沪A股", "--capital", "10"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("不能用作文件名"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(root.file("invest/" + name + ".da0")));
    }
}

TEST_F(CliHostile, AnOptionGivenTwiceIsBadUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--data", "a", "--data", "b", "accounts"},
          std::vector<std::string>{"--format", "json", "--format=tsv", "accounts"},
          std::vector<std::string>{"--password-file", secrets.file("pw"), "book", "张三", "cash-in",
                                   "--amount", "1", "--amount", "2"}}) {
        const CliRun r = runCli(root.path(), args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("is given twice"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace fiscora::test
