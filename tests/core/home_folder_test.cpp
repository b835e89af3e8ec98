#include "store/home_folder.h"

#include <gtest/gtest.h>

#include "store/program_settings.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

HomeSources everySource() {
    HomeSources s;
    s.commandLine = "/opt/cmd";
    s.environment = "/opt/env";
    s.workingFolder = "/work/here/";
    s.workingFolderHoldsLedgers = true;
    s.settings = "/opt/chosen";
    s.xdgDataHome = "/xdg/data";
    s.userHome = "/home/user";
    return s;
}

std::string resolved(const HomeSources& s) {
    const auto home = resolveHomeFolder(s);
    return home ? home->path : "(none)";
}

TEST(HomeFolderTest, TheStrongestSourceGivenWins) {
    HomeSources s = everySource();
    EXPECT_EQ(resolved(s), "/opt/cmd/");
    EXPECT_EQ(resolveHomeFolder(s)->origin, HomeOrigin::CommandLine);
    s.commandLine = "";  // an empty option counts as none
    EXPECT_EQ(resolved(s), "/opt/env/");
    s.environment.reset();
    // A current folder holding invest/ keeps the old behaviour.
    EXPECT_EQ(resolved(s), "/work/here/");
    EXPECT_EQ(resolveHomeFolder(s)->origin, HomeOrigin::WorkingFolder);
    s.workingFolderHoldsLedgers = false;
    EXPECT_EQ(resolved(s), "/opt/chosen/");
    s.settings.reset();
    EXPECT_EQ(resolved(s), "/xdg/data/fiscora/");
    s.xdgDataHome = "relative/data";  // not absolute: ignored, as XDG asks
    EXPECT_EQ(resolved(s), "/home/user/.local/share/fiscora/");
    s.userHome.reset();
    EXPECT_EQ(resolved(s), "(none)");
}

TEST(HomeFolderTest, RelativeFoldersAreTakenBelowTheWorkingFolder) {
    HomeSources s;
    s.workingFolder = "/work/here/";
    s.commandLine = "books";
    EXPECT_EQ(resolved(s), "/work/here/books/");
    s.commandLine.reset();
    s.settings = "./mine/";
    EXPECT_EQ(resolved(s), "/work/here/./mine/");
    s.workingFolder.reset();
    EXPECT_EQ(resolved(s), "(none)");
}

TEST(HomeFolderTest, SettingsAndQuoteFilePaths) {
    EXPECT_EQ(settingsFilePath("/cfg", "/home/u"), "/cfg/fiscora/settings");
    EXPECT_EQ(settingsFilePath("cfg", "/home/u"), "/home/u/.config/fiscora/settings");
    EXPECT_EQ(settingsFilePath(std::nullopt, std::nullopt), std::nullopt);
    EXPECT_EQ(quoteFileIn("/h/", ""), "/h/quotes.tsv");
    EXPECT_EQ(quoteFileIn("/h/", "feed/q.csv"), "/h/feed/q.csv");
    EXPECT_EQ(quoteFileIn("/h/", "/tmp/q.csv"), "/tmp/q.csv");
}

TEST(ProgramSettingsTest, RoundTripKeepsLinesOfOtherKeys) {
    const ProgramSettings read =
        parseProgramSettings("home=/data/me\r\nwindow=wide\nquotes=/q.tsv\n\n");
    EXPECT_EQ(read.homeFolder, "/data/me");
    EXPECT_EQ(read.quoteFile, "/q.tsv");
    EXPECT_EQ(read.otherLines, "window=wide\n");
    EXPECT_EQ(parseProgramSettings(formatProgramSettings(read)), read);
    EXPECT_EQ(formatProgramSettings({}), "");
}

TEST(ProgramSettingsTest, SavingCreatesTheFolderAndLoadingCreatesNothing) {
    test::TempDir dir;
    const std::string path = dir.file("config/fiscora/settings");
    EXPECT_EQ(loadProgramSettings(path), ProgramSettings{});
    EXPECT_FALSE(test::fileExists(dir.file("config")));

    ProgramSettings s;
    s.homeFolder = "/srv/ledgers/";
    ASSERT_EQ(saveProgramSettings(path, s), FileError::None);
    EXPECT_EQ(test::readText(path), "home=/srv/ledgers/\n");
    EXPECT_EQ(loadProgramSettings(path).homeFolder, "/srv/ledgers/");
}

TEST(ProgramSettingsTest, AFailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("settings");
    test::writeBytes(path, Bytes{'h', 'o', 'm', 'e', '=', '/', 'a', '\n'});
    ProgramSettings s;
    s.homeFolder = "/a/much/longer/folder";
    {
        test::ScopedFileSizeLimit fullDisk(8);
        EXPECT_NE(saveProgramSettings(path, s), FileError::None);
    }
    EXPECT_EQ(test::readText(path), "home=/a\n");
}

}  // namespace
}  // namespace fiscora
