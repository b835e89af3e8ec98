#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "records/gbk_text.h"
#include "store/change_intent.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

const char* const kStatement =
    "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,手续费,印花税,过户费,发生金额,"
    "交易市场\r\n"
    "20240801,600036,招商银行,证券卖出,600,13.00,\"7,800.00\",5.00,7.80,0.08,\"7,787.12\","
    "上海A股\r\n";

// protect and unprotect on the sample tree (张三, password "secret"), and every writing
// command on a protected account.
class CliProtection : public ::testing::Test {
protected:
    CliProtection() {
        for (TempDir* tree : {&root, &plain}) {
            writeSampleData(tree->path());
            std::ofstream(tree->file("交割单.csv"), std::ios::binary)
                << utf8ToGbk(kStatement).value();
        }
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
        std::ofstream(secrets.file("new"), std::ios::binary) << "n3w\n";
        std::ofstream(secrets.file("wrong"), std::ios::binary) << "nope\n";
        std::ofstream(secrets.file("empty"), std::ios::binary) << "\n";
    }

    CliRun cliIn(const TempDir& tree, const std::vector<std::string>& tail,
                 const std::string& password = "pw") {
        std::vector<std::string> args = {"--password-file", secrets.file(password)};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(tree.path(), args);
    }
    CliRun cli(const std::vector<std::string>& tail, const std::string& password = "pw") {
        return cliIn(root, tail, password);
    }

    std::string ledgerBytes(const TempDir& tree, const std::string& name) {
        const Bytes bytes = readBytes(tree.file("invest/" + name + ".da0"));
        return {bytes.begin(), bytes.end()};
    }

    TempDir root;
    TempDir plain;  // the same commands on the account left unprotected
    TempDir secrets;
};

TEST_F(CliProtection, EveryWritingCommandOnAProtectedAccountBooksWhatItBooksUnprotected) {
    const std::string shown = cli({"ledger", "张三"}).out;
    const CliRun on = cli({"protect", "张三"});
    ASSERT_EQ(on.exitCode, 0) << on.err;
    EXPECT_EQ(ledgerBytes(root, "张三").substr(0, 8), "FSPROTLG");
    EXPECT_EQ(cli({"ledger", "张三"}).out, shown);

    const std::vector<std::vector<std::string>> commands = {
        {"book", "张三", "cash-in", "--date", "20240201", "--amount", "1000"},
        {"book", "张三", "buy", "--date", "20240202", "--code", "600036", "--price", "10",
         "--quantity", "100"},
        {"book", "张三", "dividend", "--date", "20240203", "--code", "600036", "--rate", "0.5"},
        {"edit-record", "张三", "8", "--remark", "受保护"},
        {"delete-record", "张三", "9", "--yes"},
        {"import", "张三", "交割单.csv", "--yes"},
        {"delete-stock", "张三", "--code", "000002", "--market", "深圳", "--yes"},
        {"rename-account", "张三", "张三丰"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        const CliRun onProtected = cli(command);
        const CliRun onPlain = cliIn(plain, command);
        ASSERT_EQ(onProtected.exitCode, 0) << onProtected.err;
        ASSERT_EQ(onPlain.exitCode, 0) << onPlain.err;
        EXPECT_EQ(onProtected.out, onPlain.out);
    }
    const std::vector<std::string> rekey = {"change-password", "张三丰", "--new-password-file",
                                            secrets.file("new")};
    ASSERT_EQ(cli(rekey).exitCode, 0);
    ASSERT_EQ(cliIn(plain, rekey).exitCode, 0);
    EXPECT_EQ(cli({"ledger", "张三丰"}).exitCode, 1);
    EXPECT_EQ(cli({"ledger", "张三丰"}, "new").out, cliIn(plain, {"ledger", "张三丰"}, "new").out);

    const CliRun off = cli({"unprotect", "张三丰"}, "new");
    ASSERT_EQ(off.exitCode, 0) << off.err;
    EXPECT_EQ(ledgerBytes(root, "张三丰"), ledgerBytes(plain, "张三丰"));
    EXPECT_EQ(readBytes(root.file("invest/pinfo.dat")), readBytes(plain.file("invest/pinfo.dat")));
}

TEST_F(CliProtection, AWrongPasswordOrAChangedByteReadsNothing) {
    ASSERT_EQ(cli({"protect", "张三"}).exitCode, 0);
    const auto before = treeContents(root.path());
    const CliRun wrong = cli({"ledger", "张三"}, "wrong");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.err, "密码错误\n");
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(cli({"book", "张三", "cash-in", "--amount", "5"}, "wrong").exitCode, 1);
    EXPECT_EQ(cli({"unprotect", "张三"}, "wrong").exitCode, 1);
    EXPECT_EQ(treeContents(root.path()), before);

    // Only a protected ledger needs its password to be checked.
    const CliRun verified = cli({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_NE(verified.out.find("张三\tok\t7\t\n"), std::string::npos) << verified.out;
    EXPECT_NE(verified.out.find("李四\tok\t1\tsame\n"), std::string::npos) << verified.out;
    const CliRun locked = cli({"verify"}, "wrong");
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(locked.out.find("张三\tlocked\t0\t\n"), std::string::npos) << locked.out;

    std::string bytes = ledgerBytes(root, "张三");
    bytes[bytes.size() / 2] ^= 0x10;
    std::ofstream(root.file("invest/张三.da0"), std::ios::binary) << bytes;
    const CliRun tampered = cli({"verify"});
    EXPECT_NE(tampered.out.find("张三\ttampered\t0\t\n"), std::string::npos) << tampered.out;
    const CliRun refused = cli({"holdings", "张三"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "记录张三个人资料的文件已经被非法篡改，不能读取资料\n");
}

TEST_F(CliProtection, VerifyTellsALedgerWrittenByAnotherProgramWithoutRefusingIt) {
    EXPECT_NE(cli({"verify"}).out.find("李四\tok\t1\tsame\n"), std::string::npos);
    // Another program writes 李四's ledger again with one record less: the digests beside
    // the data folder are not its business.
    const Bytes digests = readBytes(root.file("invest.fiscora-digests"));
    std::string bytes = ledgerBytes(plain, "李四");
    std::ofstream(root.file("invest/李四.da0"), std::ios::binary)
        << bytes.substr(0, bytes.size() - 200);
    writeBytes(root.file("invest.fiscora-digests"), digests);
    const CliRun r = cli({"verify"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("李四\tok\t0\tchanged\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("changed since this program last wrote it"), std::string::npos);
    EXPECT_EQ(cli({"ledger", "李四"}, "empty").exitCode, 0);
}

TEST_F(CliProtection, AProtectionKilledBeforeTheRegistryIsUndoneByTheNextCommand) {
    const std::string before = ledgerBytes(root, "张三");
    const CliRun killed =
        runCli(root.path(), {"--password-file", secrets.file("pw"), "protect", "张三"},
               {"FISCORA_CRASH_AT=ledger-changed"});
    EXPECT_EQ(killed.exitCode, 86);
    EXPECT_TRUE(fileExists(root.file(std::string("invest/") + kPreviousLedgerFileName)));
    EXPECT_EQ(cli({"ledger", "张三"}).exitCode, 0);
    EXPECT_EQ(ledgerBytes(root, "张三"), before);
    EXPECT_FALSE(fileExists(root.file(std::string("invest/") + kPreviousLedgerFileName)));
    EXPECT_FALSE(fileExists(root.file(std::string("invest/") + kIntentFileName)));
}

}  // namespace
}  // namespace fiscora::test
