#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// The width and height a PNG file's header gives; 0 x 0 when it is no PNG.
std::pair<int, int> pngSize(const std::string& path) {
    const std::string bytes = readText(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto word = [&](std::size_t at) {
        int n = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            n = n * 256 + static_cast<unsigned char>(bytes[i]);
        return n;
    };
    return {word(16), word(20)};
}

// What a drawing command handed to the PNG writer.
struct PictureCall {
    std::string path;
    int width = 0;
    int height = 0;
    bool drawn = false;
    RecordingCanvas canvas;
};

// The chart and curve commands on the sample tree (张三 holds 600036 in 上海 and 000002 in
// 深圳, 李四 nothing). The curve ends today, so its rows are read in-process on a fixed day;
// the PNG files are written by the program itself.
class CliCharts : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret";
        std::ofstream(secrets.file("empty-pw"), std::ios::binary) << "\n";
    }

    CliRun run(std::vector<std::string> args, const std::string& passwordFile = "pw") {
        args.insert(args.begin(),
                    {"--password-file", secrets.file(passwordFile), "--quotes", "quotes.txt"});
        const auto before = treeContents(root.path());
        CliRun r = runCli(root.path(), args);
        EXPECT_EQ(treeContents(root.path()), before) << "the run changed the data";
        return r;
    }

    // Runs the command line in this process on `today`, the sample tree named by options;
    // a --png picture is drawn on `picture`'s recording canvas instead of a file.
    CliRun runOn(std::int32_t today, std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"--data", root.file("invest/"), "--params", root.file("trdpara.dat"),
                     "--quotes", root.file("quotes.txt"), "--host-dir", hostDirectory,
                     "--password-file", secrets.file("pw")});
        cli::CliServices services;
        services.today = [today] { return today; };
        services.pngWriter = [this](const std::string& path, int width, int height,
                                    const std::function<bool(ReportCanvas&, Rgb)>& draw) {
            picture = {path, width, height, false, {}};
            picture.drawn = draw(picture.canvas, kFace);
            return picture.drawn;
        };
        std::ostringstream out;
        std::ostringstream err;
        const auto before = treeContents(root.path());
        CliRun r;
        r.exitCode = cli::runCli(args, out, err, services);
        r.out = out.str();
        r.err = err.str();
        EXPECT_EQ(treeContents(root.path()), before) << "the run changed the data";
        return r;
    }

    static constexpr Rgb kFace{236, 233, 216};
    static constexpr std::int32_t kFriday = 20240112;
    TempDir root;
    TempDir secrets;
    std::string hostDirectory = root.path();
    PictureCall picture;
};

TEST_F(CliCharts, ChartRowsOfEachKindAndScope) {
    expectGolden(run({"chart", "张三"}), "chart.tsv");
    expectGolden(run({"--format", "json", "chart", "张三", "--kind", "rate"}), "chart_rate.json");
    expectGolden(run({"chart", "张三", "--kind", "profit-share"}), "chart_profit_share.tsv");
    expectGolden(run({"chart", "张三", "--kind", "invested", "--scope", "account"}),
                 "chart_invested_account.tsv");
    expectGolden(run({"chart", "张三", "--kind=rate", "--scope=account"}),
                 "chart_rate_account.tsv");
    // No stocks held: no items, in every kind.
    const CliRun none = run({"chart", "李四", "--kind", "invested"}, "empty-pw");
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out, "index\tstockCode\tname\tvalue\tvalueLabel\tcolour\n");
}

// On Friday 20240112: the weekend takes Friday's bar, the holiday 20240109 is 0, today has
// no bar and takes the snapshot's price; 000002's bonus shares of June are not yet held.
TEST_F(CliCharts, CurveRowsOfTheFirstHoldingAStockAndTheWholeAccount) {
    const CliRun first = runOn(kFriday, {"curve", "张三"});
    expectGolden(first, "curve.tsv");
    EXPECT_EQ(runOn(kFriday, {"curve", "张三", "--code", "600036", "--market", "上海"}).out,
              first.out);
    expectGolden(runOn(kFriday, {"--format", "json", "curve", "张三", "--code", "000002",
                                 "--market", "深圳"}),
                 "curve_000002.json");
    expectGolden(runOn(kFriday, {"curve", "张三", "--total"}), "curve_total.tsv");
    // The stock list holds each position in its own market.
    const CliRun other = runOn(kFriday, {"curve", "张三", "--code", "600036", "--market", "深圳"});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_EQ(other.out, "");
    EXPECT_EQ(other.err, "fiscora-cli: 张三 holds no 600036 in 深圳\n");
}

