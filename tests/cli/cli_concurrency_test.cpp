// Several programs writing the same data folder at once, and writers killed midway.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "cli/cli_runner.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

class CliWriters : public ::testing::Test {
protected:
    CliWriters() {
        scrambler.setFileKey();
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
    }
    std::vector<std::string> withPassword(std::vector<std::string> tail) const {
        std::vector<std::string> args = {"--data", "data", "--password-file", secrets.file("pw")};
        args.insert(args.end(), tail.begin(), tail.end());
        return args;
    }
    CliRun create(const std::string& name) {
        return runCli(root.path(), withPassword({"create-account", name, "--trade-type", "深沪A股",
                                                 "--capital", "1000"}));
    }
    AccountList registry() {
        return loadRegistry(root.file("data/"), scrambler, quiet, OpenMode::ReadOnly);
    }
    // The account's ledger as a reader finds it; nullopt when it cannot be read.
    std::optional<Ledger> ledgerOf(const AccountInfo& account) {
        Ledger ledger;
        const LedgerStore store{root.file("data/"), scrambler, quiet, OpenMode::ReadOnly};
        if (loadLedger(store, account, ledger) != LedgerStatus::Ok) return std::nullopt;
        return ledger;
    }

    TempDir root;
    TempDir secrets;
    DataScrambler scrambler;
    RecordingMessages quiet;
};

// Two programs book on one account at the same time, round after round: every booking
// that reports success is in the file, and each one does.
TEST_F(CliWriters, ParallelBookingsAreAllKept) {
    ASSERT_EQ(create("张三").exitCode, 0);
    constexpr int kRounds = 20;
    std::vector<int> failures(2, 0);
    const auto booker = [&](int writer) {
        for (int round = 0; round < kRounds; ++round) {
            const std::string amount = std::to_string(writer * 1000 + round + 1);
            const CliRun r =
                runCli(root.path(), withPassword({"book", "张三", "cash-in", "--amount", amount}));
            if (r.exitCode != 0) ++failures[writer];
        }
    };
    std::thread first(booker, 0);
    std::thread second(booker, 1);
    first.join();
    second.join();
    EXPECT_EQ(failures, (std::vector<int>{0, 0}));

    const AccountList accounts = registry();
    ASSERT_EQ(accounts.size(), 1u);
    const auto ledger = ledgerOf(accounts[0]);
    ASSERT_TRUE(ledger);
    std::set<double> amounts;
    for (std::size_t i = 1; i < ledger->size(); ++i)
        amounts.insert(test::unpacked((*ledger)[i].amount));
    EXPECT_EQ(ledger->size(), 1u + 2 * kRounds);
    for (int writer = 0; writer < 2; ++writer)
        for (int round = 0; round < kRounds; ++round)
            EXPECT_TRUE(amounts.count(writer * 1000 + round + 1)) << writer << "/" << round;
}

// Accounts created at the same time by two programs are all registered, each with its
// ledger.
TEST_F(CliWriters, ParallelAccountCreationsAreAllKept) {
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        CliRun a;
        CliRun b;
        std::thread first([&] { a = create("甲" + std::to_string(round)); });
        std::thread second([&] { b = create("乙" + std::to_string(round)); });
        first.join();
        second.join();
        EXPECT_EQ(a.exitCode, 0) << a.err;
        EXPECT_EQ(b.exitCode, 0) << b.err;
    }
    const AccountList accounts = registry();
    EXPECT_EQ(accounts.size(), 2u * kRounds);
    for (const AccountInfo& a : accounts) {
        const auto ledger = ledgerOf(a);
        ASSERT_TRUE(ledger) << fieldText(a.name);
        EXPECT_EQ(ledger->size(), 1u);
    }
}

