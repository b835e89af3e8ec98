#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "engine/account_summary.h"
#include "records/gbk_text.h"
#include "store/ledger_file.h"
#include "store/quote_snapshot_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The commands run against the sample tree; every run must leave that tree byte for
// byte as it was and create nothing in it.
class CliCommands : public ::testing::Test {
protected:
    void SetUp() override { writeSampleData(root.path()); }

    CliRun run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        const auto before = treeContents(root.path());
        CliRun r = runCli(root.path(), args, env);
        EXPECT_EQ(treeContents(root.path()), before) << "the run changed the data";
        return r;
    }

    std::string passwordFile(const std::string& text) {
        std::string path = secrets.file("pw" + std::to_string(++files));
        writeText(path, text);
        return path;
    }

    std::string ledgerFile(const std::string& name) const {
        return root.file("invest/" + name + ".da0");
    }

    TempDir root;
    TempDir secrets;
    int files = 0;
};

TEST_F(CliCommands, AccountsInRegistryOrderWithoutPasswords) {
    const CliRun tsv = run({"accounts"});
    expectGolden(tsv, "accounts.tsv");
    EXPECT_EQ(tsv.out.find("secret"), std::string::npos);
    expectGolden(run({"--format", "json", "accounts"}), "accounts.json");
}

TEST_F(CliCommands, LedgerRowsInLedgerOrder) {
    const std::string pw = passwordFile("secret\n");
    expectGolden(run({"--password-file", pw, "ledger", "张三"}), "ledger.tsv");
    expectGolden(run({"--password-file", pw, "--format=json", "ledger", "张三"}), "ledger.json");
}

TEST_F(CliCommands, HoldingsWithAndWithoutQuotes) {
    const std::string pw = passwordFile("secret");
    expectGolden(run({"--password-file", pw, "--quotes", "quotes.txt", "holdings", "张三"}),
                 "holdings.tsv");
    expectGolden(run({"--password-file", pw, "--quotes", "quotes.txt", "--format", "json",
                      "holdings", "张三"}),
                 "holdings.json");
    // With --data naming the folder there is no host: names are empty, prices 0.
    expectGolden(run({"--password-file", pw, "--data", "invest/", "holdings", "张三"}),
                 "holdings_without_quotes.tsv");
    // In the home folder the prices are the window's: the daily bar files' last close, and
    // before them the home folder's quote file, which names the stocks too.
    const CliRun fromBars = run({"--password-file", pw, "holdings", "张三"});
    expectGolden(fromBars, "holdings_from_bars.tsv");
    writeText(root.file("quotes.tsv"), "600036\t1\t招商银行\t12.5\t12\n");
    const CliRun quoted = run({"--password-file", pw, "holdings", "张三"});
    EXPECT_NE(quoted.out.find("上海\t600036\t招商银行\t600\t7500.000\t"), std::string::npos)
        << quoted.out;
    EXPECT_NE(quoted.out.find("深圳\t000002\t\t600\t5010.000\t"), std::string::npos) << quoted.out;
    // A quote file that does not read is said, and the bars still answer.
    writeText(root.file("quotes.tsv"), "600036 招商银行\n");
    const CliRun refused = run({"--password-file", pw, "holdings", "张三"});
    EXPECT_EQ(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("quotes.tsv:1: "), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, fromBars.out);
}

TEST_F(CliCommands, ParamsInTableOrderRatesAsPercentagesInTsv) {
    expectGolden(run({"params"}), "params.tsv");
    expectGolden(run({"--format", "json", "params"}), "params.json");
    // Without a fee file the table is empty, and none is created.
    const CliRun none = run({"--params", "missing.dat", "params"});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out.find('\n') + 1, none.out.size());
}

TEST_F(CliCommands, SummaryOfAShareAndBShareAccounts) {
    const std::vector<std::string> env = {"FISCORA_PASSWORD=secret"};
    expectGolden(run({"--quotes", "quotes.txt", "summary", "张三"}, env), "summary.tsv");
    expectGolden(run({"--quotes", "quotes.txt", "--format", "json", "summary", "张三"}, env),
                 "summary.json");
    expectGolden(run({"--quotes", "quotes.txt", "summary", "王五"}, {"FISCORA_PASSWORD=pw3"}),
                 "summary_b_shares.tsv");
}

