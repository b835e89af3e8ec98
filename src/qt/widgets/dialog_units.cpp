#include "qt/widgets/dialog_units.h"

#include <QFontMetrics>

namespace fiscora::qt {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 Latin letters, rounded to the nearest pixel.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    avgCharWidth_ = (letters / 26 + 1) / 2;
    charHeight_ = metrics.height();
}

}  // namespace fiscora::qt
