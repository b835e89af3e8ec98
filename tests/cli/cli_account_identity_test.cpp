#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "cli/terminal_cli_runner.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// rename-account and change-password go through the window's own commands; the files are
// read back with the core's readers, and every refusal leaves every byte as it was.
class CliAccountIdentity : public ::testing::Test {
protected:
    CliAccountIdentity() {
        scrambler.setFileKey();
        write("pw", "secret\n");
        write("wrong", "nope\n");
        write("new", "n3w\n");
        const CliRun made = runCli(root.path(), {"--data", "data", "--password-file",
                                                 secrets.file("pw"), "create-account", "张三",
                                                 "--trade-type", "深沪A股", "--capital", "1000"});
        EXPECT_EQ(made.exitCode, 0) << made.err;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(secrets.file(name), std::ios::binary) << text;
    }
    CliRun run(const std::string& passwordFile, const std::vector<std::string>& tail,
               const std::vector<std::string>& env = {}) {
        std::vector<std::string> args = {"--data", "data", "--password-file",
                                         secrets.file(passwordFile)};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args, env);
    }
    AccountList accounts() {
        RecordingMessages quiet;
        return loadRegistry(root.file("data/"), scrambler, quiet, OpenMode::ReadOnly);
    }
    LedgerStatus open(const std::string& name, const std::string& password) {
        RecordingMessages quiet;
        AccountInfo account{};
        storeText(account.name, name);
        storeText(account.password, password);
        Ledger ledger;
        return loadLedger({root.file("data/"), scrambler, quiet, OpenMode::ReadOnly}, account,
                          ledger);
    }

    TempDir root;
    TempDir secrets;
    DataScrambler scrambler;
};

TEST_F(CliAccountIdentity, RenameMovesTheAccountAndItsLedger) {
    const CliRun r = run("pw", {"rename-account", "张三", "张三丰"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1, 10), "张三丰\t");
    ASSERT_EQ(accounts().size(), 1u);
    EXPECT_EQ(fieldText(accounts()[0].name), "张三丰");
    EXPECT_FALSE(fileExists(root.file("data/张三.da0")));
    EXPECT_EQ(open("张三丰", "secret"), LedgerStatus::Ok);
}

TEST_F(CliAccountIdentity, RefusalsLeaveEveryByte) {
    const auto before = treeContents(root.path());
    const CliRun wrong = run("wrong", {"rename-account", "张三", "李四"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("密码错误，注意是否按下了Caps Lock键"), std::string::npos)
        << wrong.err;
    const CliRun taken = run("pw", {"rename-account", "张三", "张三"});
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_NE(taken.err.find("已有同样的帐户名存在"), std::string::npos) << taken.err;
    const CliRun unknown = run("pw", {"rename-account", "王五", "李四"});
    EXPECT_EQ(unknown.exitCode, 1);
    const CliRun badOld =
        run("wrong", {"change-password", "张三", "--new-password-file", secrets.file("new")});
    EXPECT_EQ(badOld.exitCode, 1);
    const CliRun empty = run("pw", {"change-password", "张三"}, {"FISCORA_NEW_PASSWORD="});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("新密码不能为空!请重新输入密码."), std::string::npos) << empty.err;
    const CliRun noNew = run("pw", {"change-password", "张三"});
    EXPECT_EQ(noNew.exitCode, 2);
    EXPECT_EQ(run("pw", {"rename-account", "张三"}).exitCode, 2);
    EXPECT_EQ(treeContents(root.path()), before);
}

TEST_F(CliAccountIdentity, NewPasswordFromAFileOrTheEnvironment) {
    const CliRun fromFile =
        run("pw", {"change-password", "张三", "--new-password-file", secrets.file("new")});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    EXPECT_EQ(fieldBytes(accounts()[0].password), "n3w");
    EXPECT_EQ(open("张三", "n3w"), LedgerStatus::Ok);

    const CliRun fromEnv = run("new", {"change-password", "张三"}, {"FISCORA_NEW_PASSWORD=v4"});
    ASSERT_EQ(fromEnv.exitCode, 0) << fromEnv.err;
    EXPECT_EQ(open("张三", "v4"), LedgerStatus::Ok);
}

TEST_F(CliAccountIdentity, NewPasswordTypedTwiceOnATerminal) {
    const std::vector<std::string> args = {
        "--data", "data", "--password-file", secrets.file("pw"), "change-password", "张三"};
    std::string terminal;
    const auto before = treeContents(root.path());
    const CliRun differing =
        runCliOnTerminal(root.path(), args, {{"新密码: ", "one"}, {"密码确认: ", "two"}}, terminal);
    EXPECT_EQ(differing.exitCode, 1) << differing.err;
    EXPECT_NE(differing.err.find("两次输入的密码不一样!请重新输入密码."), std::string::npos)
        << differing.err;
    EXPECT_EQ(treeContents(root.path()), before);

    const CliRun same =
        runCliOnTerminal(root.path(), args, {{"新密码: ", "one"}, {"密码确认: ", "one"}}, terminal);
    ASSERT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(open("张三", "one"), LedgerStatus::Ok);

    // Without a terminal the message names the new password's own sources.
    const CliRun none = run("pw", {"change-password", "张三"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("--new-password-file FILE or set FISCORA_NEW_PASSWORD"),
              std::string::npos)
        << none.err;
}

}  // namespace
}  // namespace fiscora::test
