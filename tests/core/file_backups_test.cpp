#include "store/file_backups.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "engine/version_history.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "store/temporary_file.h"
#include "store/trade_param_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// Local noon of a day in December 2026 (the tests run with TZ=Asia/Shanghai).
std::int64_t noonOf(int day) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::vector<std::uint64_t> numbersOf(const std::vector<FileVersion>& versions) {
    std::vector<std::uint64_t> numbers;
    for (const FileVersion& v : versions) numbers.push_back(v.number);
    return numbers;
}

class FileBackupsTest : public ::testing::Test {
protected:
    // The account's new file, its header alone: a new file replaces nothing.
    FileBackupsTest() {
        scrambler.setFileKey();
        EXPECT_TRUE(writeLedgerHeader(store(), owner, "secret"));
        EXPECT_TRUE(versionsOf(ledger()).empty());
    }

    LedgerStore store() { return {dir.path(), scrambler, messages, OpenMode::CreateIfMissing}; }
    std::string ledger() const { return dir.file("张三.da0"); }
    void save(const Ledger& records) { ASSERT_TRUE(saveLedger(store(), owner, records)); }

    test::TempDir dir;
    DataScrambler scrambler;
    test::RecordingMessages messages;
    AccountInfo owner = test::account("张三", "secret");
    Ledger first = {test::cashRecord(RecordType::CashIn, 20240101, 10000)};
    Ledger second = {test::cashRecord(RecordType::CashIn, 20240101, 10000),
                     test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)};
};

// Every rewrite of a data file keeps the bytes it replaces; a restore brings them back byte
// for byte and is kept in turn, so that it can be undone.
TEST_F(FileBackupsTest, EveryWriteKeepsThePreviousBytesAndARestoreBringsThemBack) {
    save(first);
    const Bytes afterFirst = test::readBytes(ledger());
    save(second);
    const Bytes afterSecond = test::readBytes(ledger());

    const std::vector<FileVersion> versions = versionsOf(ledger());
    ASSERT_EQ(numbersOf(versions), (std::vector<std::uint64_t>{1, 2}));
    EXPECT_EQ(test::readBytes(versions[1].path), afterFirst);
    EXPECT_EQ(versions[0].bytes, 200u);
    EXPECT_EQ(versionMatching(ledger(), stampOf(ledger())), std::nullopt);

    ASSERT_TRUE(restoreLedger(store(), owner, versions[1].path));
    EXPECT_EQ(test::readBytes(ledger()), afterFirst);
    const std::vector<FileVersion> after = versionsOf(ledger());
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(test::readBytes(after.back().path), afterSecond) << "the restore is undoable";
    EXPECT_TRUE(messages.shown.empty());

    // The registry and the fee table are kept the same way.
    AccountList accounts = {owner};
    ASSERT_TRUE(saveRegistry(dir.path(), accounts, scrambler, messages));
    const Bytes registry = test::readBytes(registryPath(dir.path()));
    accounts.push_back(test::account("李四", ""));
    ASSERT_TRUE(saveRegistry(dir.path(), accounts, scrambler, messages));
    ASSERT_EQ(versionsOf(registryPath(dir.path())).size(), 1u);
    EXPECT_EQ(test::readBytes(versionsOf(registryPath(dir.path()))[0].path), registry);
    const std::string fees = dir.file("trdpara.dat");
    ASSERT_TRUE(saveTradeParams(fees, {test::feeRow(1, "600", "浦发")}, messages));
    ASSERT_TRUE(saveTradeParams(fees, {}, messages));
    const std::vector<VersionRow> feeHistory = versionHistory(fees);
    ASSERT_EQ(feeHistory.size(), 1u);
    EXPECT_EQ(feeHistory[0].records, 1u);
    EXPECT_EQ(feeHistory[0].toNext, (RecordChanges{0, 1, 0}));
}

// A version written under the account's earlier password comes back under today's, so the
// registry and the ledger agree and the account still opens; its records are unchanged.
TEST_F(FileBackupsTest, AVersionUnderAnEarlierPasswordIsRestoredUnderTodaysPassword) {
    save(second);
    save(first);
    ASSERT_TRUE(writeLedgerHeader(store(), owner, "newpw"));
    AccountInfo renewed = test::account("张三", "newpw");
    const std::vector<FileVersion> versions = versionsOf(ledger());
    ASSERT_EQ(versions.size(), 3u);

    ASSERT_TRUE(restoreLedger(store(), renewed, versions[1].path));
    Ledger loaded;
    ASSERT_EQ(loadLedger(store(), renewed, loaded), LedgerStatus::Ok);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(std::memcmp(loaded.data(), second.data(), 2 * sizeof(LedgerRecord)), 0);
    EXPECT_NE(loadLedger(store(), owner, loaded), LedgerStatus::Ok) << "the old password is gone";
}

