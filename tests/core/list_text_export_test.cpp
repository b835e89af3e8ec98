#include "output/list_text_export.h"

#include <gtest/gtest.h>

#include "host/module_state.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

ListTable sampleList() {
    return {{{"  市场类型 ", 72},
             {"股票代码\t", 72, ColumnAlign::Left},
             {"均价", 72, ColumnAlign::Right}},
            {{"上海", "600036", " 10.030 "}, {"深圳", "000002", ""}}};
}

std::string fileText(const std::string& path) {
    const Bytes bytes = test::readBytes(path);
    return {bytes.begin(), bytes.end()};
}

TEST(ListTextExport, GbkFieldsEachFollowedByTabAndLinesEndedByCrLf) {
    // 市场类型 股票代码 均价 上海 深圳 in GBK; header blanks trimmed, cell blanks kept.
    const std::string expected =
        "\xCA\xD0\xB3\xA1\xC0\xE0\xD0\xCD\t\xB9\xC9\xC6\xB1\xB4\xFA\xC2\xEB\t\xBE\xF9\xBC\xDB\t\r\n"
        "\xC9\xCF\xBA\xA3\t600036\t 10.030 \t\r\n"
        "\xC9\xEE\xDB\xDA\t000002\t\t\r\n";
    EXPECT_EQ(listAsText(sampleList()), expected);

    test::TempDir dir;
    ASSERT_TRUE(SaveListAsText(sampleList(), dir.file("list.txt")));
    EXPECT_EQ(fileText(dir.file("list.txt")), expected);
}

TEST(ListTextExport, RowsHaveOneFieldPerColumnAndAnEmptyListKeepsItsHeader) {
    ListTable list{{{"a", 10}, {"b", 10}}, {{"1"}, {"1", "2", "hidden"}}};
    EXPECT_EQ(listAsText(list), "a\tb\t\r\n1\t\t\r\n1\t2\t\r\n");
    list.rows.clear();
    EXPECT_EQ(listAsText(list), "a\tb\t\r\n");
}

TEST(ListTextExport, TextGbkCannotHoldIsRefusedButUnreadableBytesBecomeQuestionMarks) {
    test::TempDir dir;
    const std::string path = dir.file("list.txt");
    test::writeBytes(path, {'o', 'l', 'd'});

    const ListTable emoji{{{"名称", 72}}, {{"\xF0\x9F\x98\x80"}}};
    EXPECT_EQ(listAsText(emoji), std::nullopt);
    EXPECT_FALSE(SaveListAsText(emoji, path));
    EXPECT_EQ(fileText(path), "old");  // the previous export is untouched

    // A host name cut inside a character reads back with U+FFFD.
    const ListTable damaged{{{"名称", 72}}, {{"招\xEF\xBF\xBD"}}};
    EXPECT_EQ(listAsText(damaged), "\xC3\xFB\xB3\xC6\t\r\n\xD5\xD0?\t\r\n");
}

class SaveListTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = dataDirectory();
        setPrivateInvestDir(dir_.path().c_str());
    }
    void TearDown() override { setPrivateInvestDir(previous_.c_str()); }

    test::TempDir dir_;
    std::string previous_;
    test::RecordingMessages messages_;
    std::vector<std::string> opened_;
    bool editorFound_ = true;
    OpenInTextEditor opener_ = [this](const std::string& path) {
        opened_.push_back(path);
        return editorFound_;
    };
};

TEST_F(SaveListTest, SavesInTheDataDirectoryAndOpensTheFileOnlyOnYes) {
    SaveList(sampleList(), "盈亏明细.txt", messages_, opener_);
    const std::string path = dir_.file("盈亏明细.txt");
    EXPECT_EQ(messages_.asked, (std::vector<std::string>{"文件保存为当前路径下" + path +
                                                         ",是否用文本编辑器打开?|Fiscora"}));
    EXPECT_EQ(opened_, (std::vector<std::string>{path}));
    EXPECT_EQ(listAsText(sampleList()), fileText(path));
    EXPECT_TRUE(messages_.shown.empty());

    messages_.answer = false;
    SaveList(sampleList(), "盈亏明细.txt", messages_, opener_);
    EXPECT_EQ(messages_.asked.size(), 2u);
    EXPECT_EQ(opened_.size(), 1u);  // No leaves the file unopened
}

TEST_F(SaveListTest, YesWithoutATextEditorSaysWhereTheFileIs) {
    editorFound_ = false;
    SaveList(sampleList(), "盈亏明细.txt", messages_, opener_);
    EXPECT_EQ(opened_.size(), 1u);
    EXPECT_EQ(messages_.texts(), (std::vector<std::string>{std::string(kNoTextEditorMessage) +
                                                           dir_.file("盈亏明细.txt")}));
    EXPECT_EQ(listAsText(sampleList()), fileText(dir_.file("盈亏明细.txt")));
}

TEST_F(SaveListTest, AFileThatCannotBeWrittenShowsSaveFailedAndAsksNothing) {
    setPrivateInvestDir((dir_.path() + "missing/").c_str());
    SaveList(sampleList(), "盈亏明细.txt", messages_, opener_);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "保存失败");
    EXPECT_EQ(messages_.shown[0].caption, "Fiscora");
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(messages_.asked.empty());
    EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace fiscora
