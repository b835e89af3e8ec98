#include "store/statement_text.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "records/gbk_text.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

using Cells = std::vector<std::string>;

TEST(StatementTextTest, DecodesGbkUtf8AndTheByteOrderMark) {
    const std::string utf8 = "成交日期,证券代码";
    EXPECT_EQ(decodeStatementText(utf8ToGbk(utf8).value()), utf8);
    EXPECT_EQ(decodeStatementText(utf8), utf8);
    EXPECT_EQ(decodeStatementText("\xEF\xBB\xBF" + utf8), utf8);
    // Plain ASCII is the same in both.
    EXPECT_EQ(decodeStatementText("a,b"), "a,b");
}

TEST(StatementTextTest, SplitsLinesOnAnyLineEndAndLeavesEmptyLinesOut) {
    const auto lines = splitStatementLines("a,b\r\n\r\nc,d\ne,f\rg", Delimiter::Comma);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].cells, (Cells{"a", "b"}));
    EXPECT_EQ(lines[1].cells, (Cells{"c", "d"}));
    EXPECT_EQ(lines[1].number, 3u);  // the empty line counts in the numbering
    EXPECT_EQ(lines[2].number, 4u);
    EXPECT_EQ(lines[3].cells, (Cells{"g"}));
    // A line of empty cells (",,,") is no data either.
    EXPECT_TRUE(splitStatementLines(" , ,\t,\r\n", Delimiter::Comma).empty());
}

TEST(StatementTextTest, QuotedCellsKeepDelimitersLineEndsAndQuotes) {
    const auto lines = splitStatementLines(
        "\"1,234.50\",\"say \"\"hi\"\"\",\"two\r\nlines\",x\r\nnext,\"\"", Delimiter::Comma);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].cells, (Cells{"1,234.50", "say \"hi\"", "two\r\nlines", "x"}));
    EXPECT_EQ(lines[1].number, 3u);  // the quoted line end moved the count on
    EXPECT_EQ(lines[1].cells, (Cells{"next", ""}));
}

TEST(StatementTextTest, SpreadsheetCodesKeepTheirZeros) {
    const auto lines =
        splitStatementLines("=\"000002\"\t'000858\t 600036 \t\"a,b\"", Delimiter::Tab);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].cells, (Cells{"000002", "000858", "600036", "a,b"}));
}

TEST(StatementTextTest, TabSeparatedTextKeepsCommasInsideCells) {
    const auto lines = splitStatementLines("成交金额\t手续费\n1,000.00\t5.00\n", Delimiter::Tab);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].cells, (Cells{"1,000.00", "5.00"}));
}

TEST(StatementTextTest, ReadsAFileWithoutChangingItAndReportsAMissingOne) {
    test::TempDir dir;
    EXPECT_EQ(readStatementFile(dir.file("none.csv")).status, StatementFileStatus::Missing);
    EXPECT_FALSE(test::fileExists(dir.file("none.csv")));
    const std::string gbk = utf8ToGbk("证券代码\r\n").value();
    test::writeBytes(dir.file("s.csv"), Bytes(gbk.begin(), gbk.end()));
    const StatementFile file = readStatementFile(dir.file("s.csv"));
    EXPECT_EQ(file.status, StatementFileStatus::Ok);
    EXPECT_EQ(file.text, "证券代码\r\n");
    EXPECT_EQ(readStatementFile(dir.path()).status, StatementFileStatus::CannotOpen);
}

// Whether the file is a little above the statement limit or beyond every data file's size,
// it is refused as too large, never read as an empty statement.
TEST(StatementTextTest, AFileTooLargeIsRefusedNotReadAsEmpty) {
    test::TempDir dir;
    for (const off_t size : {static_cast<off_t>(kStatementFileLimit) + 1, off_t{3} << 30}) {
        const std::string path = dir.file("huge.csv");
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
        const StatementFile file = readStatementFile(path);
        EXPECT_EQ(file.status, StatementFileStatus::TooLarge) << size;
        EXPECT_TRUE(file.text.empty());
    }
}

// Pieces as a file gives them, cut wherever the test says.
class CutText : public StatementPieces {
public:
    explicit CutText(std::vector<std::string> pieces) : pieces_(std::move(pieces)) {}
    bool appendNext(std::string& text) override {
        if (next_ == pieces_.size()) return false;
        text += pieces_[next_++];
        return true;
    }

private:
    std::vector<std::string> pieces_;
    std::size_t next_ = 0;
};

std::vector<StatementLine> allLines(StatementPieces& pieces, Delimiter delimiter,
                                    std::string start = {}) {
    StatementLineReader reader(pieces, delimiter, std::move(start));
    std::vector<StatementLine> lines;
    for (StatementLine line; reader.next(line);) lines.push_back(line);
    return lines;
}

bool sameLines(const std::vector<StatementLine>& a, const std::vector<StatementLine>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].number != b[i].number || a[i].cells != b[i].cells) return false;
    }
    return true;
}

// A quoted cell whose line end falls on a cut, a line without its end at the last piece and
// an empty piece give the lines, and their numbers, the whole text gives.
TEST(StatementTextTest, LinesReadPieceByPieceAreTheWholeTextsLines) {
    const std::string whole = "a,\"x\r\ny\",b\r\n\r\nc,d\ne,\"f\"\"g\"";
    const auto expected = splitStatementLines(whole, Delimiter::Comma);
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(expected[1].number, 4u);
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        for (std::size_t start = 0; start <= cut; start += cut == 0 ? 1 : cut) {
            CutText pieces({whole.substr(start, cut - start), "", whole.substr(cut)});
            EXPECT_TRUE(
                sameLines(allLines(pieces, Delimiter::Comma, whole.substr(0, start)), expected))
                << "cut at " << cut << ", started with " << start;
        }
    }
}

// Files longer than a piece, in every encoding, with their cuts falling anywhere among the
// characters: read piece by piece they give the text decoded whole.
TEST(StatementTextTest, AFileReadInPiecesDecodesAsAWhole) {
    test::TempDir dir;
    std::string utf8 = "成交日期,证券代码,备注\r\n";
    for (int i = 0; utf8.size() < (std::size_t{5} << 20) / 2; ++i)
        utf8 += "20240105,600036,\"招商\r\n银行" + std::to_string(i) + "\"\r\n";
    const std::string gbk = utf8ToGbk(utf8).value();
    // ASCII for more than a piece before the first Chinese text: still read as GBK.
    const std::string lateGbk = std::string(3u << 20, 'a') + "\n" + gbk;
    const std::string utf16 = [&] {
        std::string bytes = "\xFF\xFE";
        for (char c : std::string(1u << 20, 'b') + "\n" + std::string(3, 'c')) {
            bytes += c;
            bytes += '\0';
        }
        return bytes;
    }();
    for (const std::string& bytes : {utf8, gbk, lateGbk, utf16}) {
        test::writeBytes(dir.file("s.csv"), Bytes(bytes.begin(), bytes.end()));
        const StatementFile file = readStatementFile(dir.file("s.csv"));
        ASSERT_EQ(file.status, StatementFileStatus::Ok);
        EXPECT_TRUE(file.text == decodeStatementText(bytes)) << bytes.size();
        StatementFileReader reader;
        ASSERT_EQ(reader.open(dir.file("s.csv")), StatementFileStatus::Ok);
        EXPECT_TRUE(sameLines(allLines(reader, Delimiter::Comma),
                              splitStatementLines(file.text, Delimiter::Comma)));
    }
}

}  // namespace
}  // namespace fiscora
