#include "output/report_layout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace fiscora {
namespace {

// A4 and Letter at 600 dots per inch, 10 mm margins.
constexpr int kA4Width = 4960, kA4Height = 7016;
constexpr int kLetterWidth = 5100, kLetterHeight = 6600;
constexpr ReportMargins kMargins{236, 236, 236, 236};

const std::vector<int> kHoldingWidths{72, 72, 72, 72, 72, 92, 72, 90, 72, 72};

ReportMetrics metrics(int rows, int width = kA4Width, int height = kA4Height) {
    ReportMetrics m;
    m.columnWidths = kHoldingWidths;
    m.rowCount = rows;
    m.pageWidth = width;
    m.pageHeight = height;
    m.margins = kMargins;
    m.rowHeight = 104;
    m.headingHeight = 100;
    m.footerHeight = 75;
    return m;
}

TEST(ReportLayout, RowsPerPageLeaveRoomForHeadingHeaderAndFooter) {
    const ReportLayout a4 = layOutReport(metrics(10));
    EXPECT_EQ(a4.area, (ReportRect{236, 236, kA4Width - 236, kA4Height - 236}));
    // (6544 - 120 - 104 - 75) / 105 - 1
    EXPECT_EQ(a4.rowsPerPage, 58);
    EXPECT_EQ(a4.footerReserve, 77);
    EXPECT_EQ(a4.lastPage, 1);
    // The table, its closing line and the footer never overlap.
    const int tableBottom = a4.area.top + 100 + kHeadingGap + 104 + a4.rowsPerPage * 105;
    EXPECT_LT(tableBottom, a4.area.bottom - a4.footerReserve);
}

TEST(ReportLayout, AFullPageIsOnePageAndOneRowMoreStartsTheNext) {
    const int perPage = layOutReport(metrics(1)).rowsPerPage;
    EXPECT_EQ(layOutReport(metrics(perPage)).lastPage, 1);
    EXPECT_EQ(layOutReport(metrics(perPage + 1)).lastPage, 2);
    EXPECT_EQ(layOutReport(metrics(2 * perPage)).lastPage, 2);
    EXPECT_EQ(layOutReport(metrics(2 * perPage + 1)).lastPage, 3);
}

TEST(ReportLayout, ColumnsFillTheWidthInTheListsProportions) {
    const int total = std::accumulate(kHoldingWidths.begin(), kHoldingWidths.end(), 0);
    for (const auto& [width, height] :
         {std::pair{kA4Width, kA4Height}, std::pair{kLetterWidth, kLetterHeight}}) {
        const ReportLayout layout = layOutReport(metrics(3, width, height));
        const int areaWidth = width - 2 * 236;
        ASSERT_EQ(layout.columnEdges.size(), kHoldingWidths.size() + 1);
        EXPECT_EQ(layout.columnEdges.front(), 0);
        EXPECT_EQ(layout.columnEdges.back(), areaWidth);
        int sum = 0;
        for (std::size_t i = 0; i < kHoldingWidths.size(); ++i) {
            sum += kHoldingWidths[i];
            EXPECT_EQ(layout.columnEdges[i + 1], sum * areaWidth / total);  // truncated
            const double share =
                double(layout.columnEdges[i + 1] - layout.columnEdges[i]) / areaWidth;
            EXPECT_NEAR(share, double(kHoldingWidths[i]) / total, 1.0 / areaWidth);
        }
    }
}

TEST(ReportLayout, DegenerateListsAndPaperStillGiveAFiniteReport) {
    // Paper too small for a single row: one row a page, never zero.
    const ReportLayout tiny = layOutReport(metrics(5, 600, 700));
    EXPECT_EQ(tiny.rowsPerPage, 1);
    EXPECT_EQ(tiny.lastPage, 5);
    // Margins wider than the page: no negative column widths.
    const ReportLayout narrow = layOutReport(metrics(5, 300, 300));
    for (int edge : narrow.columnEdges) EXPECT_EQ(edge, 0);

    // Widths adding up to nothing share the width equally; negative widths count as 0.
    ReportMetrics zero = metrics(2);
    zero.columnWidths = {0, 0, 0, 0};
    EXPECT_EQ(layOutReport(zero).columnEdges, (std::vector<int>{0, 1122, 2244, 3366, 4488}));
    zero.columnWidths = {-50, 100, 100};
    EXPECT_EQ(layOutReport(zero).columnEdges, (std::vector<int>{0, 0, 2244, 4488}));

    // No columns, no rows: a single page, no division by zero.
    ReportMetrics empty = metrics(0);
    empty.columnWidths.clear();
    const ReportLayout none = layOutReport(empty);
    EXPECT_EQ(none.columnEdges, (std::vector<int>{0}));
    EXPECT_EQ(none.lastPage, 1);
}

TEST(ReportLayout, PageRangesAreClampedAndMayRunBackwards) {
    EXPECT_EQ(pagesToPrint(0, 0, 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(pagesToPrint(2, 3, 3), (std::vector<int>{2, 3}));
    EXPECT_EQ(pagesToPrint(2, 9, 4), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(pagesToPrint(-5, 1, 4), (std::vector<int>{1}));
    EXPECT_EQ(pagesToPrint(4, 2, 5), (std::vector<int>{4, 3, 2}));
    EXPECT_EQ(pagesToPrint(7, 6, 2), (std::vector<int>{2}));
    EXPECT_TRUE(pagesToPrint(1, 1, 0).empty());
}

}  // namespace
}  // namespace fiscora