TEST_F(CliCharts, TheBarFilesAreReadBelowTheHostFolder) {
    TempDir elsewhere;
    hostDirectory = elsewhere.path();
    const CliRun moved = runOn(kFriday, {"curve", "张三"});
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    // Without bar files only today has a price.
    EXPECT_NE(moved.out.find("20240111\t0.000\t0.000\t0.000\t0.000\n"), std::string::npos);
    EXPECT_NE(moved.out.find("20240112\t7500.000\t"), std::string::npos);

    hostDirectory = elsewhere.file("missing/");
    const CliRun missing = runOn(kFriday, {"curve", "张三"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("--host-dir " + hostDirectory + " is not a folder"),
              std::string::npos);
}

TEST_F(CliCharts, ChoicesThatNameNothingAreBadUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"chart", "张三", "--kind", "pie"}, "--kind takes profit, rate, invested or profit-share"},
        {{"chart", "张三", "--scope", "all"}, "--scope takes stock or account"},
        {{"chart", "张三", "--size", "300x200"}, "--size goes with --png"},
        {{"chart", "张三", "--first", "1"}, "--first goes with --png"},
        {{"chart", "张三", "--png", "a.png", "--first", "-1"}, "--first takes the index"},
        {{"chart", "张三", "--png", "a.png", "--first", "1x"}, "--first takes the index"},
        {{"chart", "张三", "--png", "a.png", "--kind", "invested", "--first", "1"},
         "--first pages bar charts only"},
        {{"chart", "张三", "--png", "a.png", "--first", "2"}, "--first is beyond the last item, 1"},
        {{"chart", "张三", "--png", "a.png", "--scope", "account", "--first", "1"},
         "--first is beyond the last item, 0"},
        {{"chart", "张三", "--png", "a.png", "--size", "0x200"}, "--size takes WIDTHxHEIGHT"},
        {{"chart", "张三", "--png", "a.png", "--size", "4097x200"}, "--size takes WIDTHxHEIGHT"},
        {{"chart", "张三", "--png", "a.png", "--size", "300x"}, "--size takes WIDTHxHEIGHT"},
        {{"chart", "张三", "--png", "a.png", "--size", "300*200"}, "--size takes WIDTHxHEIGHT"},
        {{"curve", "张三", "--code", "600036"}, "--code and --market go together"},
        {{"curve", "张三", "--market", "上海"}, "--code and --market go together"},
        {{"curve", "张三", "--code", "600036", "--market", "北京"}, "--market takes 深圳 or 上海"},
        {{"curve", "张三", "--total", "--code", "600036", "--market", "上海"},
         "--total shows the whole account"},
        {{"curve", "张三", "--total=yes"}, "--total takes no value"},
        {{"curve", "张三", "--style", "bars"}, "--style goes with --png"},
        {{"curve", "张三", "--png", "a.png", "--style", "line"}, "--style takes curve or bars"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun r = runOn(kFriday, args);
        EXPECT_EQ(r.exitCode, 2) << args[2];
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(picture.path.empty()) << "drawn for " << r.err;
    }
}

TEST_F(CliCharts, PicturesAreTheWindowsChartAreaAtTheAskedSize) {
    CliRun r =
        runOn(kFriday, {"chart", "张三", "--png", "bars.png", "--size", "300x200", "--first", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(picture.path, "bars.png");
    EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(300, 200));
    // From the second item: 000002's bar in the second colour, on the face colour.
    EXPECT_NE(picture.canvas.findLabel("000002"), nullptr);
    EXPECT_EQ(picture.canvas.findLabel("600036"), nullptr);
    ASSERT_FALSE(picture.canvas.fills.empty());
    EXPECT_EQ(picture.canvas.fills.front(), (RecordingCanvas::Fill{{0, 0, 300, 200}, kFace}));
    EXPECT_EQ(picture.canvas.fills.back().colour, (Rgb{0, 0, 255}));

    r = runOn(kFriday, {"chart", "张三", "--png", "pie.png", "--kind", "profit-share"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(574, 512));
    EXPECT_EQ(picture.canvas.pies.size(), 2u);

    r = runOn(kFriday, {"curve", "张三", "--total", "--png", "total.png", "--style", "bars"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(698, 552));
    // One bar a day from 20240102 to 20240112 (the holiday's is empty), and the axis.
    EXPECT_GE(picture.canvas.fills.size(), 11u);
    const std::vector<RecordingCanvas::Line>& lines = picture.canvas.lines;
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), RecordingCanvas::Line{54, 0, 54, 552, {255, 0, 0}}),
        lines.end());
}

TEST_F(CliCharts, PngFilesAreWrittenAtTheAskedSize) {
    TempDir out;
    CliRun r = run({"chart", "张三", "--png", out.file("chart.png"), "--size", "320x240"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(pngSize(out.file("chart.png")), std::pair(320, 240));

    r = run({"chart", "张三", "--kind", "invested", "--png", out.file("pie.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(pngSize(out.file("pie.png")), std::pair(574, 512));

    r = run({"curve", "张三", "--total", "--style", "bars", "--png", out.file("curve.png"),
             "--size=400x300"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(pngSize(out.file("curve.png")), std::pair(400, 300));
}

TEST_F(CliCharts, NothingToDrawOrNowhereToWriteIsRefused) {
    TempDir out;
    expectRefusedRun(
        root.path(),
        [&] {
            return run({"chart", "李四", "--png", out.file("a.png")}, "empty-pw");
        },
        "fiscora-cli: the account holds no stocks, no picture written\n", 1);
    expectRefusedRun(
        root.path(),
        [&] {
            return run({"curve", "李四", "--total", "--png", out.file("a.png")}, "empty-pw");
        },
        "fiscora-cli: the account never held a stock, no picture written\n", 1);
    EXPECT_FALSE(fileExists(out.file("a.png")));
    expectRefusedRun(
        root.path(),
        [&] {
            return run({"chart", "张三", "--png", out.file("no/a.png")});
        },
        "fiscora-cli: cannot write " + out.file("no/a.png") + "\n", 1);
    expectRefusedRun(
        root.path(),
        [&] {
            return run({"curve", "张三", "--png", out.file("a.png")}, "empty-pw");
        },
        "密码错误", 1);
    EXPECT_FALSE(fileExists(out.file("a.png")));
}

}  // namespace
}  // namespace fiscora::test
