#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "engine/ledger_change_rules.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// ledger, edit-record and delete-record against the sample tree. 张三's ledger, by index:
// 1 cash in 100000, 2 buy 600036 x1000, 3 buy 000002 x500, 4 sell 600036 x400,
// 5 dividend 000002, 6 bonus 000002 x100, 7 cash out 5000. Changes are read back from
// the ledger file; every refusal leaves every byte of the tree as it was.
class CliLedgerRecords : public ::testing::Test {
protected:
    CliLedgerRecords() {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
    }

    CliRun cli(const std::vector<std::string>& tail) {
        std::vector<std::string> args = {"--password-file", secrets.file("pw"), "--quotes",
                                         "quotes.txt"};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }
    // The run must end with `exitCode`, `message` on stderr, nothing on stdout, and
    // change nothing.
    void expectUnchanged(const std::vector<std::string>& tail, const std::string& message,
                         int exitCode) {
        const auto before = treeContents(root.path());
        const CliRun r = cli(tail);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(treeContents(root.path()), before) << "a refusal wrote data";
    }
    // The first field of every row printed after the header.
    static std::vector<std::string> indexes(const std::string& out) {
        std::vector<std::string> shown;
        std::istringstream lines(out);
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line)) shown.push_back(line.substr(0, line.find('\t')));
        return shown;
    }

    Ledger ledger() { return ledgerOnDisk(root.file("invest/"), "张三"); }

    TempDir root;
    TempDir secrets;
};

using Indexes = std::vector<std::string>;

TEST_F(CliLedgerRecords, FiltersKeepTheRecordsIndexInTheLedger) {
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--kind", "buy"}).out), (Indexes{"2", "3"}));
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--kind", "送股"}).out), (Indexes{"6"}));
    // The code filter hides every cash record.
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--code", "000002"}).out), (Indexes{"3", "5", "6"}));
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--from", "20240103", "--to", "20240110"}).out),
              (Indexes{"2", "3", "4"}));
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--from", "20240104", "--to", "20240104"}).out),
              (Indexes{"3"}));
    // From later than to shows nothing; the filters combine.
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--from", "20240110", "--to", "20240103"}).out),
              Indexes{});
    EXPECT_EQ(indexes(cli({"ledger", "张三", "--kind", "sell", "--code", "000002"}).out),
              Indexes{});
}

TEST_F(CliLedgerRecords, LedgerFilterOptionsTheBoxesCannotHoldAreBadUsage) {
    expectUnchanged({"ledger", "张三", "--from", "20240103"}, "--from and --to go together", 2);
    expectUnchanged({"ledger", "张三", "--from", "20240231", "--to", "20240301"},
                    "take a day as YYYYMMDD", 2);
    expectUnchanged({"ledger", "张三", "--kind", "loan"}, "--kind takes", 2);
    expectUnchanged({"ledger", "张三", "--code", "60003a"}, "at most six digits", 2);
}

