#include <gtest/gtest.h>

#include "output/list_text_export.h"
#include "recording_list_output.h"
#include "support/fake_quotes.h"
#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::RecordingListOutput;

class ListOutputCommands : public test::WindowTest {
protected:
    void SetUp() override {
        seed({test::account("甲", "1")},
             {{test::cashRecord(RecordType::CashIn, 20240101, 50000),
               test::stockRecord(RecordType::Buy, 20240102, "600036", 100, 10, 12, 1),
               test::stockRecord(RecordType::Buy, 20240103, "000001", 200, 5, 10, 0)}});
        open();
    }
    RecordingListOutput output;
};

TEST_F(ListOutputCommands, AvailableOnlyOnceTheWindowCanPrint) {
    EXPECT_FALSE(window.isAvailable(command::kPrint));
    EXPECT_FALSE(window.isAvailable(command::kSaveAsText));
    window.setListOutput(output);
    EXPECT_TRUE(window.isAvailable(command::kPrint));
    EXPECT_TRUE(window.isAvailable(command::kSaveAsText));
}

TEST_F(ListOutputCommands, PrintAndSaveTakeTheHoldingsListAsItShows) {
    window.setListOutput(output);
    test::FakeQuotes quotes;
    quotes.add("600036", 1, "\xd5\xd0\xc9\xcc\xd2\xf8\xd0\xd0", 11.0f, 10.5f);  // 招商银行
    login(0, "1");
    ASSERT_EQ(window.holdingRows().size(), 2u);
    messages.shown.clear();

    window.OnCommand(command::kPrint);
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_EQ(output.titles[0], "盈亏明细打印");
    EXPECT_EQ(output.printed[0].columns.size(), 10u);
    EXPECT_EQ(output.printed[0].rows,
              (std::vector<std::vector<std::string>>{window.holdingRows()[0].cells,
                                                     window.holdingRows()[1].cells}));

    window.OnCommand(command::kSaveAsText);
    const std::string path = dataDir() + "盈亏明细.txt";
    EXPECT_EQ(messages.asked, (std::vector<std::string>{"文件保存为当前路径下" + path +
                                                        ",是否用文本编辑器打开?|Fiscora"}));
    EXPECT_EQ(output.opened, (std::vector<std::string>{path}));
    const Bytes saved = test::readBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), listAsText(output.printed[0]));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ListOutputCommands, WithoutASelectedAccountTheEmptyListIsStillSaved) {
    window.setListOutput(output);
    window.OnCommand(command::kPrint);
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_TRUE(output.printed[0].rows.empty());  // the printer prints nothing for it
    messages.answer = false;
    window.OnCommand(command::kSaveAsText);
    EXPECT_TRUE(messages.shown.empty());  // no account guard
    EXPECT_TRUE(output.opened.empty());
    const Bytes saved = test::readBytes(dataDir() + "盈亏明细.txt");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 1);
}

}  // namespace
}  // namespace fiscora::ui
