#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "engine/workspace.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// An account whose ledger holds more than one run of records, logged in as the window logs
// in: the ledger loaded with its figures.
class WorkspaceBookingTest : public ::testing::Test {
protected:
    WorkspaceBookingTest() {
        workspace.open(dir.path(), std::nullopt);
        workspace.accounts = {test::account("张三", "secret")};
        for (std::size_t i = 0; i < kLedgerChunkRecords + 10; ++i)
            workspace.ledger.push_back(test::stockRecord(
                i % 3 == 2 ? RecordType::Sell : RecordType::Buy,
                20240101 + static_cast<int>(i % 28), std::to_string(600000 + i % 7), 100, 10, 5));
        EXPECT_TRUE(workspace.writeNewLedgerOf(owner()));
        login();
    }
    const AccountInfo& owner() const { return workspace.accounts[0]; }
    std::string path() const { return ledgerPath(workspace.dataDirectory(), owner()); }
    void login() { ASSERT_EQ(workspace.loadLedgerOf(owner()), LedgerStatus::Ok); }
    ino_t inode() const {
        struct stat st {};
        EXPECT_EQ(::stat(path().c_str(), &st), 0);
        return st.st_ino;
    }
    // Books a sale and tells whether the file was appended to in place (else replaced whole);
    // either way it must then hold the ledger in memory.
    bool bookedInPlace() {
        const ino_t before = inode();
        workspace.appendRecord(test::stockRecord(RecordType::Sell, 20240201, "600001", 100, 11, 5));
        EXPECT_EQ(workspace.saveLedgerOf(owner()), SaveStatus::Saved);
        Ledger onDisk;
        EXPECT_EQ(loadLedger(workspace.ledgerStore(), owner(), onDisk), LedgerStatus::Ok);
        EXPECT_EQ(onDisk.size(), workspace.ledger.size());
        for (std::size_t i = 0; i < onDisk.size() && i < workspace.ledger.size(); ++i)
            EXPECT_EQ(std::memcmp(&onDisk[i], &workspace.ledger[i], sizeof(LedgerRecord)), 0)
                << "record " << i;
        return inode() == before;
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace workspace{messages};
};

TEST_F(WorkspaceBookingTest, ABookingAfterTheLoginIsAppendedInPlace) {
    EXPECT_TRUE(bookedInPlace());
    EXPECT_TRUE(bookedInPlace());  // the stamp the append left proves the next one
    EXPECT_TRUE(messages.shown.empty());
}

// The login's proof that the records in memory are the file's holds for every record read:
// one changed since, in a whole run or in the last one the file holds in part, makes the
// booking a rewrite of the whole file.
TEST_F(WorkspaceBookingTest, ARecordChangedInMemorySinceTheLoginIsWrittenWhole) {
    for (const std::size_t changed : {std::size_t{5}, kLedgerChunkRecords + 9}) {
        SCOPED_TRACE(changed);
        login();
        storeBytes(workspace.ledger[changed].remark, "changed");
        EXPECT_FALSE(bookedInPlace());
    }
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace fiscora
