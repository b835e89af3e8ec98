#include "store/ledger_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

class LedgerFileTest : public ::testing::Test {
protected:
    LedgerFileTest() { scrambler.setFileKey(); }

    LedgerStore store(OpenMode mode = OpenMode::CreateIfMissing) {
        return {dir.path(), scrambler, messages, mode};
    }
    std::string path() const { return dir.file("张三.da0"); }

    // The deciphered bytes of the file.
    Bytes plainFile() {
        Bytes b = test::readBytes(path());
        scrambler.decrypt(b.data(), b.size());
        return b;
    }
    // A new account's file: the header alone, as account creation writes it.
    void createFile(const AccountInfo& a) {
        ASSERT_TRUE(writeLedgerHeader(store(), a, fieldBytes(a.password)));
    }

    test::TempDir dir;
    DataScrambler scrambler;
    test::RecordingMessages messages;
    AccountInfo owner = test::account("张三", "secret");
    Ledger sample = {test::cashRecord(RecordType::CashIn, 20240101, 10000),
                     test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)};
};

TEST_F(LedgerFileTest, HeaderAloneLoadsAsAnEmptyLedger) {
    createFile(owner);
    Bytes plain = plainFile();
    ASSERT_EQ(plain.size(), 200u);
    LedgerRecord expected;
    std::memcpy(static_cast<void*>(&expected), "secret", 6);
    EXPECT_EQ(std::memcmp(plain.data(), &expected, 200), 0);

    Ledger ledger = sample;
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::Ok);
    EXPECT_TRUE(ledger.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LedgerFileTest, SaveWritesHeaderThenRecordsByteForByte) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    Bytes plain = plainFile();
    ASSERT_EQ(plain.size(), 600u);
    EXPECT_EQ(std::memcmp(plain.data() + 200, &sample[0], 200), 0);
    EXPECT_EQ(std::memcmp(plain.data() + 400, &sample[1], 200), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(plain.data())), "secret");

    Ledger back;
    EXPECT_EQ(loadLedger(store(), owner, back), LedgerStatus::Ok);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::memcmp(back.data(), sample.data(), 400), 0);
}

// A save after a load copies the runs of records that are unchanged from the file: a
// change anywhere, in the first run, a middle one or the last, must still reach the file,
// and the file must be what a full rewrite writes.
TEST_F(LedgerFileTest, SaveAfterLoadWritesEveryChangeWhereverItIs) {
    createFile(owner);
    Ledger ledger;
    for (std::size_t i = 0; i < 3 * kLedgerChunkRecords + 10; ++i)
        ledger.push_back(test::stockRecord(RecordType::Buy, 20240101 + static_cast<int>(i % 28),
                                           "600036", 100 + static_cast<int>(i), 10, 5));
    ASSERT_TRUE(saveLedger(store(), owner, ledger));
    LedgerStamp stamp;
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);

    const auto expectFileHolds = [&](const Ledger& expected) {
        const Bytes written = test::readBytes(path());
        ASSERT_TRUE(saveLedger(store(), owner, expected));  // every record enciphered
        EXPECT_EQ(written, test::readBytes(path()));
        Ledger back;
        ASSERT_EQ(loadLedger(store(), owner, back), LedgerStatus::Ok);
        ASSERT_EQ(back.size(), expected.size());
        EXPECT_EQ(std::memcmp(back.data(), expected.data(), back.size() * sizeof(LedgerRecord)), 0);
    };

    ledger[kLedgerChunkRecords + 7].quantity = 1;  // a middle run
    ledger.push_back(sample[0]);                   // the last run grows
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    expectFileHolds(ledger);

    // The stamp now describes the file just written; the full rewrite above changed it.
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);
    ledger[0].price = 11;  // the first run
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    ledger[2 * kLedgerChunkRecords].fee = 6;  // after a save, on its stamp
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    expectFileHolds(ledger);

    // Records removed shift every run after them.
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);
    ledger.erase(ledger.begin() + 5);
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    expectFileHolds(ledger);
}

