#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>

#include "store/ledger_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// A writer killed at any moment of a save leaves the ledger file holding either the old
// or the new ledger, never a mixture or a cut-off file.
TEST(CrashSafety, KilledSaveLeavesTheOldOrTheNewLedger) {
    test::TempDir dir;
    DataScrambler scrambler;
    scrambler.setFileKey();
    test::RecordingMessages messages;
    const LedgerStore store{dir.path(), scrambler, messages};
    const AccountInfo owner = test::account("crash", "pw");
    const std::string path = dir.file("crash.da0");

    Ledger oldLedger(300, test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12));
    Ledger newLedger(3000, test::stockRecord(RecordType::Sell, 20240103, "000001", 200, 8, 10, 0));

    ASSERT_TRUE(writeLedgerHeader(store, owner, "pw"));
    ASSERT_TRUE(saveLedger(store, owner, newLedger));
    const Bytes newBytes = test::readBytes(path);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(saveLedger(store, owner, oldLedger));
    ASSERT_TRUE(saveLedger(store, owner, newLedger));
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count() /
                          2;
    ASSERT_TRUE(saveLedger(store, owner, oldLedger));
    const Bytes oldBytes = test::readBytes(path);
    ASSERT_NE(oldBytes, newBytes);

    std::mt19937 rng(20261208);
    std::uniform_int_distribution<long> delay(0, 3 * saveTime + 5000);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 150; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            test::RecordingMessages quiet;
            const LedgerStore childStore{dir.path(), scrambler, quiet};
            ::_exit(saveLedger(childStore, owner, newLedger) ? 0 : 1);
        }
        ::usleep(static_cast<useconds_t>(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const Bytes now = test::readBytes(path);
        ASSERT_TRUE(now == oldBytes || now == newBytes)
            << "round " << round << ": " << now.size() << " bytes";
        (now == oldBytes ? sawOld : sawNew)++;

        // Back to the old ledger for the next round; a killed writer's temporary file and the
        // versions kept go.
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            if (e.path().filename() != "crash.da0") std::filesystem::remove_all(e.path());
        }
        if (now != oldBytes) {
            ASSERT_TRUE(replaceFile(path, oldBytes));
        }
    }
    // Both outcomes occurred, so kills did land before and after the switch.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
}  // namespace fiscora
