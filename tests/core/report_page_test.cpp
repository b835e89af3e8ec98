#include "output/report_page.h"

#include <gtest/gtest.h>

#include "output/report_texts.h"
#include "support/recording_canvas.h"

namespace fiscora {
namespace {

using test::RecordingCanvas;

constexpr ReportMargins kMargins{20, 30, 20, 30};

ListTable listOf(int rows) {
    ListTable list{{{"代码", 50, ColumnAlign::Left},
                    {"名称", 100, ColumnAlign::Center},
                    {"金额", 50, ColumnAlign::Right}},
                   {}};
    for (int i = 0; i < rows; ++i)
        list.rows.push_back({std::to_string(i), "n" + std::to_string(i), "1.000"});
    return list;
}

struct Fixture {
    explicit Fixture(int rows, int pageHeight = 1000) : list(listOf(rows)) {
        content = {"盈亏明细打印", reportFooterText({2026, 12, 8, 9, 5}), &list};
        layout = layOutReport(canvas, content, 440, pageHeight, kMargins);
    }
    RecordingCanvas draw(int page) {
        RecordingCanvas c;
        drawReportPage(c, layout, content, page);
        return c;
    }
    ListTable list;
    ReportContent content;
    RecordingCanvas canvas;
    ReportLayout layout;
};

TEST(ReportPage, LayoutMeasuresRowsHeadingAndFooterOnTheCanvas) {
    Fixture f(30);
    EXPECT_EQ(f.layout.rowHeight, 44);      // "X" + 4
    EXPECT_EQ(f.layout.headingHeight, 50);  // one line: the title fits left of the page text
    EXPECT_EQ(f.layout.footerReserve, 32);
    EXPECT_EQ(f.layout.columnEdges, (std::vector<int>{0, 100, 300, 400}));
    // (940 - 70 - 44 - 30) / 45 - 1
    EXPECT_EQ(f.layout.rowsPerPage, 16);
    EXPECT_EQ(f.layout.lastPage, 2);
}

TEST(ReportPage, HeadingPutsThePageTextTopRightAndTheTitleLeftOfIt) {
    Fixture f(30);
    const RecordingCanvas page = f.draw(2);
    const auto* pageText = page.find("第2页 共2页");
    ASSERT_NE(pageText, nullptr);
    EXPECT_EQ(pageText->rect, (ReportRect{20, 30, 420, 80}));
    EXPECT_EQ(pageText->align, ColumnAlign::Right);
    EXPECT_EQ(pageText->flow, TextFlow::Wrapped);
    const auto* title = page.find("盈亏明细打印");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (ReportRect{20, 30, 420 - 70, 80}));
    EXPECT_EQ(title->align, ColumnAlign::Left);
    const auto* footer = page.find("Fiscora   2026年12月08日 09:05");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->rect, (ReportRect{20, 970 - 32, 420, 970}));
    EXPECT_EQ(footer->font, ReportFont::Footer);
}

TEST(ReportPage, ALongTitleWrapsAndPushesTheTableDown) {
    ListTable list = listOf(3);
    ReportContent content{std::string(40, 'T'), "footer", &list};
    RecordingCanvas canvas;
    const ReportLayout layout = layOutReport(canvas, content, 440, 1000, kMargins);
    // 400 units, less the widest page text (70), leaves 330: two lines of the 400-unit title.
    EXPECT_EQ(layout.headingHeight, 100);
    RecordingCanvas page;
    drawReportPage(page, layout, content, 1);
    ASSERT_FALSE(page.outlines.empty());
    EXPECT_EQ(page.outlines[0].top, 30 + 100 + kHeadingGap);
}

TEST(ReportPage, HeaderRowHasWhiteBoxesWithTheColumnsAlignment) {
    Fixture f(3);
    const RecordingCanvas page = f.draw(1);
    const int top = 30 + 50 + kHeadingGap;
    EXPECT_EQ(page.outlines, (std::vector<ReportRect>{{20, top, 420, top + 44}}));
    EXPECT_EQ(page.boxes,
              (std::vector<ReportRect>{
                  {20, top, 120, top + 44}, {120, top, 320, top + 44}, {320, top, 420, top + 44}}));
    const auto* name = page.find("名称");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->rect, page.boxes[1]);
    EXPECT_EQ(name->align, ColumnAlign::Center);
    EXPECT_EQ(name->flow, TextFlow::SingleLine);
    EXPECT_EQ(page.find("金额")->align, ColumnAlign::Right);
}

TEST(ReportPage, RowsFollowThePageAndKeepTheirColumnsAlignment) {
    Fixture f(30);
    const int rowsTop = 30 + 50 + kHeadingGap + 44;
    const RecordingCanvas second = f.draw(2);
    // Page 2 starts with row 16, one row + 1 unit apart.
    const auto* first = second.find("n16");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->rect, (ReportRect{120, rowsTop, 320, rowsTop + 44}));
    EXPECT_EQ(first->align, ColumnAlign::Center);
    EXPECT_EQ(first->font, ReportFont::Table);
    EXPECT_EQ(second.find("1.000")->align, ColumnAlign::Right);
    const auto* third = second.find("18");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->rect, (ReportRect{20, rowsTop + 2 * 45, 120, rowsTop + 2 * 45 + 44}));
    EXPECT_EQ(second.find("n15"), nullptr);
    EXPECT_NE(second.find("n29"), nullptr);
}

TEST(ReportPage, TheLastPageIsFilledWithEmptyGridRowsAndClosed) {
    Fixture f(18);
    const RecordingCanvas full = f.draw(1);
    const RecordingCanvas last = f.draw(2);
    // Same grid on both pages: 3 lines per cell plus the right border per row, and the closing
    // line.
    EXPECT_EQ(last.lines, full.lines);
    EXPECT_EQ(last.lines.size(), static_cast<std::size_t>(16 * (3 * 2 + 1) + 1));
    // Heading, 3 headers, 2 rows of 3 cells, footer.
    EXPECT_EQ(last.texts.size(), 2u + 3u + 6u + 1u);

    const int rowsTop = 30 + 50 + kHeadingGap + 44;
    const int closing = rowsTop + 16 * 45;
    EXPECT_EQ(last.lines.back(), (RecordingCanvas::Line{20, closing, 419, closing}));
    // The last row's right border runs on the header boxes' right edge down to the closing line.
    EXPECT_EQ(last.lines[last.lines.size() - 2],
              (RecordingCanvas::Line{419, closing - 45, 419, closing}));
    // Each cell: its left border, then its top border.
    EXPECT_EQ(last.lines[0], (RecordingCanvas::Line{20, rowsTop, 20, rowsTop + 45}));
    EXPECT_EQ(last.lines[1], (RecordingCanvas::Line{20, rowsTop, 120, rowsTop}));
    EXPECT_LT(closing, 970 - f.layout.footerReserve);
}

}  // namespace
}  // namespace fiscora