TEST_F(CliCommands, DetailsOfOneStockInItsMarket) {
    const std::vector<std::string> env = {"FISCORA_PASSWORD=secret"};
    // 000002's purchase, dividend and bonus shares; its market is the one its code implies.
    expectGolden(run({"--quotes", "quotes.txt", "details", "张三", "000002"}, env), "details.tsv");
    expectGolden(
        run({"--quotes", "quotes.txt", "--format", "json", "details", "张三", "000002"}, env),
        "details.json");
    // No 000002 in the other market: no rows.
    const CliRun other = run({"details", "张三", "000002", "--market", "上海"}, env);
    EXPECT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(std::count(other.out.begin(), other.out.end(), '\n'), 1);

    TempDir out;
    const CliRun written =
        run({"details", "张三", "600036", "--text", out.file("d.txt"), "--pdf", out.file("d.pdf")},
            env);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const std::string text = readText(out.file("d.txt"));
    EXPECT_EQ(text.rfind(*utf8ToGbk("时间\t市场\t账目类型\t现金流量\t股票代码\t股票名称\t交易量\t"
                                    "交易价\t手续费\t\r\n"),
                         0),
              0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);  // the header, a purchase, a sale
    EXPECT_EQ(readText(out.file("d.pdf")).rfind("%PDF-", 0), 0u);
}

TEST_F(CliCommands, DetailsWantACodeAndAMarketTheBoxesTake) {
    const std::vector<std::string> env = {"FISCORA_PASSWORD=secret"};
    const struct {
        std::vector<std::string> args;
        const char* message;
    } refused[] = {
        {{"details", "张三", "60003a"}, "CODE takes at most six digits"},
        {{"details", "张三", "1000001"}, "CODE takes at most six digits"},
        {{"details", "张三", "100001"}, "give --market"},
        {{"details", "张三", "600036", "--market", "北京"}, "--market takes 深圳 or 上海"},
    };
    for (const auto& r : refused) {
        const CliRun run_ = run(r.args, env);
        EXPECT_EQ(run_.exitCode, 2) << r.message;
        EXPECT_NE(run_.err.find(r.message), std::string::npos) << run_.err;
        EXPECT_EQ(run_.out, "");
    }
    EXPECT_EQ(run({"details", "张三", "100001", "--market", "深圳"}, env).exitCode, 0);
    // The account's password is checked as for every ledger command.
    EXPECT_EQ(run({"details", "张三", "600036"}, {"FISCORA_PASSWORD=wrong"}).exitCode, 1);
}

// The JSON value of `field` in the first row, read back as a double.
double jsonValue(const std::string& json, const std::string& field) {
    const std::string key = "\"" + field + "\":";
    const auto at = json.find(key);
    EXPECT_NE(at, std::string::npos) << field;
    return at == std::string::npos ? 0 : std::strtod(json.c_str() + at + key.size(), nullptr);
}

TEST_F(CliCommands, JsonNumbersAreTheEnginesValuesExactly) {
    const CliRun r = run({"--quotes", "quotes.txt", "--format", "json", "summary", "张三"},
                         {"FISCORA_PASSWORD=secret"});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    RecordingMessages messages;
    Workspace ws(messages, OpenMode::ReadOnly);
    ws.open(root.file("invest/"), root.file("trdpara.dat"));
    QuoteSnapshot quotes;
    std::string error;
    ASSERT_TRUE(loadQuoteSnapshot(quotes, root.file("quotes.txt"), error)) << error;
    quotes.install();
    ASSERT_EQ(ws.loadLedgerOf(ws.accounts.at(0)), LedgerStatus::Ok);
    const AccountSummary s = accountSummary(ws, ws.accounts.at(0));
    QuoteSnapshot::uninstall();

    EXPECT_EQ(jsonValue(r.out, "netCashIn"), s.netCashIn);
    EXPECT_EQ(jsonValue(r.out, "investmentCost"), s.investmentCost);
    EXPECT_EQ(jsonValue(r.out, "marketValue"), s.marketValue);
    EXPECT_EQ(jsonValue(r.out, "cashBalance"), s.cashBalance);
    EXPECT_EQ(jsonValue(r.out, "totalAssets"), s.totalAssets);
    EXPECT_EQ(jsonValue(r.out, "realisedProfit"), s.realisedProfit);
    EXPECT_EQ(jsonValue(r.out, "realisedRate"), s.realisedRate);
    EXPECT_EQ(jsonValue(r.out, "currentProfit"), s.currentProfit);
    EXPECT_EQ(jsonValue(r.out, "currentRate"), s.currentRate);
    EXPECT_NE(s.realisedProfit, 0);  // the sample has a partial sale
}

