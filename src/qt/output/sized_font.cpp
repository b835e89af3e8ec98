#include "qt/output/sized_font.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace fiscora::qt {
namespace {

// Qt stretches a face it has no narrower or wider cut of by scaling its glyphs; beyond these
// limits text becomes unreadable.
constexpr int kNarrowestStretch = 50;
constexpr int kWidestStretch = 200;

}  // namespace

QStringList interfaceFamilies() {
    return {QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("WenQuanYi Micro Hei")};
}

QFont sizedFont(const SizedFont& font) {
    QFont result;
    if (font.face == FontFace::Sans) {
        result.setFamilies({QStringLiteral("DejaVu Sans")});
    } else {
        result.setFamilies(interfaceFamilies());
    }
    result.setStyleStrategy(QFont::PreferAntialias);
    // The pixel size is the em; the line (ascent + descent) is taller by the face's own
    // measure, so the largest em whose line still fits is searched downwards.
    int pixels = std::max(font.height, 1);
    result.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(result).height() > font.height) {
        result.setPixelSize(--pixels);
    }
    if (font.width > 0) {
        const int average = std::max(QFontMetrics(result).averageCharWidth(), 1);
        const int stretch = static_cast<int>(std::lround(100.0 * font.width / average));
        result.setStretch(std::clamp(stretch, kNarrowestStretch, kWidestStretch));
    }
    return result;
}

}  // namespace fiscora::qt
