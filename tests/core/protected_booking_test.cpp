#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/version_history.h"
#include "records/gbk_text.h"
#include "store/change_intent.h"
#include "store/file_backups.h"
#include "store/ledger_append.h"
#include "store/ledger_file.h"
#include "support/builders.h"
#include "support/crash_child.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// A full chunk of a protected ledger: nonce, 4,096 records, tag.
constexpr std::size_t kFullChunk = 24 + 4096 * 200 + 16;
constexpr std::size_t kSecondChunkAt = 96 + kFullChunk;

bool sameRecords(const Ledger& a, const Ledger& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(LedgerRecord)) == 0;
}

Bytes firstBytes(const Bytes& bytes, std::size_t count) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count)};
}

// 张三's protected ledger of 4,100 records (one full chunk and part of the next), booked on
// as a login, a booking and a save do, with a key of the least costs (the format is the same).
class ProtectedBookingTest : public ::testing::Test {
protected:
    ProtectedBookingTest() {
        scrambler.setFileKey();
        markProtected(owner);
        keys.put(std::string(fieldBytes(owner.name)), key);
        Workspace setup(messages);
        setup.open(dir.path());
        setup.accounts = {owner};
        EXPECT_TRUE(setup.saveAccounts());
        EXPECT_TRUE(writeLedgerAs(store(), owner, records, &key));
        before = test::readBytes(ledger());
    }

    LedgerStore store(const LedgerKeyring& with) {
        return {dir.path(), scrambler, messages, OpenMode::CreateIfMissing, &with};
    }
    LedgerStore store() { return store(keys); }
    std::string ledger() const { return dir.file("张三.da0"); }
    std::string tail() const { return dir.file(kResealTailFileName); }

    SaveStatus book(const std::vector<LedgerRecord>& added) {
        Ledger ledger;
        LedgerStamp stamp;
        EXPECT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);
        ledger.insert(ledger.end(), added.begin(), added.end());
        return saveLoadedLedger(store(), owner, ledger, stamp);
    }

    // The records the file gives with the key, authenticated; empty when it is refused.
    Ledger readBack() {
        Ledger read;
        test::RecordingMessages quiet;
        if (loadLedger({dir.path(), scrambler, quiet, OpenMode::ReadOnly, &keys}, owner, read) !=
            LedgerStatus::Ok)
            read.clear();
        return read;
    }

    // Nothing of a change left behind: no intent, no kept tail.
    void expectSettled() {
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        EXPECT_FALSE(test::fileExists(tail()));
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    DataScrambler scrambler;
    AccountInfo owner = test::account("张三", "secret");
    LedgerKey key = newLedgerKey("secret", {1, 8192}).value();
    LedgerKeyring keys;
    Ledger records = test::manyPurchases(4100);
    Bytes before;
    LedgerRecord sale = test::stockRecord(RecordType::Sell, 20240301, "600001", 100, 11, 5);
};

