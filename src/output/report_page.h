#pragma once

#include <string>

#include "output/list_table.h"
#include "output/report_canvas.h"
#include "output/report_layout.h"

namespace fiscora {

// A list printed as a paged table: a heading with the title and the page number, the column
// headers, a full grid of rows on every page and a footer.
struct ReportContent {
    std::string title;
    std::string footer;  // reportFooterText of the job's start
    const ListTable* list = nullptr;
};

// Measures the fonts on `canvas` and lays the report out on a page of `pageWidth` x
// `pageHeight` device units with `margins`.
ReportLayout layOutReport(ReportCanvas& canvas, const ReportContent& content, int pageWidth,
                          int pageHeight, const ReportMargins& margins);

// Draws page `page` (1 .. layout.lastPage).
void drawReportPage(ReportCanvas& canvas, const ReportLayout& layout, const ReportContent& content,
                    int page);

}  // namespace fiscora
