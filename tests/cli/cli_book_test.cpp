#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "cli/window_session.h"
#include "engine/dates.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"
#include "ui/main/command_ids.h"

namespace fiscora::test {
namespace {

std::string dayOffset(int days) {
    return std::to_string(dateFromTime(std::time(nullptr) + days * 86400));
}

// book goes through the window's own dialogs and commands: each booking is read back
// from the ledger file with the core's reader, and every refusal leaves the data as it
// was. Two accounts: 张三 (深沪A股, 1000.000 in cash) and 王五 (上证B股).
class CliBook : public ::testing::Test {
protected:
    CliBook() {
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
        for (const auto& [name, type] :
             {std::pair{"张三", "深沪A股"}, std::pair{"王五", "上证B股"}}) {
            const CliRun r = runCli(root.path(), {"--data", "data", "--password-file",
                                                  secrets.file("pw"), "create-account", name,
                                                  "--trade-type", type, "--capital", "1000"});
            EXPECT_EQ(r.exitCode, 0) << r.err;
        }
    }

    CliRun book(const std::vector<std::string>& tail, const std::string& account = "张三") {
        std::vector<std::string> args = {"--data",           "data", "--password-file",
                                         secrets.file("pw"), "book", account};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }
    // The run must be refused with `message` on stderr and change nothing.
    void expectRefused(const std::vector<std::string>& tail, const std::string& message,
                       int exitCode = 1, const std::string& account = "张三") {
        expectRefusedRun(
            root.path(), [&] { return book(tail, account); }, message, exitCode);
    }

    Ledger ledgerOf(const std::string& name) { return ledgerOnDisk(root.file("data/"), name); }

