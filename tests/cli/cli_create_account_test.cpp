#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "cli/terminal_cli_runner.h"
#include "engine/dates.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// create-account writes through the window's own command: the files it leaves are read
// back with the core's readers, and every refusal leaves the data as it was.
class CliCreateAccount : public ::testing::Test {
protected:
    CliCreateAccount() {
        scrambler.setFileKey();
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
    }

    CliRun create(const std::vector<std::string>& tail) {
        std::vector<std::string> args = {"--data", "data", "--password-file", secrets.file("pw"),
                                         "create-account"};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }

    AccountList accounts() {
        RecordingMessages quiet;
        return loadRegistry(root.file("data/"), scrambler, quiet, OpenMode::ReadOnly);
    }
    // The account's ledger as the core reads it; a load that fails fails the test.
    Ledger ledgerOf(const AccountInfo& account) {
        RecordingMessages messages;
        Ledger ledger;
        EXPECT_EQ(loadLedger({root.file("data/"), scrambler, messages, OpenMode::ReadOnly}, account,
                             ledger),
                  LedgerStatus::Ok);
        return ledger;
    }

    TempDir root;
    TempDir secrets;
    DataScrambler scrambler;
};

TEST_F(CliCreateAccount, WritesTheRegistryAndTheOpeningLedger) {
    const CliRun r =
        create({"张三", "--trade-type", "上证B股", "--capital", "2500.5", "--remark", "测试帐户"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "name\ttradeType\tinitialCapital\tcreatedDate\tremark\n张三\t上证B股\t2500.500\t" +
                  std::to_string(today()) + "\t测试帐户\n");

    const AccountList list = accounts();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(fieldText(list[0].name), "张三");
    EXPECT_EQ(fieldBytes(list[0].password), "secret");  // the file's line end is not part of it
    EXPECT_EQ(test::unpacked(list[0].initialCapital), 2500.5);

    const Ledger ledger = ledgerOf(list[0]);
    ASSERT_EQ(ledger.size(), 1u);
    EXPECT_EQ(ledger[0].kind(), RecordType::CashIn);
    EXPECT_EQ(test::unpacked(ledger[0].amount), 2500.5);
    EXPECT_EQ(fieldText(ledger[0].remark), "测试帐户");

    // The new account reads back through the read-side commands with its password.
    const CliRun read = runCli(
        root.path(), {"--data", "data", "--password-file", secrets.file("pw"), "ledger", "张三"});
    EXPECT_EQ(read.exitCode, 0) << read.err;
}

TEST_F(CliCreateAccount, RefusalsShowTheDialogsMessagesAndWriteNothing) {
    ASSERT_EQ(create({"张三", "--trade-type", "深沪A股", "--capital", "100"}).exitCode, 0);
    const auto before = treeContents(root.path());
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"张三", "--trade-type", "深沪A股", "--capital", "100"},
         "已有同样的帐户名存在，请选择其他的帐户名!"},
        {{"李四", "--trade-type", "深沪A股", "--capital", "0"},
         "投入资金数额不能小于等于零!请重新输入投入资金数额."},
        {{"李四", "--trade-type", "深沪A股", "--capital", "abc"}, "请输入一个数字。"},
        {{"../李四", "--trade-type", "深沪A股", "--capital", "10"}, "不能用作文件名"},
    };
    for (const auto& [args, message] : refused) {
        const CliRun r = create(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(treeContents(root.path()), before) << args[0];
    }
}

TEST_F(CliCreateAccount, BadUsageExitsTwo) {
    const std::vector<std::string> bad[] = {
        {"王五", "--capital", "10"},                                             // no trade type
        {"王五", "--trade-type", "港股", "--capital", "10"},                     // not a trade type
        {"王五", "--trade-type", "深沪A股", "--capital", "10", "--price", "1"},  // not its option
        {"--trade-type", "深沪A股", "--capital", "10"},                          // no name
    };
    for (const auto& args : bad) {
        const CliRun r = create(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
    }
    EXPECT_FALSE(fileExists(root.file("data/pinfo.dat")));

    // Without any password source the command cannot ask, and writes nothing.
    const CliRun r = runCli(root.path(), {"--data", "data", "create-account", "王五",
                                          "--trade-type", "深沪A股", "--capital", "10"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(fileExists(root.file("data/pinfo.dat")));
}

TEST_F(CliCreateAccount, DateGivesTheCreationDayAndTheOpeningDeposits) {
    const CliRun r =
        create({"张三", "--trade-type", "深沪A股", "--capital", "100", "--date", "20240105"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\t20240105\t"), std::string::npos) << r.out;
    const AccountList list = accounts();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(test::unpacked(list[0].createdDate), 20240105);
    const Ledger ledger = ledgerOf(list[0]);
    ASSERT_EQ(ledger.size(), 1u);
    EXPECT_EQ(ledger[0].date, 20240105);

    // A day the calendar does not have is bad usage, and nothing is written.
    for (const char* day : {"20240231", "2024010", "yesterday"}) {
        expectRefusedRun(
            root.path(),
            [&] {
                return create(
                    {"李四", "--trade-type", "深沪A股", "--capital", "100", "--date", day});
            },
            "--date takes a day as YYYYMMDD", 2);
    }
}

// On a terminal the new password is typed twice, as the dialog asks for it; two entries
// that differ are the dialog's refusal (exit 1), not bad usage.
TEST_F(CliCreateAccount, OnATerminalThePasswordIsTypedTwice) {
    const std::vector<std::string> args = {"--data",       "data",    "create-account", "张三",
                                           "--trade-type", "深沪A股", "--capital",      "100"};
    std::string terminal;
    const CliRun differing = runCliOnTerminal(
        root.path(), args, {{"新帐户张三的密码: ", "abc"}, {"密码确认: ", "abd"}}, terminal);
    EXPECT_EQ(differing.exitCode, 1) << differing.err;
    EXPECT_NE(differing.err.find("两次输入的密码不一样!请重新输入密码."), std::string::npos)
        << differing.err;
    EXPECT_EQ(differing.out, "");
    EXPECT_TRUE(accounts().empty());

    terminal.clear();
    const CliRun same = runCliOnTerminal(
        root.path(), args, {{"新帐户张三的密码: ", "abc"}, {"密码确认: ", "abc"}}, terminal);
    ASSERT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(terminal.find("abc"), std::string::npos) << "the password was echoed: " << terminal;
    ASSERT_EQ(accounts().size(), 1u);
    EXPECT_EQ(fieldBytes(accounts()[0].password), "abc");
}

}  // namespace
}  // namespace fiscora::test