// The last 20 versions, then the last of each of the 30 days before, then the oldest dropped
// until the size bound holds; files of other names in the folder are the user's and stay.
TEST_F(FileBackupsTest, KeepsTheRecentVersionsOnePerDayAndStaysWithinItsSize) {
    const std::string file = dir.file("pinfo.dat");
    test::writeBytes(file, Bytes(192, 1));
    // Three versions a day from 1 to 28 December, then 25 on the 29th.
    for (int day = 1; day <= 28; ++day)
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(keepVersionOf(file, noonOf(day) + k * 60));
    std::filesystem::create_directories(versionFolderOf(file));
    test::writeBytes(versionFolderOf(file) + "/notes.txt", Bytes{'x'});
    for (int k = 0; k < 25; ++k) ASSERT_TRUE(keepVersionOf(file, noonOf(29) + k * 60));

    const std::vector<FileVersion> kept = versionsOf(file);
    // 20 of the 29th, then one per day back to 30 days before the 29th (every day here).
    ASSERT_EQ(kept.size(), 20u + 28u);
    EXPECT_EQ(kept.back().number, 84u + 25u);
    EXPECT_EQ(kept[27].number, 84u) << "the last of the 28th";
    EXPECT_EQ(kept[0].number, 3u) << "the last of the 1st";
    EXPECT_TRUE(test::fileExists(versionFolderOf(file) + "/notes.txt"));

    // A month later only the recent ones are within 30 days.
    ASSERT_TRUE(keepVersionOf(file, noonOf(29) + 40 * 86400));
    EXPECT_EQ(versionsOf(file).size(), 20u);

    // 192 bytes each: a bound of 1000 keeps five, the newest always.
    BackupBounds small;
    small.maxBytes = 1000;
    ASSERT_TRUE(keepVersionOf(file, noonOf(29) + 41 * 86400, small));
    EXPECT_EQ(numbersOf(versionsOf(file)), (std::vector<std::uint64_t>{107, 108, 109, 110, 111}));
    small.maxBytes = 1;
    ASSERT_TRUE(keepVersionOf(file, noonOf(29) + 42 * 86400, small));
    EXPECT_EQ(numbersOf(versionsOf(file)), (std::vector<std::uint64_t>{112}));
}

// The backups are a folder the temporaries' clean-up never enters nor removes, even with a
// killed writer's temporary beside them.
TEST_F(FileBackupsTest, TheTemporariesCleanUpNeverTouchesTheBackups) {
    save(first);
    save(second);
    const std::string leftover = dir.file(".fiscora-tmp-张三.da0.abc123");
    test::writeBytes(leftover, Bytes(10, 0));
    const FileVersion version = versionsOf(ledger()).at(0);
    const Bytes kept = test::readBytes(version.path);
    removeLeftoverTemporaries(dir.path());
    removeLeftoverTemporaries(versionFolderOf(ledger()));
    EXPECT_FALSE(test::fileExists(leftover));
    EXPECT_EQ(test::readBytes(version.path), kept);
    save(first);  // a write cleans up first too
    EXPECT_EQ(test::readBytes(version.path), kept);
    EXPECT_EQ(versionsOf(ledger()).size(), 3u);
}

// A version that cannot be kept does not stop the write, and the user's file in the way is
// left alone; a write that fails keeps no version.
TEST_F(FileBackupsTest, ABackupFailureKeepsTheWriteAndAFailedWriteKeepsNoBackup) {
    save(first);
    std::filesystem::remove_all(dir.file(std::string(kBackupFolderName)));
    test::writeBytes(dir.file(std::string(kBackupFolderName)), Bytes{'u'});
    save(second);
    EXPECT_EQ(test::readBytes(dir.file(std::string(kBackupFolderName))), Bytes{'u'});
    Ledger loaded;
    ASSERT_EQ(loadLedger(store(), owner, loaded), LedgerStatus::Ok);
    EXPECT_EQ(loaded.size(), 2u);
    std::filesystem::remove(dir.file(std::string(kBackupFolderName)));

    const Bytes before = test::readBytes(ledger());
    {
        test::ScopedFileSizeLimit full(300);
        EXPECT_FALSE(saveLedger(store(), owner, second));
    }
    EXPECT_EQ(test::readBytes(ledger()), before);
    EXPECT_TRUE(versionsOf(ledger()).empty());
}

