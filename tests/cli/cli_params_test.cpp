#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "records/gbk_text.h"
#include "store/trade_param_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// params add, edit and delete against the sample tree, whose fee table holds one row:
// 沪A, 上海, prefix 60, commission 0.3 %, minimum 5, stamp duty 0.1 %, transfer fee 1 per
// 1000 with a minimum of 1. Changes are read back from the file; every refusal leaves
// every byte of the tree as it was.
class CliParams : public ::testing::Test {
protected:
    CliParams() { writeSampleData(root.path()); }

    CliRun cli(const std::vector<std::string>& args) { return runCli(root.path(), args); }
    void expectRefused(const std::vector<std::string>& args, const std::string& message,
                       int exitCode) {
        expectRefusedRun(
            root.path(), [&] { return cli(args); }, message, exitCode);
    }
    TradeParamTable table() {
        TradeParamTable rows;
        EXPECT_TRUE(loadTradeParams(root.file(kTradeParamFileName), rows, messages));
        return rows;
    }

    TempDir root;
    RecordingMessages messages;
};

const std::string kHeader =
    "categoryName\tmarket\tcodePrefix\tcommissionRate\tminCommission\tstampDutyRate\t"
    "transferFeePer1000\tminTransferFee\torderFee\n";

TEST_F(CliParams, AddPutsTheRowLastWithTheBoxesNotGivenAtZero) {
    // The same prefix in the other market is a different row.
    const CliRun r = cli({"params", "add", "--market", "深圳", "--prefix", "60", "--name", "深60",
                          "--commission", "0.25", "--order-fee", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kHeader + "深60\t深圳\t60\t0.250\t0.000\t0.000\t0.000\t0.000\t1.000\n");

    const TradeParamTable rows = table();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(fieldText(rows[0].categoryName), "沪A");
    EXPECT_EQ(test::unpacked(rows[1].market), 0);
    EXPECT_STREQ(rows[1].codePrefix, "60");
    EXPECT_EQ(fieldText(rows[1].categoryName), "深60");
    EXPECT_DOUBLE_EQ(rows[1].commissionRate, 0.0025);
    EXPECT_EQ(test::unpacked(rows[1].minCommission), 0);
    EXPECT_EQ(test::unpacked(rows[1].orderFee), 1);
    EXPECT_EQ(readBytes(root.file(kTradeParamFileName)).size(), 2 * sizeof(TradeParam));

    // JSON has the stored fraction.
    const CliRun json = cli({"--format", "json", "params"});
    EXPECT_NE(json.out.find("\"commissionRate\":0.0025"), std::string::npos) << json.out;
}

TEST_F(CliParams, AddRefusalsLeaveTheFileAsItWas) {
    const std::vector<std::string> add = {"params", "add", "--market", "上海"};
    const auto with = [&add](std::vector<std::string> rest) {
        std::vector<std::string> args = add;
        args.insert(args.end(), rest.begin(), rest.end());
        return args;
    };
    expectRefused(with({"--prefix", "60", "--name", "沪主板"}),
                  "股票的特征代码和市场类型与沪A的全部一样，请重新填写", 1);
    expectRefused(with({"--prefix", "600", "--name", "沪A"}),
                  "已经有相同的股票分类简称存在，请重新命名", 1);
    // A negative order fee is refused before any test of the names.
    expectRefused(with({"--prefix", "60", "--name", "沪A", "--order-fee", "-1"}),
                  "委托费用不能小于零，请重新填写委托费用", 1);
    expectRefused(with({"--prefix", "600", "--name", "沪600", "--stamp-duty", "100.5"}),
                  "请输入一个在 0 和 100 之间的数字。", 1);
    expectRefused(with({"--prefix", "600", "--name", "沪600", "--commission", "abc"}),
                  "请输入一个数字。", 1);
    // 20 GBK bytes: the box takes 19.
    expectRefused(with({"--prefix", "600", "--name", "一二三四五六七八九十"}),
                  "--name takes at most 19 GBK bytes", 2);
    // What the boxes cannot take, or a missing box, is bad usage.
    expectRefused(with({"--prefix", "600"}), "params add needs --name", 2);
    expectRefused(with({"--prefix", "60a", "--name", "x"}), "--prefix takes digits only", 2);
    expectRefused({"params", "add", "--market", "北京", "--prefix", "1", "--name", "x"},
                  "--market takes 深圳 or 上海", 2);
    expectRefused(with({"--prefix", "600", "--name", "x", "--order-fee", "12345678901234567890"}),
                  "--order-fee takes at most 19 characters", 2);
    expectRefused(with({"--prefix", "600", "--name", "x", "--yes"}), "--yes is for params delete",
                  2);
}

TEST_F(CliParams, EditChangesTheNamedRowAndKeepsTheBoxesNotGiven) {
    const CliRun r = cli({"params", "edit", "沪A", "--commission", "0.25", "--prefix", "600"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kHeader + "沪A\t上海\t600\t0.250\t5.000\t0.100\t1.000\t1.000\t0.000\n");
    TradeParamTable rows = table();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(rows[0].commissionRate, 0.0025);
    EXPECT_DOUBLE_EQ(rows[0].stampDutyRate, 0.001);
    EXPECT_EQ(test::unpacked(rows[0].minCommission), 5);

    // A clash with another row is told with the modify wording.
    ASSERT_EQ(
        cli({"params", "add", "--market", "上海", "--prefix", "900", "--name", "沪B"}).exitCode, 0);
    expectRefused({"params", "edit", "沪B", "--prefix", "600"},
                  "股票的特征代码与沪A的全部一样，请重新填写", 1);
    expectRefused({"params", "edit", "深A", "--order-fee", "1"},
                  "the fee table has no row named 深A", 1);
}

TEST_F(CliParams, DeleteAsksAndOnlyYesRemovesTheRow) {
    expectRefused({"params", "delete", "沪A"}, "真的要删除此项交易参数吗?", 1);
    expectRefused({"params", "delete", "深A", "--yes"}, "the fee table has no row named 深A", 1);
    expectRefused({"params", "delete", "沪A", "--order-fee", "1"}, "params delete takes only --yes",
                  2);

    const CliRun r = cli({"params", "delete", "沪A", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kHeader + "沪A\t上海\t60\t0.300\t5.000\t0.100\t1.000\t1.000\t0.000\n");
    // The only row gone: an empty file, and fees from the default row.
    EXPECT_TRUE(table().empty());
    EXPECT_TRUE(readBytes(root.file(kTradeParamFileName)).empty());
    EXPECT_EQ(cli({"params"}).out, kHeader);
}

TEST_F(CliParams, OnlyTheThreeFormsAreTaken) {
    expectRefused({"params", "remove", "沪A"}, "params takes add, edit NAME or delete NAME", 2);
    expectRefused({"params", "add", "沪A"}, "params takes add, edit NAME or delete NAME", 2);
    expectRefused({"params", "edit"}, "params takes add, edit NAME or delete NAME", 2);
    expectRefused({"params", "--yes"}, "params lists the fee table and takes no options", 2);
}

}  // namespace
}  // namespace fiscora::test
