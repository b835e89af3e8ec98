#include "output/report_layout.h"

#include <algorithm>
#include <cstdint>

namespace fiscora {
namespace {

std::vector<int> scaledEdges(const std::vector<int>& widths, int areaWidth) {
    const std::size_t count = widths.size();
    std::vector<int> edges(count + 1, 0);
    if (count == 0) return edges;
    const std::int64_t target = std::max(areaWidth, 0);
    std::vector<std::int64_t> sums(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) sums[i + 1] = sums[i] + std::max(widths[i], 0);
    const std::int64_t total = sums[count];
    for (std::size_t i = 0; i <= count; ++i) {
        const std::int64_t edge =
            total > 0 ? sums[i] * target / total
                      : static_cast<std::int64_t>(i) * target / static_cast<std::int64_t>(count);
        edges[i] = static_cast<int>(edge);
    }
    return edges;
}

}  // namespace

ReportLayout layOutReport(const ReportMetrics& m) {
    ReportLayout layout;
    layout.area = {m.margins.left, m.margins.top, m.pageWidth - m.margins.right,
                   m.pageHeight - m.margins.bottom};
    layout.columnEdges = scaledEdges(m.columnWidths, layout.area.width());
    layout.rowHeight = std::max(m.rowHeight, 0);
    layout.headingHeight = std::max(m.headingHeight, 0);

    const int rowsHeight = layout.area.height() - (layout.headingHeight + kHeadingGap) -
                           layout.rowHeight - std::max(m.footerHeight, 0);
    const int fitting = rowsHeight > 0 ? rowsHeight / (layout.rowHeight + 1) - 1 : 0;
    layout.rowsPerPage = std::max(fitting, 1);

    const std::int64_t rows = std::max(m.rowCount, 0);
    layout.lastPage =
        std::max(static_cast<int>((rows + layout.rowsPerPage - 1) / layout.rowsPerPage), 1);
    layout.footerReserve = std::max(m.footerHeight, 0) + 2;
    return layout;
}

std::vector<int> pagesToPrint(int fromPage, int toPage, int lastPage) {
    if (lastPage < 1) return {};
    if (fromPage == 0 && toPage == 0) toPage = lastPage;
    const int first = std::clamp(fromPage, 1, lastPage);
    const int last = std::clamp(toPage, 1, lastPage);
    const int step = first <= last ? 1 : -1;
    std::vector<int> pages;
    for (int p = first;; p += step) {
        pages.push_back(p);
        if (p == last) break;
    }
    return pages;
}

}  // namespace fiscora
