// Data files that are not what they should be: huge or sparse, links, FIFOs and devices,
// leftovers of a killed writer, a full or read-only disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "store/quote_snapshot_file.h"
#include "store/trade_param_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

void makeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

class HostileFiles : public ::testing::Test {
protected:
    HostileFiles() { scrambler.setFileKey(); }
    LedgerStore store(OpenMode mode = OpenMode::CreateIfMissing) {
        return {dir.path(), scrambler, messages, mode};
    }
    std::string ledgerFile() const { return dir.file("张三.da0"); }

    test::TempDir dir;
    DataScrambler scrambler;
    test::RecordingMessages messages;
    AccountInfo owner = test::account("张三", "pw");
    Ledger sample = {test::cashRecord(RecordType::CashIn, 20240101, 10000)};
};

TEST_F(HostileFiles, FilesBeyondTheFormatsSizeAreRefusedWithoutAllocating) {
    makeSparse(ledgerFile(), off_t{64} << 30);
    for (const OpenMode mode : {OpenMode::CreateIfMissing, OpenMode::ReadOnly}) {
        messages.shown.clear();
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(mode), owner, ledger), LedgerStatus::Damaged);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"文件" + ledgerFile() +
                                                             "已经被损坏,不能对此帐户进行操作"});
    }
    EXPECT_FALSE(saveLedger(store(), owner, sample));
    EXPECT_FALSE(writeLedgerHeader(store(), owner, "pw"));

    makeSparse(dir.file("pinfo.dat"), off_t{1} << 40);
    messages.shown.clear();
    EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages).empty());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"不能打开文件pinfo.dat读取相关数据!（原因：文件过大）"});

    makeSparse(dir.file("trdpara.dat"), off_t{1} << 40);
    TradeParamTable table;
    EXPECT_FALSE(loadTradeParams(dir.file("trdpara.dat"), table, messages));
    EXPECT_EQ(messages.texts().back(),
              "不能打开文件trdpara.dat读取交易参数数据!（原因：文件过大）");
}

TEST_F(HostileFiles, LinksInsteadOfDataFilesAreRefusedAndNeverFollowed) {
    const test::TempDir outside;
    std::filesystem::create_symlink(outside.file("escaped.da0"), ledgerFile());  // dangling
    Ledger ledger;
    EXPECT_EQ(loadLedger(store(), owner, ledger), LedgerStatus::CannotOpen);
    EXPECT_FALSE(saveLedger(store(), owner, sample));
    EXPECT_FALSE(writeLedgerHeader(store(), owner, "pw"));
    EXPECT_FALSE(test::fileExists(outside.file("escaped.da0")));
    EXPECT_EQ(messages.texts().at(0),
              "不能打开文件" + ledgerFile() + ".不能完成操作（原因：不是普通文件）");

    // A link to a real file is no better: the file outside stays as it is.
    test::writeBytes(outside.file("pinfo.dat"), Bytes(192, 7));
    std::filesystem::create_symlink(outside.file("pinfo.dat"), dir.file("pinfo.dat"));
    messages.shown.clear();
    EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages).empty());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"不能打开文件pinfo.dat读取相关数据!（原因：不是普通文件）"});
    EXPECT_EQ(test::readBytes(outside.file("pinfo.dat")), Bytes(192, 7));
}

TEST_F(HostileFiles, FifosAndDevicesAreRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(ledgerFile().c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(dir.file("pinfo.dat").c_str(), 0644), 0);
    for (const OpenMode mode : {OpenMode::CreateIfMissing, OpenMode::ReadOnly}) {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(mode), owner, ledger), LedgerStatus::CannotOpen);
        EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages, mode).empty());
    }
    EXPECT_EQ(readWholeFile("/dev/zero", OpenMode::ReadOnly).error, FileError::NotRegular);

    QuoteSnapshot snapshot;
    std::string error;
    EXPECT_FALSE(loadQuoteSnapshot(snapshot, "/dev/zero", error));
    EXPECT_EQ(error, "/dev/zero: not a regular file");
    EXPECT_FALSE(loadQuoteSnapshot(snapshot, ledgerFile(), error));
}

