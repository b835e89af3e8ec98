#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "engine/dates.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// Dividends, bonus shares, rights issues and delete-stock through the window's own dialogs
// and commands. 张三 (深沪A股) put in 20000 and bought 1000 shares of 600036 at 10.00; each
// booking is read back from the file, and each refusal leaves every byte as it was.
class CliCorporateActions : public ::testing::Test {
protected:
    CliCorporateActions() {
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
        EXPECT_EQ(run({"create-account", "张三", "--trade-type", "深沪A股", "--capital", "20000"})
                      .exitCode,
                  0);
        EXPECT_EQ(
            run({"book", "张三", "buy", "--code", "600036", "--price", "10", "--quantity", "1000"})
                .exitCode,
            0);
    }

    CliRun run(std::vector<std::string> tail) {
        std::vector<std::string> args = {"--data", "data", "--password-file", secrets.file("pw")};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }
    CliRun book(std::vector<std::string> tail) {
        tail.insert(tail.begin(), {"book", "张三"});
        return run(tail);
    }
    void expectRefused(const std::vector<std::string>& tail, const std::string& message,
                       int exitCode = 1) {
        expectRefusedRun(
            root.path(), [&] { return run(tail); }, message, exitCode);
    }
    Ledger ledger() { return ledgerOnDisk(root.file("data/"), "张三"); }

    TempDir root;
    TempDir secrets;
};

const std::string kHeader =
    "market\tdate\ttype\tkind\tstockCode\tquantity\tprice\tfee\tamount\tcashSign\tremark\n";

TEST_F(CliCorporateActions, EachKindBooksTheDialogsRecord) {
    const std::string day = std::to_string(today());
    CliRun r = book({"dividend", "--code", "600036", "--rate", "0.125", "--remark", "年度分红"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kHeader + "1\t" + day +
                         "\t2\t股票分红\t600036\t1000\t0.125\t0.000\t125.000\t1\t年度分红\n");
    r = book({"bonus", "--code", "600036", "--grant", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kHeader + "1\t" + day + "\t3\t送股\t600036\t300\t0.000\t0.000\t0.000\t0\t\n");
    // 1300 held now: 10 for 1 offers at most 130.
    r = book({"rights", "--code", "600036", "--quantity", "100", "--price", "9.00", "--date",
              "20240105"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kHeader + "1\t20240105\t4\t配股\t600036\t100\t9.000\t11.800\t911.800\t-1\t\n");

    const Ledger onDisk = ledger();
    ASSERT_EQ(onDisk.size(), 5u);
    EXPECT_EQ(test::unpacked(onDisk[2].amount), 125.0);
    EXPECT_EQ(test::unpacked(onDisk[3].quantity), 300);
    EXPECT_EQ(test::unpacked(onDisk[4].fee), 11.8);
    EXPECT_EQ(test::unpacked(onDisk[4].amount), 911.8);
}

TEST_F(CliCorporateActions, RefusalsAreTheDialogsOwnAndWriteNothing) {
    expectRefused({"book", "张三", "dividend", "--code", "000001", "--rate", "1"},
                  "张三 holds no 000001");
    expectRefused({"book", "张三", "dividend", "--code", "600036", "--rate", "0"},
                  "每股分红金额不能小于零");
    expectRefused(
        {"book", "张三", "dividend", "--code", "600036", "--rate", "1", "--market", "深圳"},
        "the market is fixed to 上海");
    expectRefused({"book", "张三", "bonus", "--code", "600036", "--per", "0"},
                  "送股方案的填写有误，请重新填写数据");
    expectRefused({"book", "张三", "bonus", "--code", "600036", "--per", "10000"},
                  "送股数量不能为零，请重新填写数据");
    expectRefused(
        {"book", "张三", "rights", "--code", "600036", "--quantity", "101", "--price", "9"},
        "配股数量超过了最大可配股数，请重填数据");
    expectRefused({"book", "张三", "rights", "--code", "600036", "--grant", "30", "--quantity",
                   "3000", "--price", "9"},
                  "支出超过了现金数目，请减小配股数量");
    expectRefused({"book", "张三", "rights", "--code", "600036", "--price", "9"},
                  "rights needs --quantity", 2);
    // The purchase dialog has no field 红利率: the option is bad usage, and nothing is booked.
    expectRefused({"book", "张三", "buy", "--code", "600036", "--price", "1", "--quantity", "1",
                   "--rate", "1"},
                  "--rate does not apply to buy", 2);
}

TEST_F(CliCorporateActions, DeleteStockAnswersTheQuestionYesOnlyWithYes) {
    ASSERT_EQ(book({"dividend", "--code", "600036", "--rate", "0.5"}).exitCode, 0);
    expectRefused({"delete-stock", "张三", "--code", "600036", "--market", "上海"},
                  "的全部记录都将被删除，真的要删除吗？ (no)");
    expectRefused({"delete-stock", "张三", "--code", "600036", "--market", "深圳"},
                  "张三 holds no 600036 in 深圳");
    expectRefused({"delete-stock", "张三", "--code", "600036", "--market", "上海", "--yes=1"},
                  "--yes takes no value", 2);

    const CliRun r = run({"delete-stock", "张三", "--code", "600036", "--market", "上海", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "removedRecords\n2\n");
    EXPECT_NE(r.err.find("(yes)"), std::string::npos);
    const Ledger onDisk = ledger();
    ASSERT_EQ(onDisk.size(), 1u);
    EXPECT_EQ(onDisk[0].kind(), RecordType::CashIn);
}

}  // namespace
}  // namespace fiscora::test