TEST_F(CliCommands, PasswordSources) {
    // A file's first line, with or without a carriage return, and it wins over the variable.
    EXPECT_EQ(
        run({"--password-file", passwordFile("secret\r\nmore\n"), "summary", "张三"}).exitCode, 0);
    EXPECT_EQ(run({"--password-file", passwordFile("secret"), "summary", "张三"},
                  {"FISCORA_PASSWORD=wrong"})
                  .exitCode,
              0);
    EXPECT_EQ(run({"summary", "张三"}, {"FISCORA_PASSWORD=secret"}).exitCode, 0);
    // An empty password is a password: set but empty, or an empty file.
    EXPECT_EQ(run({"summary", "李四"}, {"FISCORA_PASSWORD="}).exitCode, 0);
    EXPECT_EQ(run({"--password-file", passwordFile(""), "summary", "李四"}).exitCode, 0);

    // Compared as a whole: neither a prefix nor an extension matches.
    for (const std::string wrong : {"secre", "secret ", "Secret"}) {
        const CliRun r = run({"ledger", "张三"}, {"FISCORA_PASSWORD=" + wrong});
        EXPECT_EQ(r.exitCode, 1) << wrong;
        EXPECT_EQ(r.err, "密码错误\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(run({"holdings", "李四"}, {"FISCORA_PASSWORD=x"}).exitCode, 1);

    // No file, no variable and no terminal to ask on.
    const CliRun none = run({"summary", "张三"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("FISCORA_PASSWORD"), std::string::npos);
    const CliRun unreadable = run({"--password-file", secrets.file("absent"), "summary", "张三"});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_NE(unreadable.err.find("password file"), std::string::npos);
    // A folder reads as nothing, which must not pass for the empty password.
    EXPECT_EQ(run({"--password-file", secrets.path(), "summary", "李四"}).exitCode, 2);
}

TEST_F(CliCommands, LedgerRefusalsCarryTheSystemsMessages) {
    const std::vector<std::string> env = {"FISCORA_PASSWORD=secret"};
    const CliRun unknown = run({"ledger", "赵七"}, env);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, "帐户赵七不存在\n");
    EXPECT_EQ(run({"summary", "😀"}, env).exitCode, 1);  // no GBK form: no such account

    std::filesystem::remove(ledgerFile("张三"));
    const CliRun missing = run({"ledger", "张三"}, env);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "不能打开文件" + ledgerFile("张三") + ".不能完成操作\n");
    EXPECT_FALSE(fileExists(ledgerFile("张三")));

    writeBytes(ledgerFile("张三"), {});
    const CliRun damaged = run({"holdings", "张三"}, env);
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(damaged.err, "文件" + ledgerFile("张三") + "已经被损坏,不能对此帐户进行操作\n");
    EXPECT_EQ(damaged.out, "");

    std::filesystem::copy_file(ledgerFile("王五"), ledgerFile("张三"),
                               std::filesystem::copy_options::overwrite_existing);
    const CliRun tampered = run({"summary", "张三"}, env);
    EXPECT_EQ(tampered.exitCode, 1);
    EXPECT_EQ(tampered.err, "记录张三个人资料的文件已经被非法篡改，不能读取资料\n");
    EXPECT_EQ(tampered.out, "");
}

TEST_F(CliCommands, VerifyReportsEveryLedgersState) {
    expectGolden(run({"verify"}), "verify.tsv");

    writeBytes(ledgerFile("李四"), Bytes(150, 0));  // shorter than its header
    std::filesystem::copy_file(ledgerFile("张三"), ledgerFile("王五"),
                               std::filesystem::copy_options::overwrite_existing);
    addAccount(root.path(), account("赵六", "", "深沪A股"));  // registered, never given a ledger
    const CliRun r = run({"verify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "name\tstatus\trecords\tdigest\n张三\tok\t7\tsame\n李四\tdamaged\t0\t\n王五"
                     "\ttampered\t0\t\n赵六\tmissing\t0\t\n");
    EXPECT_EQ(r.err, "文件" + ledgerFile("李四") +
                         "已经被损坏,不能对此帐户进行操作\n"
                         "记录王五个人资料的文件已经被非法篡改，不能读取资料\n"
                         "不能打开文件" +
                         ledgerFile("赵六") + ".不能完成操作\n");
    EXPECT_FALSE(fileExists(ledgerFile("赵六")));
    const CliRun json = run({"--format", "json", "verify"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_NE(
        json.out.find("{\"name\":\"王五\",\"status\":\"tampered\",\"records\":0,\"digest\":\"\"}"),
        std::string::npos);
}

TEST_F(CliCommands, VerifyReportsARecordWhoseFiguresAreNotFinite) {
    const AccountInfo hostile = account("钱七", "", "深沪A股");
    addAccount(root.path(), hostile);
    LedgerRecord deposit = cashRecord(RecordType::CashIn, 20240101, 1e308);
    LedgerRecord sum = cashRecord(RecordType::CashIn, 20240102, 1e308 * 10);
    writeLedger(root.path(), hostile, {deposit, sum});
    const CliRun r = run({"verify"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("钱七\tnonfinite\t2\tsame\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(" record 2 has a figure that is not a finite number"), std::string::npos)
        << r.err;
}

TEST_F(CliCommands, DataDirectoryOptionGainsItsSlash) {
    const CliRun byDefault = run({"accounts"});
    const CliRun given = run({"--data", root.file("invest"), "accounts"});
    EXPECT_EQ(given.exitCode, 0) << given.err;
    EXPECT_EQ(given.out, byDefault.out);
    EXPECT_EQ(run({"--data=" + root.file("invest/"), "accounts"}).out, byDefault.out);
}

TEST_F(CliCommands, UnreadableRegistryOrQuotesAreRefused) {
    const CliRun quotes = run({"--quotes", "trdpara.dat", "accounts"});
    EXPECT_EQ(quotes.exitCode, 2);
    EXPECT_NE(quotes.err.find("trdpara.dat:1:"), std::string::npos);

    std::filesystem::remove(root.file("invest/pinfo.dat"));
    std::filesystem::create_directory(root.file("invest/pinfo.dat"));
    const CliRun registry = run({"accounts"});
    EXPECT_EQ(registry.exitCode, 1);
    EXPECT_EQ(registry.err, "不能打开文件pinfo.dat读取相关数据!（原因：不是普通文件）\n");
    EXPECT_EQ(registry.out, "");
}

TEST(CliReadOnly, AnEmptyFolderStaysEmpty) {
    TempDir root;
    const auto run = [&](const std::vector<std::string>& args) {
        return runCli(root.path(), args, {"FISCORA_PASSWORD=x", "HOME=" + root.path()});
    };
    const CliRun accounts = run({"accounts"});
    EXPECT_EQ(accounts.exitCode, 0);
    EXPECT_EQ(accounts.out, "name\ttradeType\tinitialCapital\tcreatedDate\tremark\n");
    EXPECT_EQ(run({"--format", "json", "verify"}).out, "{\"rows\":[]}\n");
    EXPECT_EQ(run({"verify"}).exitCode, 0);
    EXPECT_EQ(run({"summary", "张三"}).exitCode, 1);
    EXPECT_EQ(run({"ledger", "张三"}).exitCode, 1);
    EXPECT_TRUE(treeContents(root.path()).empty())
        << "no home folder, data folder, registry or fee table may appear";
}

TEST(CliUsage, BadCommandLinesExitWithTwo) {
    TempDir root;
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"bogus"},
        {"--bogus", "accounts"},
        {"--format", "xml", "accounts"},
        {"--data"},
        {"--data=", "accounts"},
        {"ledger"},
        {"ledger", "a", "b"},
        {"accounts", "extra"},
        {"accounts", "--format", "json"},  // global options go before the command
        {"help", "bogus"},
    };
    for (const auto& args : bad) {
        const CliRun r = runCli(root.path(), args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("fiscora-cli --help"), std::string::npos)
            << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
    }
    // A password is never taken from the command line.
    EXPECT_EQ(runCli(root.path(), {"--password", "secret", "ledger", "张三"}).exitCode, 2);
}

TEST(CliUsage, HelpForTheProgramAndEachCommand) {
    TempDir root;
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"help"}, {"-h"}}) {
        const CliRun r = runCli(root.path(), args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out.rfind("Usage: fiscora-cli [OPTIONS] COMMAND [ARGS]\n", 0), 0u);
        for (const char* word :
             {"accounts", "ledger ACCOUNT", "holdings ACCOUNT", "summary ACCOUNT", "verify",
              "--data DIR", "--params FILE", "--quotes FILE", "--password-file FILE",
              "--format tsv|json", "FISCORA_PASSWORD", "Exit status"})
            EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
    const CliRun viaHelp = runCli(root.path(), {"help", "summary"});
    const CliRun viaOption = runCli(root.path(), {"summary", "--help"});
    EXPECT_EQ(viaHelp.exitCode, 0);
    EXPECT_EQ(viaHelp.out, viaOption.out);
    EXPECT_EQ(viaHelp.out.rfind("Usage: fiscora-cli [OPTIONS] summary ACCOUNT\n", 0), 0u);
    EXPECT_NE(viaHelp.out.find("realisedRate currentProfit"), std::string::npos);
    EXPECT_NE(runCli(root.path(), {"holdings", "-h"}).out.find("JSON also: market boughtQty"),
              std::string::npos);
    EXPECT_EQ(runCli(root.path(), {"accounts", "--help"}).out.find("FISCORA_PASSWORD"),
              std::string::npos);
}

TEST(CliUsage, VersionIsTheProgramsOwnAndNeedsNoCommand) {
    TempDir root;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--version"}, {"--version", "accounts"}, {"--data", "elsewhere", "--version"}}) {
        const CliRun r = runCli(root.path(), args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "fiscora-cli " FISCORA_VERSION "\n");
    }
    EXPECT_EQ(treeContents(root.path()).size(), 0u) << "--version wrote a file";
}

}  // namespace
}  // namespace fiscora::test
