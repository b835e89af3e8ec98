#pragma once

#include <string_view>

#include "output/list_table.h"
#include "output/report_layout.h"

namespace fiscora {

enum class ReportFont { Heading, Table, Footer };

// How text sits in its rectangle: wrapped onto as many lines as the width needs from the
// top, or on one line, centred vertically.
enum class TextFlow { Wrapped, SingleLine };

struct TextExtent {
    int width = 0;
    int height = 0;
};

// The surface a report page is drawn on, in device units. The window's printer, a PDF file
// and a test recorder implement it. Lines and outlines are one unit wide and black.
class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // The size of `text` in `font`; with a positive `wrapWidth` broken into lines no wider.
    virtual TextExtent measure(ReportFont font, std::string_view text, int wrapWidth) = 0;
    // `scale` (at most 1) shrinks the font, so a single line wider than its cell fits it.
    virtual void text(ReportFont font, const ReportRect& rect, std::string_view text,
                      ColumnAlign align, TextFlow flow, double scale) = 0;
    // Both end points included.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // The outline along the rectangle's edges, inside it.
    virtual void outline(const ReportRect& rect) = 0;
    // The rectangle filled white with a black outline.
    virtual void whiteBox(const ReportRect& rect) = 0;
};

}  // namespace fiscora