TEST_F(LedgerFileTest, EmptyFileIsDamagedAndAMissingOneIsCreatedFirst) {
    Ledger ledger = sample;
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::Damaged);
    EXPECT_TRUE(ledger.empty());
    EXPECT_TRUE(test::fileExists(path()));
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "文件" + path() + "已经被损坏,不能对此帐户进行操作");
    EXPECT_EQ(messages.shown[0].caption, "Fiscora");

    // Saving over an empty file has no header to check against: refused, nothing written.
    EXPECT_FALSE(saveLedger(store(), owner, sample));
    EXPECT_EQ(test::readBytes(path()).size(), 0u);
}

TEST_F(LedgerFileTest, ReadOnlyModeReportsAMissingFileAndCreatesNothing) {
    Ledger ledger;
    EXPECT_EQ(loadLedger(store(OpenMode::ReadOnly), owner, ledger), LedgerStatus::Missing);
    EXPECT_FALSE(test::fileExists(path()));
    EXPECT_EQ(messages.texts().at(0), "不能打开文件" + path() + ".不能完成操作");
}

TEST_F(LedgerFileTest, TrailingPartialSlotIsReportedAndDroppedOnSave) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, {sample[0]}));
    Bytes file = test::readBytes(path());
    file.resize(408, 0x55);
    test::writeBytes(path(), file);

    Ledger ledger;
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::PartialRecord);
    EXPECT_TRUE(isLoaded(LedgerStatus::PartialRecord));
    ASSERT_EQ(ledger.size(), 1u);
    ASSERT_TRUE(saveLedger(store(), owner, ledger));
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::Ok);
    EXPECT_EQ(test::readBytes(path()).size(), 400u);
}

// Checking a ledger without keeping it: the same records as a load, a run of at most
// kLedgerChunkRecords at a time, and the same refusals.
// A reader that skips the runs' digests still has the file's stamp: a save on it is not taken
// for another program's change, and enciphers every run (none may be copied unchecked).
TEST_F(LedgerFileTest, ALoadWithoutDigestsStillSavesEveryRecord) {
    createFile(owner);
    Ledger ledger(kLedgerChunkRecords + 3, sample[1]);
    ASSERT_TRUE(saveLedger(store(), owner, ledger));
    LedgerStamp stamp;
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp, RunDigests::Skip), LedgerStatus::Ok);
    EXPECT_TRUE(stamp.chunks.empty());
    EXPECT_EQ(stamp.file, stampOf(path()));
    ledger[1].quantity = 7;
    ledger.push_back(sample[0]);
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    Ledger back;
    ASSERT_EQ(loadLedger(store(), owner, back), LedgerStatus::Ok);
    ASSERT_EQ(back.size(), ledger.size());
    EXPECT_EQ(std::memcmp(back.data(), ledger.data(), back.size() * sizeof(LedgerRecord)), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LedgerFileTest, AScanSeesTheRecordsALoadReadsARunAtATime) {
    createFile(owner);
    Ledger many(2 * kLedgerChunkRecords + 5, sample[0]);
    for (std::size_t i = 0; i < many.size(); ++i) many[i].date = static_cast<std::int32_t>(i);
    ASSERT_TRUE(saveLedger(store(), owner, many));
    Bytes file = test::readBytes(path());
    file.resize(file.size() + 8, 0x55);
    test::writeBytes(path(), file);

    Ledger loaded;
    ASSERT_EQ(loadLedger(store(), owner, loaded), LedgerStatus::PartialRecord);
    Ledger scanned;
    std::size_t runs = 0;
    EXPECT_EQ(scanLedger(store(), owner,
                         [&](const LedgerRecord* first, std::size_t n) {
                             EXPECT_LE(n, kLedgerChunkRecords);
                             scanned.insert(scanned.end(), first, first + n);
                             ++runs;
                         }),
              LedgerStatus::PartialRecord);
    EXPECT_EQ(runs, 3u);
    ASSERT_EQ(scanned.size(), loaded.size());
    EXPECT_EQ(std::memcmp(scanned.data(), loaded.data(), loaded.size() * sizeof(LedgerRecord)), 0);

    const AccountInfo stranger = test::account("张三", "other");
    EXPECT_EQ(scanLedger(store(), stranger, [](const LedgerRecord*, std::size_t) {}),
              LedgerStatus::Tampered);
}

