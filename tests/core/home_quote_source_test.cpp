#include "store/home_quote_source.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "records/gbk_text.h"
#include "store/program_settings.h"
#include "support/capital_series_data.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

void writeText(const std::string& path, const std::string& text) {
    test::writeBytes(path, Bytes(text.begin(), text.end()));
}

// Replaces the file as most editors and feeds do: a new file renamed over the old one.
void replaceText(const std::string& path, const std::string& text) {
    writeText(path + ".new", text);
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
}

DayBar bar(std::int32_t date, std::uint32_t close) {
    DayBar b{};
    b.date = date;
    b.prices[0] = b.prices[1] = b.prices[2] = b.prices[3] = close;
    return b;
}

struct Answer {
    long known = 0;
    std::string name;  // UTF-8
    float latest = 0;
    float prevClose = 0;
};

Answer askName(HomeQuoteSource& source, const char* code, short market) {
    Answer a;
    char buffer[kStockNameBufferSize];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    a.known = source.lookup(code, market, buffer, nullptr, nullptr);
    if (a.known == 0) return a;
    EXPECT_EQ(buffer[kStockNameBufferSize - 1], '\0');
    a.name = gbkToUtf8(buffer);
    return a;
}

Answer askPrices(HomeQuoteSource& source, const char* code, short market) {
    Answer a;
    a.known = source.lookup(code, market, nullptr, &a.latest, &a.prevClose);
    return a;
}

class HomeQuoteSourceTest : public ::testing::Test {
protected:
    test::TempDir home;
    std::string quoteFile = home.file("quotes.tsv");
    HomeQuoteSource source{home.path(), quoteFile};
};

TEST_F(HomeQuoteSourceTest, TheQuoteFileIsReadAgainWhenItChangesOnDisk) {
    writeText(quoteFile, "600000\t1\t浦发银行\t10.50\t10.00\n");
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 10.5f);
    EXPECT_EQ(askName(source, "600000", 1).name, "浦发银行");

    replaceText(quoteFile, "600000\t1\t浦发银行\t10.80\t10.00\n");
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 10.8f);

    // Written in place, longer: a CSV line now.
    writeText(quoteFile, "600000,1,浦发银行,11.25,10.00\n000001,0,平安银行,12.5,12.4\n");
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 11.25f);
    EXPECT_FLOAT_EQ(askPrices(source, "000001", 0).prevClose, 12.4f);

    // A file that does not read keeps the quotes last read, and says why.
    replaceText(quoteFile, "600000\t1\t浦发银行\tabc\t10.00\n");
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 11.25f);
    EXPECT_NE(source.quoteFileError().find("quotes.tsv:1:"), std::string::npos);

    // Gone: no quotes from it.
    ASSERT_EQ(std::remove(quoteFile.c_str()), 0);
    EXPECT_EQ(askPrices(source, "600000", 1).known, 0);
    EXPECT_EQ(source.quoteFileError(), "");
}

TEST_F(HomeQuoteSourceTest, AStockTheFileLacksIsPricedFromItsLastBars) {
    writeText(quoteFile, "600000\t1\t浦发银行\t10.50\t10.00\n");
    test::writeDayBarFile(home.path(), {1, "600519"},
                          {bar(20260105, 170000), bar(20260106, 171050)});
    const Answer shanghai = askPrices(source, "600519", 1);
    EXPECT_EQ(shanghai.known, 1);
    EXPECT_FLOAT_EQ(shanghai.latest, 1710.50f);
    EXPECT_FLOAT_EQ(shanghai.prevClose, 1700.00f);

    // A B share's prices have three decimals; a single bar is its own previous close.
    test::writeDayBarFile(home.path(), {1, "900901"}, {bar(20260106, 2345)});
    const Answer bShare = askPrices(source, "900901", 1);
    EXPECT_FLOAT_EQ(bShare.latest, 2.345f);
    EXPECT_FLOAT_EQ(bShare.prevClose, 2.345f);

    // The bar file of the other market is not this stock's; a file cut inside a record is
    // no bar file.
    EXPECT_EQ(askPrices(source, "600519", 0).known, 0);
    test::writeDayBarFile(home.path(), {0, "000001"}, {bar(20260106, 1234)}, 5);
    EXPECT_EQ(askPrices(source, "000001", 0).known, 0);
    // The quote file wins over the bars.
    test::writeDayBarFile(home.path(), {1, "600000"}, {bar(20260106, 999)});
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 10.5f);
}