// create-account killed at any moment: the account exists with its complete ledger, or
// it does not exist and its name can be used again.
TEST_F(CliWriters, AKilledAccountCreationLeavesAllOrNothing) {
    ASSERT_EQ(create("先前").exitCode, 0);  // the data folder and a registry exist
    std::mt19937 rng(20261208);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(create("计时").exitCode, 0);
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
    std::uniform_int_distribution<long> delay(0, runTime);
    const TempDir capture;
    int created = 0;
    int notCreated = 0;
    for (int round = 0; round < 30; ++round) {
        const std::string name = "新" + std::to_string(round);
        const pid_t pid = startCli(
            root.path(),
            withPassword({"create-account", name, "--trade-type", "深沪A股", "--capital", "1000"}),
            {}, capture.file("out"), capture.file("err"));
        ::usleep(static_cast<useconds_t>(delay(rng)));
        ::kill(pid, SIGKILL);
        waitForCli(pid);

        const AccountList accounts = registry();
        for (const AccountInfo& a : accounts) {
            const auto ledger = ledgerOf(a);
            ASSERT_TRUE(ledger) << "round " << round << ": " << fieldText(a.name);
            ASSERT_EQ(ledger->size(), 1u) << "round " << round;
        }
        if (findAccount(accounts, *utf8ToGbk(name)) != nullptr) {
            ++created;
        } else {
            ++notCreated;
            const CliRun again = create(name);
            ASSERT_EQ(again.exitCode, 0) << again.err;
        }
    }
    EXPECT_GT(created + notCreated, 0);
    // No temporaries stay behind once the folder has been written again.
    ASSERT_EQ(create("最后").exitCode, 0);
    for (const auto& e : std::filesystem::directory_iterator(root.file("data")))
        EXPECT_EQ(e.path().filename().string().find(".da0."), std::string::npos) << e.path();
    for (const auto& e : std::filesystem::directory_iterator(root.file("data")))
        EXPECT_EQ(e.path().filename().string().find("pinfo.dat."), std::string::npos) << e.path();
}

// A writer waiting at its password prompt holds no lock: another program's booking goes
// through meanwhile. (The prompt is a password file that is a FIFO nobody writes yet.)
TEST_F(CliWriters, AnOpenPasswordPromptKeepsNoOtherWriterWaiting) {
    ASSERT_EQ(create("张三").exitCode, 0);
    ASSERT_EQ(create("李四").exitCode, 0);
    const TempDir prompt;
    ASSERT_EQ(::mkfifo(prompt.file("typing").c_str(), 0600), 0);
    const pid_t waiting = startCli(root.path(),
                                   {"--data", "data", "--password-file", prompt.file("typing"),
                                    "book", "张三", "cash-in", "--amount", "5"},
                                   {}, prompt.file("out"), prompt.file("err"));
    const CliRun other =
        runCli(root.path(), withPassword({"book", "李四", "cash-in", "--amount", "7"}));
    ::kill(waiting, SIGKILL);
    waitForCli(waiting);
    EXPECT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(ledgerOf(registry()[1])->size(), 2u);
}

// A lock another program keeps gives a writer up after a few seconds, saying why; nothing
// is written.
TEST_F(CliWriters, AWriterThatCannotGetTheLockSaysAnotherProgramIsWriting) {
    ASSERT_EQ(create("张三").exitCode, 0);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(root.file("data").c_str(), O_RDONLY | O_DIRECTORY);
        ::flock(fd, LOCK_EX);
        ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    const auto before = treeContents(root.file("data"));
    const CliRun booking =
        runCli(root.path(), withPassword({"book", "张三", "cash-in", "--amount", "5"}));
    const CliRun creation = create("李四");
    ::kill(holder, SIGKILL);
    waitForCli(holder);
    ::close(ready[0]);
    ::close(ready[1]);
    for (const CliRun& r : {booking, creation}) {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("另一个程序正在写入数据，请稍后再试。"), std::string::npos) << r.err;
    }
    EXPECT_EQ(treeContents(root.file("data")), before);
}

}  // namespace
}  // namespace fiscora::test
