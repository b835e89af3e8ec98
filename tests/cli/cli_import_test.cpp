#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "records/gbk_text.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// 张三 of the sample tree holds 600 × 600036 and 600 × 000002 with about 85,000 in cash.
// The statement sells the first, tries to sell 1000 of the second, buys 601318, has an
// interest line and tries to take out more cash than there is.
const char* const kStatement =
    "成交日期,证券代码,证券名称,操作,成交数量,成交均价,成交金额,手续费,印花税,过户费,发生金额,"
    "交易市场\r\n"
    "20240801,600036,招商银行,证券卖出,600,13.00,\"7,800.00\",5.00,7.80,0.08,\"7,787.12\","
    "上海A股\r\n"
    "20240802,000002,万科A,证券卖出,1000,9.00,\"9,000.00\",5.00,9.00,0,\"8,986.00\",深圳A股\r\n"
    "20240803,601318,中国平安,证券买入,\"1,000\",45.00,\"45,000.00\",11.25,0,0.45,\"-45,011.70\","
    "上海A股\r\n"
    "20240804,,,利息归本,0,0,0,0,0,0,1.20,\r\n"
    "20240805,,,银证转出,0,0,0,0,0,0,\"-500,000.00\",\r\n";

class CliImport : public ::testing::Test {
protected:
    CliImport() {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
        write(root.file("交割单.csv"), utf8ToGbk(kStatement).value());
    }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    CliRun cli(const std::vector<std::string>& tail) {
        std::vector<std::string> args = {"--password-file", secrets.file("pw")};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }

    // The second field (outcome) of every row after the header.
    static std::vector<std::string> outcomes(const std::string& out) {
        std::vector<std::string> shown;
        std::istringstream lines(out);
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line)) {
            const std::size_t tab = line.find('\t');
            shown.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
        }
        return shown;
    }

    TempDir root;
    TempDir secrets;
};

using Outcomes = std::vector<std::string>;

TEST_F(CliImport, DryRunPrintsThePreviewAndTouchesNothing) {
    const auto before = treeContents(root.path());
    expectGolden(cli({"import", "张三", "交割单.csv", "--dry-run"}), "import_preview.tsv");
    expectGolden(cli({"--format", "json", "import", "张三", "交割单.csv", "--dry-run"}),
                 "import_preview.json");
    EXPECT_EQ(treeContents(root.path()), before);
}

