#include "support/recording_canvas.h"

#include <algorithm>

namespace fiscora::test {
namespace {

int lineHeight(ReportFont font) {
    return font == ReportFont::Heading ? 50 : font == ReportFont::Table ? 40 : 30;
}

}  // namespace

int RecordingCanvas::characters(std::string_view text) {
    int n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

TextExtent RecordingCanvas::measure(ReportFont font, std::string_view text, int wrapWidth) {
    const int width = 10 * characters(text);
    const int count = wrapWidth > 0 && width > wrapWidth ? (width + wrapWidth - 1) / wrapWidth : 1;
    return {wrapWidth > 0 ? std::min(width, wrapWidth) : width, count * lineHeight(font)};
}

void RecordingCanvas::text(ReportFont font, const ReportRect& rect, std::string_view t,
                           ColumnAlign align, TextFlow flow) {
    texts.push_back({font, rect, std::string(t), align, flow});
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2, Rgb colour) {
    lines.push_back({x1, y1, x2, y2, colour});
}

TextExtent RecordingCanvas::measure(const SizedFont& font, std::string_view text) {
    const int perCharacter = font.width > 0 ? font.width : font.height / 2;
    return {perCharacter * characters(text), font.height};
}

void RecordingCanvas::text(const SizedFont& font, const ReportRect& rect, std::string_view t,
                           const TextStyle& style) {
    labels.push_back({font, rect, std::string(t), style});
}

const RecordingCanvas::Text* RecordingCanvas::find(const std::string& t) const {
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const Text& x) { return x.text == t; });
    return found == texts.end() ? nullptr : &*found;
}

const RecordingCanvas::Label* RecordingCanvas::findLabel(const std::string& t) const {
    const auto found =
        std::find_if(labels.begin(), labels.end(), [&](const Label& x) { return x.text == t; });
    return found == labels.end() ? nullptr : &*found;
}

bool RecordingCanvas::empty() const {
    return texts.empty() && lines.empty() && outlines.empty() && boxes.empty() && fills.empty() &&
           pies.empty() && ellipses.empty() && labels.empty();
}

}  // namespace fiscora::test