// A rewrite copies unchanged runs of an old file; a copy that falls short (the file is
// shorter than it was) leaves none of its bytes, so that the writer can put them itself.
TEST_F(HostileFiles, ACopyThatFallsShortLeavesNothingOfItBehind) {
    test::writeBytes(dir.file("old"), Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    FileReader old;
    ASSERT_EQ(old.open(dir.file("old"), OpenMode::ReadOnly), ReadStatus::Ok);
    const WriteResult written = replaceFileWith(dir.file("new"), [&](const ByteSink& sink) {
        EXPECT_TRUE(sink.put("ab", 2));
        EXPECT_FALSE(sink.copyFrom(old, 4, 100));
        EXPECT_TRUE(sink.copyFrom(old, 6, 4));
        return sink.put("z", 1);
    });
    ASSERT_TRUE(written);
    EXPECT_EQ(test::readBytes(dir.file("new")), (Bytes{'a', 'b', '6', '7', '8', '9', 'z'}));
}

TEST_F(HostileFiles, ALedgerChangedSinceItWasReadIsNotWrittenOver) {
    ASSERT_TRUE(writeLedgerHeader(store(), owner, "pw"));
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    Ledger mine;
    LedgerStamp stamp;
    ASSERT_EQ(loadLedger(store(), owner, mine, &stamp), LedgerStatus::Ok);

    // Another program books meanwhile.
    Ledger theirs = sample;
    theirs.push_back(test::cashRecord(RecordType::CashIn, 20240102, 5));
    ASSERT_TRUE(saveLedger(store(), owner, theirs));
    const Bytes afterTheirs = test::readBytes(ledgerFile());

    mine.push_back(test::cashRecord(RecordType::CashOut, 20240103, 7));
    messages.shown.clear();
    EXPECT_EQ(saveLoadedLedger(store(), owner, mine, stamp), SaveStatus::ChangedOnDisk);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"文件" + ledgerFile() +
                                                         "已被其他程序修改,已重新读入,请重新操作"});
    EXPECT_EQ(test::readBytes(ledgerFile()), afterTheirs);

    // Read again, the change goes through, and the next one too.
    ASSERT_EQ(loadLedger(store(), owner, mine, &stamp), LedgerStatus::Ok);
    mine.push_back(test::cashRecord(RecordType::CashOut, 20240103, 7));
    EXPECT_EQ(saveLoadedLedger(store(), owner, mine, stamp), SaveStatus::Saved);
    mine.push_back(test::cashRecord(RecordType::CashOut, 20240104, 1));
    EXPECT_EQ(saveLoadedLedger(store(), owner, mine, stamp), SaveStatus::Saved);
    Ledger back;
    ASSERT_EQ(loadLedger(store(), owner, back), LedgerStatus::Ok);
    EXPECT_EQ(back.size(), 4u);
}

// A small tmpfs stands for a full disk and, remounted read-only, for a read-only one.
class SmallDisk : public HostileFiles {
protected:
    void SetUp() override {
        if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        mounted = true;
    }
    void TearDown() override {
        if (mounted) ::umount2(dir.path().c_str(), MNT_DETACH);
    }
    bool mounted = false;
};

TEST_F(SmallDisk, FullAndReadOnlyDisksAreNamedInTheMessage) {
    ASSERT_TRUE(writeLedgerHeader(store(), owner, "pw"));
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    const Bytes before = test::readBytes(ledgerFile());
    messages.shown.clear();
    EXPECT_FALSE(saveLedger(store(), owner, Ledger(1000, sample[0])));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"不能打开文件" + ledgerFile() +
                                                         ".不能完成操作（原因：磁盘已满）"});
    EXPECT_EQ(test::readBytes(ledgerFile()), before);
    // No temporary is left behind: beside the ledger only its kept versions.
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_FALSE(e.path().filename().string().starts_with(".fiscora-tmp-")) << e.path();

    ASSERT_EQ(::mount("tmpfs", dir.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    messages.shown.clear();
    EXPECT_FALSE(saveRegistry(dir.path(), {owner}, scrambler, messages));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "不能打开文件pinfo.dat!无法将基本资料存盘.（原因：文件系统只读）"});
}

}  // namespace
}  // namespace fiscora
