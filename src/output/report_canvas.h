#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "output/list_table.h"
#include "output/report_layout.h"

namespace fiscora {

enum class ReportFont { Heading, Table, Footer };

// How text sits in its rectangle: wrapped onto as many lines as the width needs from the
// top, or on one line, centred vertically and clipped to the rectangle.
enum class TextFlow { Wrapped, SingleLine };

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// The faces charts write in: a Latin sans face (figures and codes), and the face of the
// dialogs, which also writes Chinese.
enum class FontFace { Sans, Interface };

// A font asked for by size in device units: the height of a line and, when not 0, the
// average width of a character (narrower or wider than the face's own).
struct SizedFont {
    FontFace face = FontFace::Interface;
    int height = 0;
    int width = 0;
    bool operator==(const SizedFont&) const = default;
};

enum class VerticalAlign { Top, Center, Bottom };

// Text on one line, placed in its rectangle and clipped to it; `background`, when given, is
// filled behind the text's own extent.
struct TextStyle {
    ColumnAlign horizontal = ColumnAlign::Left;
    VerticalAlign vertical = VerticalAlign::Top;
    Rgb colour = kBlack;
    std::optional<Rgb> background;
    bool operator==(const TextStyle&) const = default;
};

// The surface reports and charts are drawn on, in device units (y downwards, rectangles'
// right and bottom exclusive). The window's printer, a PDF file, an off-screen chart
// picture and a test recorder implement it. Lines and outlines are one unit wide.
class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // The size of `text` in `font`; with a positive `wrapWidth` broken into lines no wider.
    virtual TextExtent measure(ReportFont font, std::string_view text, int wrapWidth) = 0;
    virtual void text(ReportFont font, const ReportRect& rect, std::string_view text,
                      ColumnAlign align, TextFlow flow) = 0;
    // Both end points included.
    void line(int x1, int y1, int x2, int y2) { line(x1, y1, x2, y2, kBlack); }
    virtual void line(int x1, int y1, int x2, int y2, Rgb colour) = 0;
    // The black outline along the rectangle's edges, inside it.
    virtual void outline(const ReportRect& rect) = 0;
    // The rectangle filled white with a black outline.
    virtual void whiteBox(const ReportRect& rect) = 0;

    // The rectangle filled, without an outline.
    virtual void fill(const ReportRect& rect, Rgb colour) = 0;
    // The sector of the ellipse inside `bounds` running counter-clockwise from the ray that
    // starts at the ellipse's centre and passes through `from` to the ray through `to`,
    // filled and outlined in black. When both rays coincide the whole ellipse is drawn.
    virtual void pie(const ReportRect& bounds, CanvasPoint from, CanvasPoint to, Rgb colour) = 0;
    // The ellipse inside `bounds`, filled and outlined.
    virtual void ellipse(const ReportRect& bounds, Rgb colour, Rgb outlineColour) = 0;
    // One line of `text` in `font`.
    virtual TextExtent measure(const SizedFont& font, std::string_view text) = 0;
    virtual void text(const SizedFont& font, const ReportRect& rect, std::string_view text,
                      const TextStyle& style) = 0;
};

}  // namespace fiscora
