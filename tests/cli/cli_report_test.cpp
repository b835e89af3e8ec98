#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/sample_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int pdfPageCount(const std::string& pdf) {
    static const std::regex page("/Type\\s*/Page(?![a-zA-Z])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// The report command against the sample tree, writing into a folder of its own; the data
// tree is left as it was.
class CliReport : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::ofstream(out.file("pw"), std::ios::binary) << "secret";
        std::ofstream(out.file("empty-pw"), std::ios::binary) << "\n";
    }

    CliRun run(std::vector<std::string> args, const std::string& passwordFile = "pw") {
        const auto before = treeContents(root.path());
        args.insert(args.begin(),
                    {"--password-file", out.file(passwordFile), "--quotes", "quotes.txt"});
        CliRun r = runCli(root.path(), args);
        EXPECT_EQ(treeContents(root.path()), before) << "the run changed the data";
        return r;
    }

    TempDir root;
    TempDir out;
};

TEST_F(CliReport, TextExportIsTheWindowsHoldingsListInGbk) {
    const CliRun r = run({"report", "张三", "--text", out.file("盈亏明细.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string text = readText(out.file("盈亏明细.txt"));
    // 市场类型 ... 收益率, the header in GBK, then one line per holding.
    EXPECT_EQ(text.rfind("\xCA\xD0\xB3\xA1\xC0\xE0\xD0\xCD\t\xB9\xC9\xC6\xB1\xB4\xFA\xC2\xEB\t", 0),
              0u);
    EXPECT_NE(
        text.find(
            "\r\n\xC9\xCF\xBA\xA3\t600036\t\xD5\xD0\xC9\xCC\xD2\xF8\xD0\xD0\t600\t7500.000\t"),
        std::string::npos);  // 上海 600036 招商银行 600 shares at 12.5
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 30);
    EXPECT_EQ(text.substr(text.size() - 4), "%\t\r\n");
}

TEST_F(CliReport, PdfAndTextTogether) {
    const CliRun r =
        run({"report", "张三", "--pdf", out.file("r.pdf"), "--text=" + out.file("r.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string pdf = readText(out.file("r.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_FALSE(readText(out.file("r.txt")).empty());
}

TEST_F(CliReport, EmptyListsAndUnwritableFilesAreRefused) {
    // 李四 holds nothing: the export is the header line, the report is not printed.
    CliRun r = run({"report", "李四", "--text", out.file("e.txt"), "--pdf", out.file("e.pdf")},
                   "empty-pw");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("empty"), std::string::npos);
    const std::string header = readText(out.file("e.txt"));
    EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 1);
    EXPECT_FALSE(fileExists(out.file("e.pdf")));

    // Without a file to write the command is misused.
    EXPECT_EQ(run({"report", "张三"}).exitCode, 2);
    r = run({"report", "张三", "--text", out.file("missing/r.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "保存失败\n");
    r = run({"report", "张三", "--pdf", out.file("missing/r.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "无法启动打印作业。\n");
}

}  // namespace
}  // namespace fiscora::test
