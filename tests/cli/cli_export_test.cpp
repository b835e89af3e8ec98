#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "engine/dates.h"
#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

struct ShellRun {
    int exitCode = -1;
    std::string out;
};

// A command of the tools the export is written for, through the shell, stderr included.
ShellRun shell(const std::string& command) {
    ShellRun r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    r.exitCode = ::pclose(pipe);
    return r;
}

std::string quotedPath(const std::string& path) {
    return "'" + path + "'";
}

// What `hledger bal` says each account holds: "300 \"SH600036\"" by account name.
std::map<std::string, std::string> hledgerBalances(const std::string& journal) {
    const ShellRun r = shell("hledger -f " + quotedPath(journal) + " bal -N assets:broker");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    std::map<std::string, std::string> balances;
    std::istringstream lines(r.out);
    const std::regex line(R"(^\s*(\S+(?: \S+)?)\s\s+(assets:\S+)\s*$)");
    for (std::string text; std::getline(lines, text);) {
        std::smatch m;
        if (std::regex_match(text, m, line)) balances[m[2]] = m[1];
    }
    return balances;
}

class CliExport : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret";
    }

    CliRun run(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"--host-dir", root.path(), "--password-file", secrets.file("pw")});
        return runCli(root.path(), args);
    }

    TempDir root;
    TempDir secrets;
};

TEST_F(CliExport, JournalsLoadInBothToolsWithTheHoldingsAndTheCash) {
    const CliRun journal = run({"export", "张三", "--format", "hledger", "--output", "j.journal"});
    ASSERT_EQ(journal.exitCode, 0) << journal.err;
    EXPECT_TRUE(journal.out.empty());
    // 600036: 1000 bought, 400 sold; 000002: 500 bought and 100 bonus shares; the cash as
    // the summary counts it.
    EXPECT_EQ(hledgerBalances(root.file("j.journal")),
              (std::map<std::string, std::string>{{"assets:broker:SH600036", "600 \"SH600036\""},
                                                  {"assets:broker:SZ000002", "600 \"SZ000002\""},
                                                  {"assets:broker:cash", "85372.450 CNY"}}));
    const CliRun summary = run({"--format", "json", "summary", "张三"});
    EXPECT_NE(summary.out.find("\"cashBalance\":85372.449999999"), std::string::npos)
        << summary.out;
    // The same journal on standard output; prices of every bar day from the first record.
    const CliRun printed = run({"export", "张三", "--format", "hledger"});
    EXPECT_EQ(printed.out, readText(root.file("j.journal")));
    EXPECT_NE(printed.out.find("P 2024-01-11 \"SH600036\" "), std::string::npos);
    EXPECT_EQ(printed.out.find("P 2024-01-09 "), std::string::npos);  // the holiday

    ASSERT_EQ(run({"export", "张三", "--format", "beancount", "--output", "j.beancount"}).exitCode,
              0);
    const ShellRun check = shell("bean-check " + quotedPath(root.file("j.beancount")));
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out, "");
}

TEST_F(CliExport, RecordsOfOtherKindsAndOddFiguresStillBalanceInBothTools) {
    LedgerRecord unknown = cashRecord(RecordType::CashIn, 20240105, 12.3456);
    unknown.type = 9;  // no kind of the program's: its cash goes against income:other
    unknown.cashSign = 1;
    LedgerRecord oddBuy = stockRecord(RecordType::Buy, 20240108, "600036", 100, 10, 5);
    oddBuy.amount = 3;  // less than its own fee
    writeLedger(root.path(), account("张三", "secret", "深沪A股", 100000, 20240102),
                {cashRecord(RecordType::CashIn, 20240102, 1000), unknown, oddBuy,
                 stockRecord(RecordType::Sell, 20240110, "000002", 200, 8.5, 4.25, 0),
                 makeRecord(RecordType::None, 20240111)});
    ASSERT_EQ(run({"export", "张三", "--format", "hledger", "--output", "odd.journal"}).exitCode,
              0);
    ASSERT_EQ(
        run({"export", "张三", "--format", "beancount", "--output", "odd.beancount"}).exitCode, 0);
    // 1000 + 12.346 - 3 + 1695.75: each amount to 0.001, as the postings hold them.
    EXPECT_EQ(hledgerBalances(root.file("odd.journal")),
              (std::map<std::string, std::string>{{"assets:broker:SH600036", "100 \"SH600036\""},
                                                  {"assets:broker:SZ000002", "-200 \"SZ000002\""},
                                                  {"assets:broker:cash", "2705.096 CNY"}}));
    const ShellRun check = shell("bean-check " + quotedPath(root.file("odd.beancount")));
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out, "");
}

TEST_F(CliExport, CsvHasTheLedgersColumnsQuotedAsRfc4180) {
    const CliRun csv = run({"export", "张三", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    std::istringstream lines(csv.out);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header,
              "market,date,type,kind,stockCode,quantity,price,fee,amount,cashSign,remark\r");
    // The remark with a quote, a tab, a backslash and a line break stays one quoted field.
    EXPECT_NE(csv.out.find("0,20240701,7,划出资金,,0,0,0,5000,-1,\"取\"\"现\"\"\t\\备用\n金\"\r\n"),
              std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find("1,20240103,0,买入股票,600036,1000,10.5,36.75,10536.75,-1,\r\n"),
              std::string::npos);
}

TEST_F(CliExport, RefusesWhatItCannotWrite) {
    const auto before = treeContents(root.path());
    const CliRun format = run({"export", "张三", "--format", "ledger"});
    EXPECT_EQ(format.exitCode, 2);
    EXPECT_NE(format.err.find("--format takes hledger, beancount or csv"), std::string::npos);
    const CliRun folder = run({"export", "张三", "--format", "csv", "--output", "no/such/x.csv"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("cannot write no/such/x.csv"), std::string::npos) << folder.err;
    EXPECT_TRUE(folder.out.empty());
    EXPECT_EQ(treeContents(root.path()), before);
    // A record on no calendar day has no place in a journal.
    writeLedger(root.path(), account("张三", "secret", "深沪A股", 100000, 20240102),
                {cashRecord(RecordType::CashIn, 20240230, 100)});
    const CliRun dated = run({"export", "张三", "--format", "beancount"});
    EXPECT_EQ(dated.exitCode, 1);
    EXPECT_NE(dated.err.find("record 1 is dated 20240230"), std::string::npos) << dated.err;
}

}  // namespace
}  // namespace fiscora::test