// A version of a file written over in place from an offset is the file's bytes up to there
// and its tail beside it: whole only with the tail, dropped with it. Only tails of our own
// naming whose version is gone are ever removed.
TEST_F(FileBackupsTest, AResealedVersionLivesAndGoesWithItsTail) {
    save(second);
    const Bytes old = test::readBytes(ledger());
    const std::size_t tailAt = 300;
    const std::string tail = dir.file("kept-tail");
    test::writeBytes(tail, Bytes(old.begin() + tailAt, old.end()));
    const auto kept = keepResealedVersionOf(ledger(), noonOf(9), tailAt, tail);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->tailAt, tailAt);
    EXPECT_EQ(kept->bytes, old.size());
    // The file written over from the offset on, and grown.
    Bytes now = old;
    std::fill(now.begin() + tailAt, now.end(), 0x33);
    now.resize(old.size() + 200, 0x44);
    {
        std::fstream in(ledger(), std::ios::in | std::ios::out | std::ios::binary);
        in.write(reinterpret_cast<const char*>(now.data()),
                 static_cast<std::streamsize>(now.size()));
    }
    EXPECT_EQ(readVersion(*kept), old);
    ASSERT_EQ(versionsOf(ledger()).size(), 2u);
    EXPECT_EQ(versionsOf(ledger()).back().path, kept->path);

    const std::string folder = versionFolderOf(ledger());
    const std::vector<std::string> users = {"notes.tail", "0000000009-5.tail",
                                            "0000000009-5-9-9-x.tail"};
    for (const std::string& name : users) test::writeBytes(folder + "/" + name, Bytes{'u'});
    const std::string orphan = folder + "/0000000009-5-1000-7-500.tail";
    test::writeBytes(orphan, Bytes(500, 0));
    // Without all of its tail it is no version.
    test::writeBytes(tailPathOf(*kept), Bytes(10, 0));
    EXPECT_EQ(versionsOf(ledger()).size(), 1u);
    test::writeBytes(tailPathOf(*kept), Bytes(old.begin() + tailAt, old.end()));
    save(first);
    EXPECT_FALSE(test::fileExists(orphan));
    for (const std::string& name : users) EXPECT_TRUE(test::fileExists(folder + "/" + name));
    EXPECT_EQ(readVersion(*kept), old);
    dropVersion(*kept);
    EXPECT_FALSE(test::fileExists(kept->path));
    EXPECT_FALSE(test::fileExists(tailPathOf(*kept)));
}

TEST(RecordChangesTest, CountsAddedRemovedAndEditedRecordsBetweenTheSharedEnds) {
    const SlotLayout layout{2, 3};
    const auto file = [](const std::string& records) {
        Bytes b = {'h', 'h'};
        for (const char c : records) b.insert(b.end(), 3, static_cast<unsigned char>(c));
        return b;
    };
    EXPECT_EQ(changesBetween(file("abc"), file("abcd"), layout), (RecordChanges{1, 0, 0}));
    EXPECT_EQ(changesBetween(file("abcd"), file("acd"), layout), (RecordChanges{0, 1, 0}));
    EXPECT_EQ(changesBetween(file("abcd"), file("abXd"), layout), (RecordChanges{0, 0, 1}));
    EXPECT_EQ(changesBetween(file("abcd"), file("aXYZWd"), layout), (RecordChanges{2, 0, 2}));
    EXPECT_EQ(changesBetween(file("aaaa"), file("aa"), layout), (RecordChanges{0, 2, 0}));
    EXPECT_EQ(changesBetween(file(""), file(""), layout), (RecordChanges{}));
    Bytes cut = file("ab");
    cut.push_back('c');  // a piece of a record is none
    EXPECT_EQ(changesBetween(file("ab"), cut, layout), (RecordChanges{}));
}

}  // namespace
}  // namespace fiscora
