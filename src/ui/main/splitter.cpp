#include "ui/main/splitter.h"

#include <algorithm>

namespace fiscora::ui {

void Splitter::start(const PixelRect& content) {
    content_ = content;
    splitPos_ = content.left + content.width() / 5;
    endDrag();
}

int Splitter::startWidthFor(int listWidth) {
    if (listWidth <= 0) return 0;
    // The list gets width - width / 5 - kWidth, so the narrowest width lies within two pixels
    // above this estimate.
    int width = std::max(0, (listWidth + kWidth) * 5 / 4 - 2);
    while (width - width / 5 - kWidth < listWidth) ++width;
    return width;
}

bool Splitter::mouseDown(int x) {
    if (!onSplitter(x)) return false;
    dragging_ = true;
    return true;
}

void Splitter::mouseMove(int x) {
    if (!dragging_) return;
    const int left = content_.left;
    const int right = content_.right;
    if (left + kDragMargin < splitPos_ && splitPos_ <= right - kDragMargin) {
        lastSplitLine_ = splitPos_;
        splitPos_ = x;
        return;
    }
    splitPos_ = clamped(splitPos_);
    endDrag();
}

void Splitter::mouseUp(int x) {
    if (!dragging_) return;
    // The pointer is captured during a drag and may be released anywhere, even
    // outside the window; the panes never get a negative width.
    splitPos_ = clamped(x);
    endDrag();
}

int Splitter::clamped(int x) const {
    if (x > content_.right - kDragMargin) return content_.right - kDragMargin - 1;
    if (x <= content_.left + kDragMargin) return content_.left + kDragMargin + 1;
    return x;
}

Splitter::Panes Splitter::paneRects() const {
    Panes panes;
    panes.tree = {content_.left, content_.top, splitPos_ - 1, content_.bottom};
    panes.list = {splitPos_ + kWidth, content_.top, content_.right, content_.bottom};
    return panes;
}

}  // namespace fiscora::ui
