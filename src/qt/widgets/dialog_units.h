#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace fiscora::qt {

// Converts dialog units to pixels for a dialog font: a horizontal unit is a quarter of the
// font's average character width, a vertical one an eighth of its character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int dlu) const { return dlu * avgCharWidth_ / 4; }
    int y(int dlu) const { return dlu * charHeight_ / 8; }
    QSize size(int w, int h) const { return {x(w), y(h)}; }
    QRect rect(int left, int top, int w, int h) const { return {x(left), y(top), x(w), y(h)}; }

private:
    int avgCharWidth_;
    int charHeight_;
};

}  // namespace fiscora::qt
