#include "output/report_page.h"

#include <algorithm>

#include "output/report_texts.h"

namespace fiscora {
namespace {

// The heading's page text is right-aligned and the title wraps in the width left of it.
int titleWidth(ReportCanvas& canvas, const ReportRect& area, const std::string& pageText) {
    return std::max(
        area.width() - canvas.measure(ReportFont::Heading, pageText, area.width()).width, 1);
}

ReportRect cell(const ReportLayout& layout, std::size_t column, int top) {
    return {layout.area.left + layout.columnEdges[column], top,
            layout.area.left + layout.columnEdges[column + 1], top + layout.rowHeight};
}

// The grid line on each side of a cell.
constexpr int kCellBorder = 1;

// A cell's text on one line, drawn smaller when it is wider than the cell between its
// border lines: a figure is never cut.
void cellText(ReportCanvas& canvas, const ReportRect& box, std::string_view text,
              ColumnAlign align) {
    const int room = std::max(box.width() - 2 * kCellBorder, 1);
    const int width = canvas.measure(ReportFont::Table, text, 0).width;
    const double scale = width > room ? static_cast<double>(room) / width : 1.0;
    canvas.text(ReportFont::Table, box, text, align, TextFlow::SingleLine, scale);
}

}  // namespace

ReportLayout layOutReport(ReportCanvas& canvas, const ReportContent& content, int pageWidth,
                          int pageHeight, const ReportMargins& margins) {
    const ListTable& list = *content.list;
    ReportMetrics m;
    for (const ListColumn& column : list.columns) m.columnWidths.push_back(column.width);
    m.rowCount = static_cast<int>(list.rows.size());
    m.pageWidth = pageWidth;
    m.pageHeight = pageHeight;
    m.margins = margins;
    const ReportRect area{margins.left, margins.top, pageWidth - margins.right,
                          pageHeight - margins.bottom};
    m.rowHeight = canvas.measure(ReportFont::Table, "X", 0).height + 4;

    // The page count is not known yet: the widest page text it can have (one row a page)
    // keeps the heading tall enough for every page.
    const std::string widestPageText =
        reportPageText(std::max(m.rowCount, 1), std::max(m.rowCount, 1));
    const int pageTextHeight =
        canvas.measure(ReportFont::Heading, widestPageText, area.width()).height;
    const int titleHeight =
        canvas.measure(ReportFont::Heading, content.title, titleWidth(canvas, area, widestPageText))
            .height;
    m.headingHeight = std::max(pageTextHeight, titleHeight);
    m.footerHeight =
        canvas.measure(ReportFont::Footer, content.footer, std::max(area.width(), 1)).height;
    return layOutReport(m);
}

void drawReportPage(ReportCanvas& canvas, const ReportLayout& layout, const ReportContent& content,
                    int page) {
    const ListTable& list = *content.list;
    const ReportRect& area = layout.area;
    int top = area.top;

    const std::string pageText = reportPageText(page, layout.lastPage);
    const int headingBottom = top + layout.headingHeight;
    canvas.text(ReportFont::Heading, {area.left, top, area.right, headingBottom}, pageText,
                ColumnAlign::Right, TextFlow::Wrapped, 1);
    canvas.text(ReportFont::Heading,
                {area.left, top, area.left + titleWidth(canvas, area, pageText), headingBottom},
                content.title, ColumnAlign::Left, TextFlow::Wrapped, 1);
    top = headingBottom + kHeadingGap;

    const std::size_t columns = list.columns.size();
    canvas.outline(
        {area.left, top, area.left + layout.columnEdges[columns], top + layout.rowHeight});
    for (std::size_t i = 0; i < columns; ++i) {
        const ReportRect box = cell(layout, i, top);
        canvas.whiteBox(box);
        cellText(canvas, box, list.columns[i].header, list.columns[i].align);
    }
    top += layout.rowHeight;

    // Rows are one unit apart; each cell draws its left and top borders, the last one its
    // right border too, on the header boxes' right edge. Rows past the end of the list stay
    // empty, so every page has a full grid.
    const int stride = layout.rowHeight + 1;
    const std::size_t firstRow =
        static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(layout.rowsPerPage);
    for (int k = 0; k < layout.rowsPerPage; ++k) {
        const int y = top + k * stride;
        const std::size_t r = firstRow + static_cast<std::size_t>(k);
        for (std::size_t i = 0; i < columns; ++i) {
            const ReportRect box = cell(layout, i, y);
            if (r < list.rows.size() && i < list.rows[r].size())
                cellText(canvas, box, list.rows[r][i], list.columns[i].align);
            canvas.line(box.left, y, box.left, y + stride);
            canvas.line(box.left, y, box.right, y);
            if (i + 1 == columns) canvas.line(box.right - 1, y, box.right - 1, y + stride);
        }
    }
    const int closing = top + layout.rowsPerPage * stride;
    canvas.line(area.left, closing, area.right - 1, closing);

    canvas.text(ReportFont::Footer,
                {area.left, area.bottom - layout.footerReserve, area.right, area.bottom},
                content.footer, ColumnAlign::Left, TextFlow::Wrapped, 1);
}

}  // namespace fiscora