TEST_F(HomeQuoteSourceTest, NamesComeFromTheQuoteFileThenFromTheLearnedNames) {
    writeText(quoteFile, "600000\t1\t浦发银行\t10.50\t10.00\n");
    ::mkdir(home.file("invest").c_str(), 0755);
    writeText(home.file("invest/names.tsv"), "600000\t1\t旧名称\n000002\t0\t万科A\n"
                                             "600036\t1\t招商银行股份有限公司\n");
    EXPECT_EQ(askName(source, "600000", 1).name, "浦发银行");
    EXPECT_EQ(askName(source, "000002", 0).name, "万科A");
    // Cut to the 11 bytes the host's buffer holds, between characters.
    EXPECT_EQ(askName(source, "600036", 1).name, "招商银行股");
    // Learned names give no price.
    EXPECT_EQ(askPrices(source, "000002", 0).known, 0);

    // A name request is answered for any code, so booking works without quotes.
    const Answer unknown = askName(source, "300750", 0);
    EXPECT_EQ(unknown.known, 1);
    EXPECT_EQ(unknown.name, "");
    EXPECT_EQ(askName(source, "30075", 0).known, 0);
    EXPECT_EQ(askName(source, "../../x", 0).known, 0);

    // A newly learned name is seen at the next request.
    ASSERT_EQ(mergeStockNames(home.file("invest/names.tsv"), {{{"300750", 0}, "宁德时代"}}),
              FileError::None);
    EXPECT_EQ(askName(source, "300750", 0).name, "宁德时代");
}

TEST_F(HomeQuoteSourceTest, TheQuoteFileFollowsTheSettings) {
    const std::string settingsFile = home.file("settings");
    writeText(quoteFile, "600000\t1\t浦发银行\t10.50\t10.00\n");
    writeText(home.file("feed.csv"), "600000,1,浦发银行,9.90,10.00\n");
    source.followSettings(settingsFile);  // no settings file: the default quote file
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 10.5f);

    ProgramSettings chosen;
    chosen.quoteFile = "feed.csv";
    ASSERT_EQ(saveProgramSettings(settingsFile, chosen), FileError::None);
    EXPECT_FLOAT_EQ(askPrices(source, "600000", 1).latest, 9.9f);
    EXPECT_EQ(source.quoteFile(), home.file("feed.csv"));
}

TEST(StockNamesFileTest, MergingRewritesOnlyWhatChanged) {
    test::TempDir dir;
    const std::string path = dir.file("names.tsv");
    ASSERT_EQ(mergeStockNames(path, {{{"600000", 1}, "浦发银行"}, {{"000001", 0}, "平安银行"}}),
              FileError::None);
    EXPECT_EQ(test::readText(path), "000001\t0\t平安银行\n600000\t1\t浦发银行\n");

    // Nothing new: the file is not rewritten.
    const FileStamp before = stampOf(path);
    ASSERT_EQ(mergeStockNames(path, {{{"600000", 1}, "浦发银行"}}), FileError::None);
    EXPECT_EQ(stampOf(path), before);

    // A renamed stock, and names no line can hold, which are not learned.
    ASSERT_EQ(mergeStockNames(path, {{{"600000", 1}, "浦发"}, {{"600001", 1}, "a\tb"}}),
              FileError::None);
    EXPECT_EQ(loadStockNames(path),
              (StockNames{{{"000001", 0}, "平安银行"}, {{"600000", 1}, "浦发"}}));

    // A write that fails leaves the old file whole.
    const std::string kept = test::readText(path);
    {
        test::ScopedFileSizeLimit fullDisk(8);
        EXPECT_NE(mergeStockNames(path, {{{"000002", 0}, "万科A"}}), FileError::None);
    }
    EXPECT_EQ(test::readText(path), kept);
}

TEST(StockNamesFileTest, LinesThatDoNotReadAreSkipped) {
    EXPECT_EQ(parseStockNames("600000\t1\t浦发银行\r\nbad line\n60000x\t1\tX\n000001\t2\tY\n"
                              "000001\t0\t\n"),
              (StockNames{{{"600000", 1}, "浦发银行"}}));
}

}  // namespace
}  // namespace fiscora