TEST_F(CliImport, OnlyYesBooksAndASecondImportBooksNothing) {
    const auto before = treeContents(root.path());
    const CliRun asked = cli({"import", "张三", "交割单.csv"});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_NE(asked.err.find("nothing booked"), std::string::npos) << asked.err;
    EXPECT_EQ(outcomes(asked.out), (Outcomes{"记入", "拒绝", "记入", "跳过", "拒绝"}));
    EXPECT_EQ(treeContents(root.path()), before);

    const CliRun booked = cli({"import", "张三", "交割单.csv", "--yes"});
    EXPECT_EQ(booked.exitCode, 0) << booked.err;
    EXPECT_EQ(booked.err, "");
    const Ledger ledger = ledgerOnDisk(root.file("invest/"), "张三");
    ASSERT_EQ(ledger.size(), 9u);
    EXPECT_EQ(ledger[7].kind(), RecordType::Sell);
    EXPECT_DOUBLE_EQ(ledger[7].amount, 7787.12);
    EXPECT_EQ(ledger[8].kind(), RecordType::Buy);
    EXPECT_EQ(std::string(fieldBytes(ledger[8].stockCode)), "601318");
    EXPECT_EQ(test::unpacked(ledger[8].market), 1);

    const auto afterBooking = treeContents(root.path());
    const CliRun again = cli({"import", "张三", "交割单.csv", "--yes"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(outcomes(again.out), (Outcomes{"重复", "拒绝", "重复", "跳过", "拒绝"}));
    EXPECT_EQ(treeContents(root.path()), afterBooking);
}

TEST_F(CliImport, AHandWrittenMappingReadsAnotherLayout) {
    write(root.file("map.txt"), "日期 = 交收日期\n代码 = 股票代码\n业务 = 类别\n数量 = 股数\n"
                                "价格 = 价格\n发生金额 = 清算金额\n费用 = 佣金, 税\n"
                                "买入股票 = 担保品买入\n");
    write(root.file("other.txt"),
          "交收日期\t类别\t股票代码\t股数\t价格\t佣金\t税\t清算金额\n"
          "2024-08-01\t担保品买入\t601318\t100\t45.00\t5.00\t0\t-4505.00\n");
    const CliRun r = cli({"import", "张三", "other.txt", "--mapping", "map.txt", "--yes"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(outcomes(r.out), (Outcomes{"记入"}));
    EXPECT_DOUBLE_EQ(ledgerOnDisk(root.file("invest/"), "张三").back().amount, 4505);
}

// 张三 holds 600 × 600036; the broker's balances after each line close the statement.
TEST_F(CliImport, ReconciliationIsPrintedAndCashAdjustmentsMakeItMatch) {
    const double cash = cashBalance(ledgerOnDisk(root.file("invest/"), "张三"));
    const auto balance = [&](double change) { return std::to_string(cash + change); };
    write(root.file("对账单.csv"),
          "交收日期,证券代码,证券名称,业务名称,成交数量,成交价格,成交金额,发生金额,资金余额,"
          "股份余额\n"
          "20240801,600036,招商银行,证券卖出,100,13.00,1300,1295.00," +
              balance(1295) +
              ",500\n"
              "20240802,,,利息归本,0,0,0,0.85," +
              balance(1295.85) + ",0\n");
    const CliRun differing = cli({"import", "张三", "对账单.csv", "--dry-run"});
    EXPECT_EQ(outcomes(differing.out), (Outcomes{"记入", "跳过", "对帐"}));
    EXPECT_NE(differing.out.find("对帐：资金差 -0.850 元"), std::string::npos) << differing.out;

    const CliRun json = cli({"--format", "json", "import", "张三", "对账单.csv", "--dry-run",
                             "--include-cash-adjustments"});
    EXPECT_NE(json.out.find("\"outcome\":\"对帐\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("对帐：资金相符"), std::string::npos) << json.out;

    const CliRun booked =
        cli({"import", "张三", "对账单.csv", "--yes", "--include-cash-adjustments"});
    EXPECT_EQ(booked.exitCode, 0) << booked.err;
    const Ledger ledger = ledgerOnDisk(root.file("invest/"), "张三");
    EXPECT_EQ(ledger.back().kind(), RecordType::CashIn);
    EXPECT_EQ(fieldText(ledger.back().remark), "利息归本");
}

TEST_F(CliImport, HelpDescribesTheMappingFormat) {
    const CliRun help = runCli(root.path(), {"help", "import"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("  日期 = 交收日期"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("see README"), std::string::npos);
}

TEST_F(CliImport, UnreadableInputIsRefusedWithoutWriting) {
    write(root.file("bad.txt"), "日期 = 交收日期\n代码 股票代码\n");
    const auto run = [&](std::vector<std::string> tail) {
        return [this, tail] { return cli(tail); };
    };
    expectRefusedRun(root.path(), run({"import", "张三", "交割单.csv", "--mapping", "bad.txt"}),
                     "映射文件第2行：缺少“=”", 1);
    expectRefusedRun(root.path(), run({"import", "张三", "none.csv", "--yes"}),
                     "找不到文件none.csv", 1);
    expectRefusedRun(root.path(), run({"import", "张三", "bad.txt", "--dry-run"}),
                     "文件中找不到交割单的标题行", 1);
    expectRefusedRun(root.path(), run({"import", "张三", "交割单.csv", "--dry-run", "--yes"}),
                     "--dry-run and --yes exclude each other", 2);
    expectRefusedRun(root.path(), run({"import", "张三"}), "import takes ACCOUNT FILE", 2);
}

}  // namespace
}  // namespace fiscora::test
