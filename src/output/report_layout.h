#pragma once

#include <vector>

namespace fiscora {

// A rectangle in printer device units, y downwards; right and bottom are exclusive.
struct ReportRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ReportRect&) const = default;
};

struct ReportMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What the page layout of a report depends on, measured on the printer.
struct ReportMetrics {
    std::vector<int> columnWidths;  // as the list shows them, in screen pixels
    int rowCount = 0;
    int pageWidth = 0;  // the printable page, device units
    int pageHeight = 0;
    ReportMargins margins;
    int rowHeight = 0;      // a table row, without the 1-unit gap between rows
    int headingHeight = 0;  // the taller of the title and the page text
    int footerHeight = 0;   // the footer text
};

// Space between the heading and the table.
inline constexpr int kHeadingGap = 20;

struct ReportLayout {
    ReportRect area;               // the page less the margins
    std::vector<int> columnEdges;  // column count + 1 offsets from area.left, scaled to its width
    int rowHeight = 0;
    int headingHeight = 0;
    int rowsPerPage = 1;
    int lastPage = 1;
    int footerReserve = 0;
};

// The column edges are the running sums of the list's widths scaled by the area's width over
// the list's total width, truncated, so the table fills the area in the list's proportions.
// Rows per page = (height left for rows / (row height + 1)) - 1, where the heading, its gap,
// the header row and the footer are taken from the area.
//
// Degenerate input still yields a finite report: at least one row per page (on paper too
// small for even one the row runs into the footer rather than the job printing nothing or
// never ending), columns of equal share when the list's widths add up to nothing, negative
// widths counted as 0, at least one page.
ReportLayout layOutReport(const ReportMetrics& metrics);

// The pages to print for a range chosen in the print dialog, in printing order: both ends
// clamped to 1 .. lastPage, counting down when the range is given backwards. A range of 0 .. 0
// (none chosen) is every page.
std::vector<int> pagesToPrint(int fromPage, int toPage, int lastPage);

}  // namespace fiscora