    TempDir root;
    TempDir secrets;
};

const std::string kHeader =
    "market\tdate\ttype\tkind\tstockCode\tquantity\tprice\tfee\tamount\tcashSign\tremark\n";

TEST_F(CliBook, ADuplicatedNameLogsInToTheFirstAccountLikeTheWindow) {
    RecordingMessages quiet;
    DataScrambler scrambler;
    scrambler.setFileKey();
    AccountList accounts = loadRegistry(root.file("data/"), scrambler, quiet, OpenMode::ReadOnly);
    accounts.push_back(accounts[0]);  // a second 张三, written elsewhere
    ASSERT_TRUE(saveRegistry(root.file("data/"), accounts, scrambler, quiet));

    cli::CliOptions options;
    options.dataDirectory = root.file("data/");
    options.paramsFile = root.file("trdpara.dat");
    options.passwordFile = secrets.file("pw");
    std::ostringstream err;
    cli::WindowSession session(options, err);
    ASSERT_EQ(session.open(), 0) << err.str();
    ASSERT_EQ(session.login("张三"), 0) << err.str();
    const auto& tree = session.window().tree();
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(session.window().selectedIndex(), 0);
    EXPECT_NE(tree[0].image, tree[2].image);
}

TEST_F(CliBook, APurchaseCarriesTheFiguresTheDialogShows) {
    const CliRun r = book({"buy", "--code", "600036", "--price", "10.00", "--quantity", "100",
                           "--date", dayOffset(-1), "--remark", "首次建仓"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kHeader + "1\t" + dayOffset(-1) +
                         "\t0\t买入股票\t600036\t100\t10.000\t12.000\t1012.000\t-1\t首次建仓\n");

    const Ledger ledger = ledgerOf("张三");
    ASSERT_EQ(ledger.size(), 2u);
    const LedgerRecord& buy = ledger[1];
    EXPECT_EQ(buy.kind(), RecordType::Buy);
    EXPECT_EQ(test::unpacked(buy.market), 1);
    EXPECT_STREQ(buy.stockCode, "600036");
    EXPECT_EQ(test::unpacked(buy.quantity), 100);
    EXPECT_EQ(test::unpacked(buy.fee), 12.0);
    EXPECT_EQ(test::unpacked(buy.amount), 1012.0);
    EXPECT_EQ(fieldText(buy.remark), "首次建仓");

    // The purchase took the cash below zero by its fees: nothing more can be bought.
    expectRefused({"buy", "--code", "000001", "--price", "1", "--quantity", "1"},
                  "现金超支，不能买入，请减小买入量");
}

TEST_F(CliBook, PurchaseRefusalsAreTheDialogsOwn) {
    expectRefused({"buy", "--code", "600036", "--price", "10", "--quantity", "101"},
                  "现金超支，不能买入，请减小买入量");
    // Five digits: the lookup never ran, so the code is judged invalid.
    expectRefused({"buy", "--code", "60003", "--price", "10", "--quantity", "1"},
                  "不正确的股票代码");
    expectRefused(
        {"buy", "--code", "600036", "--price", "10", "--quantity", "1", "--market", "深圳"},
        "the market is fixed to 上海");
    // The box takes digits only and six of them; the picker's reach is 10,000 days.
    expectRefused({"buy", "--code", "60003a", "--price", "1", "--quantity", "1"},
                  "--code takes digits only", 2);
    expectRefused({"buy", "--code", "6000361", "--price", "1", "--quantity", "1"},
                  "--code takes at most 6 characters", 2);
    expectRefused({"buy", "--code", "600036", "--price", "1", "--quantity", "12345678901234567890"},
                  "--quantity takes at most 19 characters", 2);
    expectRefused({"buy", "--code", "600036", "--price", "1"}, "buy needs --quantity", 2);
    expectRefused(
        {"buy", "--code", "600036", "--price", "1", "--quantity", "1", "--date", "20230230"},
        "YYYYMMDD", 2);
    expectRefused(
        {"buy", "--code", "600036", "--price", "1", "--quantity", "1", "--date", "19000101"},
        "10,000 days");
    expectRefused({"cash-in", "--amount", "1", "--code", "600036"},
                  "--code does not apply to cash-in", 2);
    expectRefused({"split"}, "cash-in, cash-out, buy, sell, dividend, bonus or rights", 2);
    expectRefused({"buy", "--code", "600036", "--price", "1", "--quantity", "1", "--remark",
                   std::string(100, 'x')},
                  "--remark takes at most 99 GBK bytes", 2);
}

TEST_F(CliBook, SharesBoughtTodayAreSellableFromTomorrow) {
    ASSERT_EQ(book({"buy", "--code", "000001", "--price", "5", "--quantity", "100"}).exitCode, 0);
    expectRefused({"sell", "--code", "000001", "--price", "6", "--quantity", "100"},
                  "卖出数量超过了今天可出售股票数，请重新填写卖出数量");
    expectRefused({"sell", "--code", "600036", "--price", "6", "--quantity", "100"},
                  "张三 holds no 600036");

    const CliRun r = book(
        {"sell", "--code", "000001", "--price", "6", "--quantity", "60", "--date", dayOffset(1)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 60 x 6 = 360: the minimum commission 10 plus stamp duty 0.72.
    EXPECT_EQ(r.out, kHeader + "0\t" + dayOffset(1) +
                         "\t1\t卖出股票\t000001\t60\t6.000\t10.720\t349.280\t1\t\n");
    const Ledger ledger = ledgerOf("张三");
    ASSERT_EQ(ledger.size(), 3u);
    EXPECT_EQ(ledger[2].kind(), RecordType::Sell);
    EXPECT_EQ(test::unpacked(ledger[2].amount), 349.28);
    EXPECT_EQ(test::unpacked(ledger[2].date), std::stoi(dayOffset(1)));

    expectRefused(
        {"sell", "--code", "000001", "--price", "6", "--quantity", "41", "--date", dayOffset(2)},
        "卖出数量超过了今天可出售股票数");
    expectRefused({"sell", "--code", "000001", "--price", "6", "--quantity", "1"},
                  "王五 holds no 000001", 1, "王五");
}

TEST_F(CliBook, CashInAndOutUpToTheWholeBalance) {
    const CliRun in = book({"cash-in", "--amount", "250.5", "--remark", "工资"});
    ASSERT_EQ(in.exitCode, 0) << in.err;
    EXPECT_EQ(in.out, kHeader + "0\t" + dayOffset(0) +
                          "\t6\t投入资金\t\t0\t0.000\t0.000\t250.500\t1\t工资\n");

    expectRefused({"cash-out", "--amount", "1250.51"}, "没有足够的资金,请减少划出的资金量");
    const CliRun out = book({"cash-out", "--amount", "1250.5"});
    ASSERT_EQ(out.exitCode, 0) << out.err;
    EXPECT_EQ(out.out, kHeader + "0\t" + dayOffset(0) +
                           "\t7\t划出资金\t\t0\t0.000\t0.000\t1250.500\t-1\t\n");
    const Ledger ledger = ledgerOf("张三");
    ASSERT_EQ(ledger.size(), 3u);
    EXPECT_EQ(cashBalance(ledger), 0);
}

TEST_F(CliBook, TheAccountMustExistAndItsPasswordMatch) {
    expectRefused({"cash-in", "--amount", "1"}, "帐户赵六不存在", 1, "赵六");
    std::ofstream(secrets.file("pw"), std::ios::binary) << "wrong\n";
    expectRefused({"cash-in", "--amount", "1"}, "密码错误");
}

}  // namespace
}  // namespace fiscora::test
