// The temporaries of crash-safe rewrites: only this program's own are ever removed, and a
// new file gets the permissions the umask gives.
#include "store/temporary_file.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "output/list_text_export.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

mode_t permissionsOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t previous_;
};

class TemporaryFiles : public ::testing::Test {
protected:
    TemporaryFiles() { scrambler.setFileKey(); }
    LedgerStore store() { return {dir.path(), scrambler, messages}; }

    test::TempDir dir;
    DataScrambler scrambler;
    test::RecordingMessages messages;
    AccountInfo owner = test::account("张三", "pw");
    Ledger sample = {test::cashRecord(RecordType::CashIn, 20240101, 10000)};
};

TEST_F(TemporaryFiles, UsersFilesBesideADataFileOrAnExportSurviveEveryWrite) {
    const std::vector<std::string> users = {"张三.da0.backup",
                                            "张三.da0.bak123",
                                            "张三.da0.a1B2c3",
                                            "pinfo.dat.backup",
                                            "pinfo.dat.ZZZZZZ",
                                            "report.txt.2024Q1",
                                            "fiscora-tmp-张三.da0.a1B2c3"};
    for (const std::string& name : users) test::writeBytes(dir.file(name), Bytes(10, 1));
    // Ours, left by killed writers: of this file, of a file renamed since, of an export.
    const std::vector<std::string> leftovers = {".fiscora-tmp-张三.da0.a1B2c3",
                                                ".fiscora-tmp-旧名.da0.Q9w8E7",
                                                ".fiscora-tmp-report.txt.000000"};
    for (const std::string& name : leftovers) test::writeBytes(dir.file(name), Bytes(10, 2));
    std::filesystem::create_directory(dir.file(".fiscora-tmp-folder.da0.abcdef"));

    ASSERT_TRUE(writeLedgerHeader(store(), owner, "pw"));
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    ASSERT_TRUE(saveRegistry(dir.path(), {owner}, scrambler, messages));
    ASSERT_TRUE(SaveListAsText({{{"a", 10}}, {{"1"}}}, dir.file("report.txt")));

    for (const std::string& name : users)
        EXPECT_EQ(test::readBytes(dir.file(name)), Bytes(10, 1)) << name;
    for (const std::string& name : leftovers)
        EXPECT_FALSE(test::fileExists(dir.file(name))) << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(".fiscora-tmp-folder.da0.abcdef")));
}

// A temporary whose writer is still at work (an export being printed, say) is not a
// leftover, even while another write in the folder cleans up.
TEST_F(TemporaryFiles, ATemporaryAWriterStillHoldsIsKept) {
    TemporaryFile busy;
    ASSERT_EQ(busy.create(dir.file("chart.png")), FileError::None);
    EXPECT_TRUE(busy.path().starts_with(dir.file(".fiscora-tmp-chart.png.")));
    ASSERT_TRUE(saveRegistry(dir.path(), {owner}, scrambler, messages));
    EXPECT_TRUE(test::fileExists(busy.path()));

    ASSERT_EQ(::write(busy.fd(), "png", 3), 3);
    ASSERT_EQ(busy.commit(), FileError::None);
    EXPECT_EQ(test::readText(dir.file("chart.png")), "png");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST_F(TemporaryFiles, AnUncommittedTemporaryGoesAndTheTargetStays) {
    test::writeBytes(dir.file("report.txt"), Bytes{'o', 'l', 'd'});
    {
        TemporaryFile abandoned;
        ASSERT_EQ(abandoned.create(dir.file("report.txt")), FileError::None);
        ASSERT_EQ(::write(abandoned.fd(), "new", 3), 3);
    }
    EXPECT_EQ(test::readText(dir.file("report.txt")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(TemporaryFiles, NewFilesFollowTheUmaskAndANewLedgerIsNeverWiderThanTheRegistry) {
    {
        const ScopedUmask mask(077);
        ASSERT_TRUE(SaveListAsText({{{"a", 10}}, {{"1"}}}, dir.file("report.txt")));
        ASSERT_TRUE(saveRegistry(dir.path(), {owner}, scrambler, messages));
        LedgerStamp stamp;
        ASSERT_TRUE(writeNewLedger(store(), owner, sample, stamp));
    }
    EXPECT_EQ(permissionsOf(dir.file("report.txt")), 0600);
    EXPECT_EQ(permissionsOf(dir.file("pinfo.dat")), 0600);
    EXPECT_EQ(permissionsOf(dir.file("张三.da0")), 0600);

    // A looser umask later: the new ledger still takes no more than the registry has.
    ASSERT_EQ(::chmod(dir.file("pinfo.dat").c_str(), 0640), 0);
    const AccountInfo other = test::account("李四", "pw");
    {
        const ScopedUmask mask(002);
        LedgerStamp stamp;
        ASSERT_TRUE(writeNewLedger(store(), other, sample, stamp));
        ASSERT_TRUE(SaveListAsText({{{"a", 10}}, {{"1"}}}, dir.file("other.txt")));
    }
    EXPECT_EQ(permissionsOf(dir.file("李四.da0")), 0640);
    EXPECT_EQ(permissionsOf(dir.file("other.txt")), 0664);
    // A rewrite keeps a file's own permissions whatever the umask.
    ASSERT_TRUE(saveLedger(store(), owner, sample));
    EXPECT_EQ(permissionsOf(dir.file("张三.da0")), 0600);
}

}  // namespace
}  // namespace fiscora
