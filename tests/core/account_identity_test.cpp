#include "engine/account_identity.h"

#include <gtest/gtest.h>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "support/builders.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

std::string gbk(const std::string& utf8) {
    return utf8ToGbk(utf8).value();
}

// Three registered accounts; 张三 has a ledger of two records behind its password.
class AccountIdentityTest : public ::testing::Test {
protected:
    AccountIdentityTest() {
        workspace.open(dir.path(), std::nullopt);
        workspace.accounts = {test::account("张三", "secret"), test::account("李四", "pw"),
                              test::account("王五", "pw")};
        workspace.loginStates = {{gbk("张三"), true}, {gbk("李四"), false}, {gbk("王五"), false}};
        EXPECT_TRUE(saveRegistry(dir.path(), workspace.accounts, workspace.scrambler(), messages));
        const AccountInfo& owner = workspace.accounts[0];
        EXPECT_TRUE(writeLedgerHeader(workspace.ledgerStore(), owner, "secret"));
        EXPECT_TRUE(saveLedger(workspace.ledgerStore(), owner, records));
        registryBefore = test::readBytes(dir.file("pinfo.dat"));
        ledgerBefore = test::readBytes(dir.file("张三.da0"));
    }

    // The registry and ledger as a fresh window would read them.
    AccountList registryOnDisk() {
        return loadRegistry(dir.path(), workspace.scrambler(), messages, OpenMode::ReadOnly);
    }
    LedgerStatus loadAs(const std::string& name, const std::string& password, Ledger& out) {
        const AccountInfo account = test::account(name, password);
        return loadLedger(workspace.ledgerStore(), account, out);
    }
    void expectNothingChanged() {
        EXPECT_EQ(test::readBytes(dir.file("pinfo.dat")), registryBefore);
        EXPECT_EQ(test::readBytes(dir.file("张三.da0")), ledgerBefore);
        EXPECT_EQ(fieldText(workspace.accounts[0].name), "张三");
        EXPECT_EQ(fieldText(workspace.accounts[0].password), "secret");
        EXPECT_EQ(workspace.loginStates[0].name, gbk("张三"));
        EXPECT_FALSE(test::fileExists(dir.file(".fiscora-intent")));
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace workspace{messages};
    Ledger records = {test::cashRecord(RecordType::CashIn, 20240101, 10000),
                      test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12)};
    Bytes registryBefore;
    Bytes ledgerBefore;
};

TEST_F(AccountIdentityTest, RenameMovesTheLedgerAndKeepsThePlace) {
    ASSERT_TRUE(renameAccount(workspace, gbk("张三"), gbk("张三丰")));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(test::fileExists(dir.file("张三.da0")));
    EXPECT_EQ(test::readBytes(dir.file("张三丰.da0")), ledgerBefore);

    const AccountList onDisk = registryOnDisk();
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(fieldText(onDisk[0].name), "张三丰");
    EXPECT_EQ(fieldText(onDisk[1].name), "李四");
    EXPECT_EQ(workspace.loginStates[0].name, gbk("张三丰"));
    EXPECT_TRUE(workspace.loginStates[0].loggedIn);

    Ledger loaded;
    EXPECT_EQ(loadAs("张三丰", "secret", loaded), LedgerStatus::Ok);
    EXPECT_EQ(loaded.size(), 2u);
}

TEST_F(AccountIdentityTest, RenameNeverReplacesAFile) {
    test::writeBytes(dir.file("赵六.da0"), {1, 2, 3});
    EXPECT_FALSE(renameAccount(workspace, gbk("张三"), gbk("赵六")));
    EXPECT_EQ(messages.texts().back(),
              "文件" + dir.file("赵六.da0") + "已经存在，不能改名为赵六。");
    EXPECT_EQ(test::readBytes(dir.file("赵六.da0")), (Bytes{1, 2, 3}));
    expectNothingChanged();
}

TEST_F(AccountIdentityTest, RenameRefusesANameThatCannotBeAFile) {
    EXPECT_FALSE(renameAccount(workspace, gbk("张三"), "a/b"));
    EXPECT_EQ(messages.shown.size(), 1u);
    expectNothingChanged();
}

TEST_F(AccountIdentityTest, RenameWithoutALedgerFileOnlyRenamesTheAccount) {
    ASSERT_TRUE(renameAccount(workspace, gbk("李四"), gbk("李小四")));
    EXPECT_FALSE(test::fileExists(dir.file("李小四.da0")));
    EXPECT_EQ(fieldText(registryOnDisk()[1].name), "李小四");
}

TEST_F(AccountIdentityTest, RegistryWriteFailureMovesTheLedgerBack) {
    bool renamed = true;
    {
        // The intent record needs 208 bytes, the registry 576.
        const test::ScopedFileSizeLimit limit(300);
        renamed = renameAccount(workspace, gbk("张三"), gbk("张三丰"));
    }
    EXPECT_FALSE(renamed);
    EXPECT_EQ(messages.texts().front(),
              "不能打开文件pinfo.dat!无法将基本资料存盘.（原因：文件过大）");
    EXPECT_EQ(messages.texts().back(), "帐户没有改变。");
    EXPECT_FALSE(test::fileExists(dir.file("张三丰.da0")));
    expectNothingChanged();
}

TEST_F(AccountIdentityTest, NewPasswordKeepsEveryRecord) {
    ASSERT_TRUE(changeAccountPassword(workspace, gbk("张三"), "n3w"));
    EXPECT_EQ(fieldText(registryOnDisk()[0].password), "n3w");
    Ledger loaded;
    EXPECT_EQ(loadAs("张三", "n3w", loaded), LedgerStatus::Ok);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(test::unpacked(loaded[1].quantity), 100);
    EXPECT_EQ(loadAs("张三", "secret", loaded), LedgerStatus::Tampered);
}

TEST_F(AccountIdentityTest, LedgerHeaderFailureChangesNothing) {
    bool changed = true;
    {
        const test::ScopedFileSizeLimit limit(300);  // the ledger needs 600 bytes
        changed = changeAccountPassword(workspace, gbk("张三"), "n3w");
    }
    EXPECT_FALSE(changed);
    EXPECT_EQ(messages.texts().back(),
              "不能打开文件" + dir.file("张三.da0") + ".不能完成操作（原因：文件过大）");
    expectNothingChanged();
}

TEST_F(AccountIdentityTest, RegistryFailureRestoresTheOldHeader) {
    // 李四's ledger is a header alone (200 bytes); the registry needs 576.
    ASSERT_TRUE(writeLedgerHeader(workspace.ledgerStore(), workspace.accounts[1], "pw"));
    const Bytes before = test::readBytes(dir.file("李四.da0"));
    bool changed = true;
    {
        const test::ScopedFileSizeLimit limit(400);
        changed = changeAccountPassword(workspace, gbk("李四"), "n3w");
    }
    EXPECT_FALSE(changed);
    EXPECT_EQ(messages.texts().back(), "帐户没有改变。");
    EXPECT_EQ(test::readBytes(dir.file("李四.da0")), before);
    EXPECT_EQ(fieldText(workspace.accounts[1].password), "pw");
    EXPECT_EQ(test::readBytes(dir.file("pinfo.dat")), registryBefore);
    EXPECT_FALSE(test::fileExists(dir.file(".fiscora-intent")));
}

}  // namespace
}  // namespace fiscora
