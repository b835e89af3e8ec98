#include "store/account_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/workspace.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/packed_field.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() { scrambler.setFileKey(); }

    test::TempDir dir;
    DataScrambler scrambler;
    test::RecordingMessages messages;
};

TEST_F(RegistryTest, MissingFileIsCreatedEmptyWithoutAMessage) {
    EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages).empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(test::fileExists(dir.file("pinfo.dat")));
    EXPECT_EQ(test::readBytes(dir.file("pinfo.dat")).size(), 0u);
}

TEST_F(RegistryTest, ReadOnlyModeCreatesNothing) {
    EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages, OpenMode::ReadOnly).empty());
    EXPECT_FALSE(test::fileExists(dir.file("pinfo.dat")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegistryTest, SavesEncipheredEntriesAndReadsThemBackInOrder) {
    AccountList accounts = {test::account("张三", "pw1"),
                            test::account("李四", "", "上证B股", 500.5, 20231231)};
    ASSERT_TRUE(saveRegistry(dir.path(), accounts, scrambler, messages));
    Bytes file = test::readBytes(dir.file("pinfo.dat"));
    ASSERT_EQ(file.size(), 384u);

    // On disk: the enciphered bytes of exactly the two entries.
    Bytes plain(384);
    std::memcpy(plain.data(), accounts.data(), 384);
    Bytes expected = plain;
    scrambler.encrypt(expected.data(), expected.size());
    EXPECT_EQ(file, expected);
    EXPECT_NE(file, plain);

    AccountList back = loadRegistry(dir.path(), scrambler, messages);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::memcmp(back.data(), accounts.data(), 384), 0);
    EXPECT_EQ(fieldText(back[1].name), "李四");
    EXPECT_EQ(test::unpacked(back[1].createdDate), 20231231);
    EXPECT_EQ(currencyUnit(back, *utf8ToGbk("李四")), "美元");
    EXPECT_EQ(currencyUnit(back, *utf8ToGbk("张三")), "元");
}

TEST_F(RegistryTest, TrailingBytesAreIgnoredAndDroppedOnSave) {
    AccountList one = {test::account("甲", "x")};
    ASSERT_TRUE(saveRegistry(dir.path(), one, scrambler, messages));
    Bytes file = test::readBytes(dir.file("pinfo.dat"));
    file.resize(200, 0xAB);
    test::writeBytes(dir.file("pinfo.dat"), file);

    AccountList back = loadRegistry(dir.path(), scrambler, messages);
    ASSERT_EQ(back.size(), 1u);
    ASSERT_TRUE(saveRegistry(dir.path(), back, scrambler, messages));
    EXPECT_EQ(test::readBytes(dir.file("pinfo.dat")).size(), 192u);

    back.clear();  // deleting the last account leaves an empty file
    ASSERT_TRUE(saveRegistry(dir.path(), back, scrambler, messages));
    EXPECT_EQ(test::readBytes(dir.file("pinfo.dat")).size(), 0u);
}

TEST_F(RegistryTest, FailuresAreReportedAsErrors) {
    std::filesystem::create_directory(
        dir.file("pinfo.dat"));  // a folder cannot be opened as the file
    EXPECT_TRUE(loadRegistry(dir.path(), scrambler, messages).empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "不能打开文件pinfo.dat读取相关数据!（原因：不是普通文件）");
    EXPECT_EQ(messages.shown[0].caption, "错误");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);

    EXPECT_FALSE(
        saveRegistry(dir.file("missing-folder/"), {test::account("a", "b")}, scrambler, messages));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "不能打开文件pinfo.dat!无法将基本资料存盘.");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
}

TEST_F(RegistryTest, FindsAccountsByWholeNameAndListsThemLoggedOut) {
    AccountList accounts = {test::account("ab", "1"), test::account("abc", "2"),
                            test::account("abc", "3")};
    EXPECT_EQ(findAccount(accounts, "abc"), &accounts[1]);
    EXPECT_EQ(findAccount(accounts, "a"), nullptr);
    LoginStates states = loggedOutStates(accounts);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[1].name, "abc");
    for (const auto& s : states) EXPECT_FALSE(s.loggedIn);
}

}  // namespace
}  // namespace fiscora

namespace fiscora {
namespace {

// The window and the command line may open their workspace again (the command line does,
// once a password is in): the cipher starts from its initial tables each time, so the
// accounts read the same.
TEST(WorkspaceOpen, OpeningAgainReadsTheSameAccounts) {
    test::TempDir dir;
    test::RecordingMessages messages;
    Workspace workspace(messages);
    workspace.open(dir.path());
    workspace.accounts = {test::account("张三", "pw")};
    ASSERT_TRUE(workspace.saveAccounts());
    workspace.open(dir.path());
    ASSERT_EQ(workspace.accounts.size(), 1u);
    EXPECT_EQ(fieldText(workspace.accounts[0].name), "张三");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace fiscora