// Each booking writes only from the old last chunk on, in the same file; the file reads as a
// rewrite of the ledger would, and every version kept stays exact however often the file is
// written over after it: listed, found for undo and restored byte for byte.
TEST_F(ProtectedBookingTest, ABookingSealsOnlyTheLastChunkAgainAndEveryVersionStaysExact) {
    const ino_t inode = test::inodeOf(ledger());
    Ledger expected = records;
    std::vector<Bytes> states = {before};
    std::vector<FileStamp> stamps = {stampOf(ledger())};
    // One record; enough to fill the open chunk and start a third; one more in that one.
    for (const std::size_t count : {1, 4200, 1}) {
        SCOPED_TRACE(count);
        const Bytes old = test::readBytes(ledger());
        const std::vector<LedgerRecord> added(count, sale);
        ASSERT_EQ(book(added), SaveStatus::Saved);
        expected.insert(expected.end(), added.begin(), added.end());
        EXPECT_EQ(test::inodeOf(ledger()), inode);
        const Bytes now = test::readBytes(ledger());
        const std::size_t lastChunkAt =
            old.size() > 96 + 2 * kFullChunk ? 96 + 2 * kFullChunk : kSecondChunkAt;
        EXPECT_EQ(firstBytes(now, lastChunkAt), firstBytes(old, lastChunkAt));
        EXPECT_TRUE(sameRecords(readBack(), expected));
        EXPECT_EQ(protectedRecordCount(now.size()), expected.size());
        expectSettled();
        states.push_back(now);
        stamps.push_back(stampOf(ledger()));
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();

    const std::vector<FileVersion> versions = versionsOf(ledger());
    ASSERT_EQ(versions.size(), 3u);
    const std::vector<VersionRow> rows = versionHistory(ledger());
    for (std::size_t i = 0; i < versions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(readVersion(versions[i]), states[i]);
        EXPECT_EQ(versions[i].bytes, states[i].size());
        ASSERT_TRUE(versionMatching(ledger(), stamps[i]));
        EXPECT_EQ(versionMatching(ledger(), stamps[i])->path, versions[i].path);
        EXPECT_TRUE(rows[i].protectedLedger);
        EXPECT_EQ(rows[i].records, protectedRecordCount(states[i].size()));
    }
    // The oldest first: each restore replaces the file, the versions after it stay as they
    // were.
    for (std::size_t i = 0; i < versions.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(restoreLedger(store(), owner, versions[i].path));
        EXPECT_EQ(test::readBytes(ledger()), states[i]);
    }
    // The file the first restore replaced is kept too.
    const std::vector<FileVersion> after = versionsOf(ledger());
    ASSERT_EQ(after.size(), 6u);
    for (std::size_t i = 0; i < states.size(); ++i) EXPECT_EQ(readVersion(after[i]), states[i]);
}

// A booking killed at each of its steps leaves, after the next open, the old file byte for
// byte (or the new one once it counts), nothing of the change, and every version exact.
TEST_F(ProtectedBookingTest, ABookingKilledAtAnyStepLeavesTheOldFileOrTheNew) {
    const auto bookSale = [&](Workspace& w) {
        w.keys.put(std::string(fieldBytes(owner.name)), key);
        w.loadLedgerOf(w.accounts.front());
        w.appendRecord(sale);
        w.saveLedgerOf(w.accounts.front());
    };
    // The intent's temporary, the intent, the tail's temporary, the tail, the chunks written
    // over but not flushed.
    for (const char* step : {"temporary-written#1", "intent-written", "temporary-written#2",
                             "tail-kept", "ledger-appended"}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(test::stoppedAt(dir.path(), step, bookSale));
        Workspace next(messages);
        next.open(dir.path());
        expectSettled();
        EXPECT_EQ(test::readBytes(ledger()), before);
        for (const FileVersion& v : versionsOf(ledger())) EXPECT_EQ(readVersion(v), before);
    }
    ASSERT_FALSE(test::stoppedAt(dir.path(), "none", bookSale));
    Ledger booked = records;
    booked.push_back(sale);
    EXPECT_TRUE(sameRecords(readBack(), booked));
    expectSettled();
    ASSERT_TRUE(restoreLedger(store(), owner, versionsOf(ledger()).back().path));
    EXPECT_EQ(test::readBytes(ledger()), before);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
}

// Settling puts the kept tail back only into the file the booking began on, and only when
// the tail is there: without it nothing was written over yet, or all of it was.
TEST_F(ProtectedBookingTest, SettlingPutsTheOldTailBackOnlyIntoTheFileItCameFrom) {
    Bytes overwritten = firstBytes(before, kSecondChunkAt);
    overwritten.resize(before.size() + 4000, 0x5A);
    const FileStamp now = stampOf(ledger());
    ChangeIntent intent;
    intent.kind = ChangeIntent::Kind::Append;
    intent.ledgerDevice = now.device;
    intent.account = fieldBytes(owner.name);
    intent.from = std::to_string(before.size());
    intent.to = std::to_string(kSecondChunkAt);
    const Bytes oldTail(before.begin() + kSecondChunkAt, before.end());
    struct Case {
        const char* what;
        bool sameFile;
        bool withTail;
        bool putBack;
    };
    for (const Case& c : {Case{"another file of that name", false, true, false},
                          Case{"no tail kept", true, false, false},
                          Case{"written over, its tail kept", true, true, true}}) {
        SCOPED_TRACE(c.what);
        // Written in place, so that the inode stays the intent's.
        {
            FILE* f = std::fopen(ledger().c_str(), "r+b");
            ASSERT_NE(f, nullptr);
            std::fwrite(overwritten.data(), 1, overwritten.size(), f);
            std::fclose(f);
        }
        intent.ledgerInode = test::inodeOf(ledger()) + (c.sameFile ? 0 : 1);
        FileError error = FileError::None;
        ASSERT_TRUE(writeIntent(dir.path(), scrambler, intent, error));
        if (c.withTail) test::writeBytes(tail(), oldTail);
        Workspace next(messages);
        next.open(dir.path());
        EXPECT_FALSE(test::fileExists(dir.file(kIntentFileName)));
        EXPECT_EQ(test::readBytes(ledger()), c.putBack ? before : overwritten);
        ::unlink(tail().c_str());
    }
    EXPECT_TRUE(sameRecords(readBack(), records));
}

// A booking that cannot be written (the disk full before the tail is kept, or while the
// chunks are written over) changes nothing and is reported; the same load goes in once there
// is room.
TEST_F(ProtectedBookingTest, ABookingTheDiskRefusesLeavesTheFileAsItWas) {
    Ledger ledger;
    LedgerStamp stamp;
    ASSERT_EQ(loadLedger(store(), owner, ledger, &stamp), LedgerStatus::Ok);
    ledger.push_back(sale);
    const std::size_t versions = versionsOf(this->ledger()).size();
    // Room for the intent, not for the tail (four records); then not for the new chunk.
    for (const std::size_t limit : {std::size_t{512}, before.size() + 100}) {
        SCOPED_TRACE(limit);
        messages.shown.clear();
        {
            test::ScopedFileSizeLimit full(limit);
            EXPECT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Failed);
        }
        EXPECT_EQ(test::readBytes(this->ledger()), before);
        EXPECT_EQ(versionsOf(this->ledger()).size(), versions);
        expectSettled();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.texts().front().find("不能打开文件"), std::string::npos);
    }
    ASSERT_EQ(saveLoadedLedger(store(), owner, ledger, stamp), SaveStatus::Saved);
    EXPECT_TRUE(sameRecords(readBack(), ledger));
}

