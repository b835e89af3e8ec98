#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "output/report_canvas.h"

namespace fiscora::test {

// Records what is drawn, in order per kind. Measures every character as 10 units wide in
// the report fonts, whose lines are 50 (heading), 40 (table) and 30 (footer) units high; a
// sized font measures each character as its width (half its height when none is asked
// for) and a line as its height.
class RecordingCanvas : public ReportCanvas {
public:
    struct Text {
        ReportFont font;
        ReportRect rect;
        std::string text;
        ColumnAlign align;
        TextFlow flow;
    };
    struct Line {
        int x1, y1, x2, y2;
        Rgb colour = kBlack;
        bool operator==(const Line&) const = default;
    };
    struct Fill {
        ReportRect rect;
        Rgb colour;
        bool operator==(const Fill&) const = default;
    };
    struct Pie {
        ReportRect bounds;
        CanvasPoint from;
        CanvasPoint to;
        Rgb colour;
        bool operator==(const Pie&) const = default;
    };
    struct Ellipse {
        ReportRect bounds;
        Rgb colour;
        Rgb outline;
        bool operator==(const Ellipse&) const = default;
    };
    struct Label {
        SizedFont font;
        ReportRect rect;
        std::string text;
        TextStyle style;
    };

    static int characters(std::string_view text);

    TextExtent measure(ReportFont font, std::string_view text, int wrapWidth) override;
    void text(ReportFont font, const ReportRect& rect, std::string_view t, ColumnAlign align,
              TextFlow flow) override;
    using ReportCanvas::line;
    void line(int x1, int y1, int x2, int y2, Rgb colour) override;
    void outline(const ReportRect& rect) override { outlines.push_back(rect); }
    void whiteBox(const ReportRect& rect) override { boxes.push_back(rect); }
    void fill(const ReportRect& rect, Rgb colour) override { fills.push_back({rect, colour}); }
    void pie(const ReportRect& bounds, CanvasPoint from, CanvasPoint to, Rgb colour) override {
        pies.push_back({bounds, from, to, colour});
    }
    void ellipse(const ReportRect& bounds, Rgb colour, Rgb outlineColour) override {
        ellipses.push_back({bounds, colour, outlineColour});
    }
    TextExtent measure(const SizedFont& font, std::string_view text) override;
    void text(const SizedFont& font, const ReportRect& rect, std::string_view t,
              const TextStyle& style) override;

    const Text* find(const std::string& t) const;
    const Label* findLabel(const std::string& t) const;
    // Anything drawn at all.
    bool empty() const;

    std::vector<Text> texts;
    std::vector<Line> lines;
    std::vector<ReportRect> outlines;
    std::vector<ReportRect> boxes;
    std::vector<Fill> fills;
    std::vector<Pie> pies;
    std::vector<Ellipse> ellipses;
    std::vector<Label> labels;
};

}  // namespace fiscora::test