TEST_F(LedgerFileTest, LengthNotAMultipleOfEightLoadsButIsNeverOverwritten) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, {sample[0]}));
    Bytes file = test::readBytes(path());
    file.resize(450, 0x55);
    test::writeBytes(path(), file);

    Ledger ledger;
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::PartialRecord);
    EXPECT_EQ(ledger.size(), 1u);
    EXPECT_FALSE(saveLedger(store(), owner, sample));
    EXPECT_EQ(messages.texts().back(), "记录张三个人资料的文件已经被非法篡改，不能读取资料");
    EXPECT_EQ(test::readBytes(path()), file);
}

TEST_F(LedgerFileTest, AnotherAccountsFileIsRefusedOnLoadAndSave) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    const Bytes before = test::readBytes(path());
    AccountInfo impostor = test::account("张三", "other");

    Ledger ledger = sample;
    EXPECT_EQ(loadLedger(store(), impostor, ledger), LedgerStatus::Tampered);
    EXPECT_TRUE(ledger.empty());
    EXPECT_FALSE(saveLedger(store(), impostor, sample));
    EXPECT_EQ(messages.texts().size(), 2u);
    for (const auto& t : messages.texts())
        EXPECT_EQ(t, "记录张三个人资料的文件已经被非法篡改，不能读取资料");
    EXPECT_EQ(test::readBytes(path()), before);
}

TEST_F(LedgerFileTest, PasswordChangeRewritesOnlyTheHeader) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    const Bytes before = test::readBytes(path());
    ASSERT_TRUE(writeLedgerHeader(store(), owner, "new-pass"));
    const Bytes after = test::readBytes(path());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin() + 200, before.end(), after.begin() + 200));
    EXPECT_NE(Bytes(before.begin(), before.begin() + 200),
              Bytes(after.begin(), after.begin() + 200));

    AccountInfo renewed = test::account("张三", "new-pass");
    Ledger ledger;
    EXPECT_EQ(loadLedger(store(), renewed, ledger), LedgerStatus::Ok);
    EXPECT_EQ(ledger.size(), 2u);
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::Tampered);
}

TEST_F(LedgerFileTest, EmptyPasswordIsTwentyOneZeroBytes) {
    AccountInfo open = test::account("张三", "");
    createFile(open);
    Bytes plain = plainFile();
    for (int i = 0; i < 21; ++i) EXPECT_EQ(plain[i], 0);
    Ledger ledger;
    EXPECT_EQ(loadLedger(store(), open, ledger), LedgerStatus::Ok);
}

TEST_F(LedgerFileTest, NamesThatLeaveTheDataDirectoryAreRefused) {
    for (const char* bad :
         {"../evil", "a/b", ".", "..", "a\tb", "a\nb", "a\rb", "\x01", "\x7f", " ", "   "}) {
        messages.shown.clear();
        AccountInfo a = test::account(bad, "x");
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), a, ledger), LedgerStatus::UnsafeName) << bad;
        EXPECT_FALSE(saveLedger(store(), a, sample)) << bad;
        EXPECT_FALSE(writeLedgerHeader(store(), a, "x")) << bad;
        EXPECT_EQ(messages.shown.size(), 3u);
    }
    EXPECT_FALSE(test::fileExists(dir.path() + "../evil.da0"));
    EXPECT_TRUE(isPlainFileName("张三 2024"));
    EXPECT_TRUE(isPlainFileName("a.b"));
    EXPECT_TRUE(isPlainFileName(" a "));
    EXPECT_FALSE(isPlainFileName(""));
}

TEST_F(LedgerFileTest, FailedWriteIsReportedAndLeavesTheFile) {
    createFile(owner);
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    const Bytes before = test::readBytes(path());

    Ledger big(50, sample[1]);
    bool saved = true;
    {
        const test::ScopedFileSizeLimit limit(4096);
        saved = saveLedger(store(), owner, big);
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.texts().back(), "不能打开文件" + path() + ".不能完成操作（原因：文件过大）");
    EXPECT_EQ(test::readBytes(path()), before);
    // No temporary file is left behind (beside the ledger, only its kept versions).
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".fiscora-backups", "张三.da0"}));
}

}  // namespace
}  // namespace fiscora