TEST_F(CliLedgerRecords, TextExportWritesTheListAsShown) {
    TempDir out;
    const auto before = treeContents(root.path());
    const CliRun r = cli({"ledger", "张三", "--code", "600036", "--text", out.file("l.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(treeContents(root.path()), before);
    std::ifstream file(out.file("l.txt"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    const std::string gbk = *utf8ToGbk("时间\t市场\t账目类型\t");
    EXPECT_EQ(text.rfind(gbk, 0), 0u) << "the header comes first";
    // The header and the two rows of 600036, each ending CR LF.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find(*utf8ToGbk("2024年 1月 3日")), std::string::npos);
    EXPECT_NE(text.find(*utf8ToGbk("卖出股票")), std::string::npos);
    EXPECT_EQ(text.find(*utf8ToGbk("投入资金")), std::string::npos);

    ASSERT_EQ(cli({"ledger", "张三", "--pdf", out.file("l.pdf")}).exitCode, 0);
    EXPECT_EQ(readText(out.file("l.pdf")).rfind("%PDF-", 0), 0u);
    // A filter that shows nothing has no report to print.
    const CliRun empty = cli({"ledger", "张三", "--kind", "rights", "--pdf", out.file("none.pdf")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("the ledger list is empty"), std::string::npos);
    EXPECT_FALSE(fileExists(out.file("none.pdf")));
}

TEST_F(CliLedgerRecords, EditedRecordsAreRebuiltFromTheEditorsBoxes) {
    const CliRun cash = cli({"edit-record", "张三", "7", "--amount", "4000", "--remark", "备用金"});
    ASSERT_EQ(cash.exitCode, 0) << cash.err;
    // The record as it was, then as it is.
    EXPECT_EQ(indexes(cash.out), (Indexes{"7", "7"}));
    const CliRun buy = cli({"edit-record", "张三", "2", "--quantity", "900", "--date", "20240105"});
    ASSERT_EQ(buy.exitCode, 0) << buy.err;

    const Ledger records = ledger();
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[6].kind(), RecordType::CashOut);
    EXPECT_EQ(test::unpacked(records[6].amount), 4000);
    EXPECT_EQ(test::unpacked(records[6].cashSign), -1);
    EXPECT_EQ(fieldText(records[6].remark), "备用金");
    // The purchase keeps its place, takes the new quantity and date, and its fee and
    // total are recomputed from the price it had.
    const LedgerRecord& edited = records[1];
    EXPECT_EQ(edited.kind(), RecordType::Buy);
    EXPECT_EQ(test::unpacked(edited.date), 20240105);
    EXPECT_EQ(test::unpacked(edited.quantity), 900);
    EXPECT_EQ(test::unpacked(edited.price), 10.5);
    EXPECT_GT(test::unpacked(edited.fee), 0);
    EXPECT_NEAR(edited.amount, 9450 + edited.fee, 0.0005);
    EXPECT_EQ(fieldText(edited.stockCode), "600036");
}

TEST_F(CliLedgerRecords, ANewCodeLeftInItsBoxSetsTheMarket) {
    const CliRun r = cli({"edit-record", "张三", "3", "--code", "600036"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::unpacked(ledger()[2].market), 1);
}

TEST_F(CliLedgerRecords, EditRefusalsChangeNothing) {
    // Boxes the kind keeps disabled.
    expectUnchanged({"edit-record", "张三", "7", "--code", "600036"}, "--code cannot change", 2);
    expectUnchanged({"edit-record", "张三", "1", "--market", "上海"}, "--market cannot change", 2);
    expectUnchanged({"edit-record", "张三", "6", "--price", "1"}, "--price cannot change", 2);
    expectUnchanged({"edit-record", "张三", "0", "--remark", "x"}, "INDEX", 2);
    expectUnchanged({"edit-record", "张三", "8", "--remark", "x"}, "has 7 records", 2);
    // The editor's own checks.
    expectUnchanged({"edit-record", "张三", "2", "--quantity", "300"},
                    kEditLeavesNegativeHoldingMessage, 1);
    expectUnchanged({"edit-record", "张三", "2", "--code", "999999"}, "不正确的股票代码", 1);
    expectUnchanged({"edit-record", "张三", "2", "--code", "6000"}, "", 1);
}

TEST_F(CliLedgerRecords, DeletionAsksAndObeysTheDependencyRule) {
    // Without --yes the question is answered No.
    expectUnchanged({"delete-record", "张三", "4"}, "此条记录将被删除，真的要删除吗? (no)", 1);
    // Without the opening deposit the balance would be negative.
    expectUnchanged({"delete-record", "张三", "1", "--yes"}, kRecordNeededMessage, 1);
    expectUnchanged({"delete-record", "张三", "9", "--yes"}, "has 7 records", 2);
    expectUnchanged({"delete-record", "张三", "4", "--yes=1"}, "takes no value", 2);

    const CliRun r = cli({"delete-record", "张三", "4", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(indexes(r.out), (Indexes{"4"}));
    const Ledger records = ledger();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[3].kind(), RecordType::Dividend);
}

// The ledger lists the dividend (5) with its id; another program deletes record 4 in the
// meantime, so index 5 now names the bonus shares: --id refuses that index for an edit and
// a deletion, and one beyond the end, and takes the record at its new index.
TEST_F(CliLedgerRecords, AnIdThatNoLongerMatchesItsIndexIsRefused) {
    const auto idAt = [](const std::string& out, std::size_t index) {
        std::istringstream lines(out);
        std::string line;
        for (std::size_t i = 0; i <= index; ++i) std::getline(lines, line);
        const auto tab = line.find('\t');
        return line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    };
    const std::string id = idAt(cli({"ledger", "张三"}).out, 5);
    ASSERT_EQ(id.size(), 8u);
    EXPECT_EQ(idAt(cli({"ledger", "张三", "--kind", "dividend"}).out, 1), id);
    ASSERT_EQ(cli({"delete-record", "张三", "4", "--yes"}).exitCode, 0);

    expectUnchanged({"delete-record", "张三", "5", "--yes", "--id", id}, "记录已被其他程序修改", 1);
    expectUnchanged({"edit-record", "张三", "5", "--remark", "x", "--id", id},
                    "记录已被其他程序修改", 1);
    expectUnchanged({"edit-record", "张三", "7", "--remark", "x", "--id", id},
                    "记录已被其他程序修改", 1);
    const CliRun r = cli({"edit-record", "张三", "4", "--remark", "分红", "--id", id});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fieldText(ledger()[3].remark), "分红");
    EXPECT_NE(idAt(cli({"ledger", "张三"}).out, 4), id);
}

}  // namespace
}  // namespace fiscora::test
