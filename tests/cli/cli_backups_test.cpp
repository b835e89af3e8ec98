#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "store/file_backups.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

constexpr std::size_t kSlot = 200;

// 张三's ledger of the sample tree (N records) with three kept versions made by hand, with
// fixed times: N-2 records, N-1 records, and N records of which the last one differs.
class CliBackups : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::filesystem::remove_all(root.file("invest/.fiscora-backups"));
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret\n";
        current = readBytes(ledger());
        ASSERT_GE(current.size(), 4 * kSlot);
        std::filesystem::create_directories(versionFolderOf(ledger()));
        Bytes edited = current;
        edited[edited.size() - 7] ^= 0x5A;
        keep(1, Bytes(current.begin(), current.end() - 2 * kSlot));
        keep(2, Bytes(current.begin(), current.end() - kSlot));
        keep(3, edited);
    }

    std::string ledger() const { return root.file("invest/张三.da0"); }
    // Version `n`, written at 2024-03-0n 09:30:00 and replaced at 10:00:00 (UTC+8).
    void keep(int n, const Bytes& bytes) {
        const std::string path = versionFolderOf(ledger()) + "/000000000" + std::to_string(n) +
                                 "-" + std::to_string(1709254800 + (n - 1) * 86400 + 3600);
        writeBytes(path, bytes);
        const timespec times[2] = {{0, UTIME_OMIT}, {1709254800 + (n - 1) * 86400 + 1800, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    CliRun run(const std::vector<std::string>& tail) {
        std::vector<std::string> args = {"--password-file", secrets.file("pw")};
        args.insert(args.end(), tail.begin(), tail.end());
        return runCli(root.path(), args);
    }

    TempDir root;
    TempDir secrets;
    Bytes current;
};

// Oldest first, with the records of each version and what changed to the next one; listing
// writes nothing.
TEST_F(CliBackups, ListsTheVersionsOldestFirstWithWhatChanged) {
    const auto before = treeContents(root.path());
    expectGolden(run({"backups", "张三"}), "backups.tsv");
    expectGolden(run({"--format", "json", "backups", "张三"}), "backups.json");
    const CliRun files = run({"backups"});
    EXPECT_EQ(files.exitCode, 0) << files.err;
    EXPECT_EQ(files.out, "version\ttime\treplaced\trecords\tadded\tremoved\tedited\tfile\n");
    EXPECT_EQ(treeContents(root.path()), before);

    const CliRun wrong = runCli(root.path(), {"backups", "张三"});  // no password
    EXPECT_NE(wrong.exitCode, 0);
    EXPECT_TRUE(wrong.out.empty());
}

// restore asks; No changes nothing. Yes makes the version the ledger byte for byte, and the
// ledger it replaced becomes the newest version, so it can be restored back.
TEST_F(CliBackups, RestoreAsksThenBringsBackTheVersionAndKeepsTheLedgerItReplaced) {
    expectRefusedRun(
        root.path(),
        [&] {
            return run({"restore", "张三", "2"});
        },
        "(no)", 1);
    const CliRun unknown = run({"restore", "张三", "9", "--yes"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("请选择一个版本"), std::string::npos) << unknown.err;
    EXPECT_EQ(readBytes(ledger()), current);

    const Bytes second = readBytes(versionFolderOf(ledger()) + "/0000000002-" +
                                   std::to_string(1709254800 + 86400 + 3600));
    const CliRun restored = run({"restore", "张三", "2", "--yes"});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(readBytes(ledger()), second);
    const std::size_t records = current.size() / kSlot - 1;
    EXPECT_EQ(restored.out.substr(0, restored.out.find('\n', 0) + 1),
              "version\ttime\treplaced\trecords\tadded\tremoved\tedited\tfile\n");
    EXPECT_NE(restored.out.find("\n4\t"), std::string::npos) << restored.out;
    EXPECT_NE(restored.out.find("\t" + std::to_string(records) + "\t0\t1\t0\t张三.da0\n"),
              std::string::npos)
        << restored.out;
    // This program wrote the restored ledger: verify finds it as written.
    const CliRun verified = run({"verify"});
    EXPECT_NE(verified.out.find("张三\tok\t" + std::to_string(records - 1) + "\tsame\n"),
              std::string::npos)
        << verified.out;

    ASSERT_EQ(run({"restore", "张三", "4", "--yes"}).exitCode, 0);
    EXPECT_EQ(readBytes(ledger()), current);
}

// protect drops the readable versions; a version of the other kind is refused by restore with
// nothing changed, and a protected version lists no counts of what changed.
TEST_F(CliBackups, ProtectingDropsTheVersionsAndRestoreRefusesAVersionOfTheOtherKind) {
    ASSERT_EQ(run({"protect", "张三"}).exitCode, 0);
    EXPECT_TRUE(versionsOf(ledger()).empty());
    const Bytes protectedLedger = readBytes(ledger());

    keep(1, current);  // a readable copy put back by hand
    const CliRun plainVersion = run({"restore", "张三", "1", "--yes"});
    EXPECT_EQ(plainVersion.exitCode, 1);
    EXPECT_NE(plainVersion.err.find("加强保护之前"), std::string::npos) << plainVersion.err;
    EXPECT_EQ(readBytes(ledger()), protectedLedger);
    EXPECT_EQ(versionsOf(ledger()).size(), 1u);

    ASSERT_EQ(run({"book", "张三", "cash-in", "--date", "20240201", "--amount", "1000"}).exitCode,
              0);
    const std::size_t records = current.size() / kSlot - 1;
    const CliRun listed = run({"backups", "张三"});
    EXPECT_NE(listed.out.find("\n2\t"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\t" + std::to_string(records) + "\t\t\t\t张三.da0\n"),
              std::string::npos)
        << listed.out;

    ASSERT_EQ(run({"unprotect", "张三"}).exitCode, 0);
    const Bytes unprotected = readBytes(ledger());
    const CliRun protectedVersion = run({"restore", "张三", "2", "--yes"});
    EXPECT_EQ(protectedVersion.exitCode, 1);
    EXPECT_NE(protectedVersion.err.find("现在没有加强保护"), std::string::npos)
        << protectedVersion.err;
    EXPECT_EQ(readBytes(ledger()), unprotected);
    EXPECT_EQ(run({"ledger", "张三"}).exitCode, 0);
}

}  // namespace
}  // namespace fiscora::test
