#include "ui/account/program_settings_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

TEST(ProgramSettingsDialogTest, RefusesPathsTheProgramCannotUse) {
    test::TempDir dir;
    test::writeBytes(dir.file("plain"), Bytes{'x'});
    test::RecordingMessages messages;
    ProgramSettingsDialog d(messages, {}, "/data/invest/");
    d.OnInitDialog();
    EXPECT_EQ(d.dataFolder.text, "/data/invest/");
    EXPECT_TRUE(d.OnConfirm());  // both empty: the defaults

    const auto refused = [&](TextField& box, const std::string& text) {
        messages.shown.clear();
        d.typeText(box, text);
        EXPECT_FALSE(d.OnConfirm()) << text;
        EXPECT_EQ(d.focused(), &box) << text;
        const std::string why = messages.shown.empty() ? "" : messages.shown[0].text;
        d.typeText(box, "");
        return why;
    };
    EXPECT_EQ(refused(d.homeFolder, "books"), "主文件夹必须是以/开头的完整路径!");
    EXPECT_EQ(refused(d.homeFolder, dir.file("plain")),
              "主文件夹" + dir.file("plain") + "不是文件夹!");
    EXPECT_EQ(refused(d.homeFolder, "/a\nquotes=/b"), "主文件夹不能含有换行符!");
    EXPECT_EQ(refused(d.quoteFile, dir.path()), "行情文件" + dir.path() + "是一个文件夹!");
    EXPECT_EQ(refused(d.quoteFile, "q.tsv\r"), "行情文件不能含有换行符!");

    // A folder not made yet, and a quote file relative to the home folder, are fine.
    d.typeText(d.homeFolder, dir.file("new/home"));
    d.typeText(d.quoteFile, "feed/quotes.csv");
    EXPECT_TRUE(d.OnConfirm());
    EXPECT_TRUE(d.runAction("恢复默认"));
    EXPECT_EQ(d.settings(), ProgramSettings{});
}

// The command against a settings file below the test's folder.
class ProgramSettingsCommandTest : public test::WindowTest {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old != nullptr) oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        open();
    }
    void TearDown() override {
        if (oldConfig_)
            ::setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    std::string settingsFile() const { return dir.file("config/fiscora/settings"); }

private:
    std::optional<std::string> oldConfig_;
};

TEST_F(ProgramSettingsCommandTest, ConfirmedChangesAreWrittenAndTheOtherLinesKept) {
    runner.then<ProgramSettingsDialog>([](ProgramSettingsDialog&) { return true; });
    window.OnCommand(command::kProgramSettings);
    EXPECT_EQ(runner.captions.back(), "设置");
    EXPECT_FALSE(test::fileExists(dir.file("config"))) << "nothing changed, nothing written";

    ::mkdir(dir.file("config").c_str(), 0755);
    ::mkdir(dir.file("config/fiscora").c_str(), 0755);
    test::writeBytes(settingsFile(), Bytes{'k', '=', 'v', '\n'});
    runner.then<ProgramSettingsDialog>([this](ProgramSettingsDialog& d) {
        EXPECT_EQ(d.dataFolder.text, dataDir());
        d.typeText(d.quoteFile, "/feed/quotes.csv");
        return true;
    });
    window.OnCommand(command::kProgramSettings);
    EXPECT_EQ(test::readText(settingsFile()), "quotes=/feed/quotes.csv\nk=v\n");
    EXPECT_TRUE(messages.shown.empty());

    runner.then<ProgramSettingsDialog>([this](ProgramSettingsDialog& d) {
        EXPECT_EQ(d.quoteFile.text, "/feed/quotes.csv");
        d.typeText(d.homeFolder, dir.file("home"));
        return true;
    });
    window.OnCommand(command::kProgramSettings);
    EXPECT_EQ(loadProgramSettings(settingsFile()).homeFolder, dir.file("home"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"新的主文件夹在下次启动Fiscora时使用。"});

    // Cancelled: nothing written.
    const std::string kept = test::readText(settingsFile());
    runner.then<ProgramSettingsDialog>([](ProgramSettingsDialog& d) {
        d.typeText(d.homeFolder, "/elsewhere");
        return false;
    });
    window.OnCommand(command::kProgramSettings);
    EXPECT_EQ(test::readText(settingsFile()), kept);
}

TEST_F(ProgramSettingsCommandTest, ASettingsFileThatCannotBeWrittenIsReported) {
    test::writeBytes(dir.file("config"), Bytes{'x'});  // a file where the folder would go
    runner.then<ProgramSettingsDialog>([](ProgramSettingsDialog& d) {
        d.typeText(d.quoteFile, "/q.tsv");
        return true;
    });
    window.OnCommand(command::kProgramSettings);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("不能保存设置文件" + settingsFile() + "!", 0), 0u)
        << messages.shown[0].text;
    EXPECT_EQ(test::readText(dir.file("config")), "x");
}

}  // namespace
}  // namespace fiscora::ui