// The file stays fully authenticated: a byte changed in a chunk the booking left alone, or
// in the one it sealed again, is refused; and a key for another password writes nothing.
TEST_F(ProtectedBookingTest, AChangedByteIsStillRefusedAndAnotherKeyWritesNothing) {
    ASSERT_EQ(book({sale}), SaveStatus::Saved);
    const Bytes booked = test::readBytes(ledger());
    for (const std::size_t at : {std::size_t{5000}, kSecondChunkAt + 500}) {
        ASSERT_LT(at, booked.size());
        SCOPED_TRACE(at);
        Bytes changed = booked;
        changed[at] ^= 0x01;
        test::writeBytes(ledger(), changed);
        EXPECT_TRUE(readBack().empty());
    }
    test::writeBytes(ledger(), booked);
    ASSERT_EQ(readBack().size(), records.size() + 1);

    LedgerKeyring other;
    other.put(std::string(fieldBytes(owner.name)), newLedgerKey("other", {1, 8192}).value());
    const std::size_t kept = versionsOf(ledger()).size();
    Ledger ledger = readBack();
    ledger.push_back(sale);
    messages.shown.clear();
    EXPECT_FALSE(saveLedger(store(other), owner, ledger));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"记录张三个人资料的文件已经被非法篡改，不能读取资料"});
    EXPECT_EQ(test::readBytes(this->ledger()), booked);
    EXPECT_EQ(versionsOf(this->ledger()).size(), kept);
    expectSettled();
}

}  // namespace
}  // namespace fiscora
