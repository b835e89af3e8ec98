#pragma once

namespace fiscora::ui {

// The content area starts this many pixels below the toolbar's bottom edge; a 3-D line
// (shadow, then highlight) fills the top two of them.
inline constexpr int kContentGapBelowToolbar = 4;

// A rectangle in client pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    bool operator==(const PixelRect&) const = default;
};

// The splitter between the account tree and the holdings list. The view feeds it the
// content area (the client area below the toolbar) and the mouse, and places the panes
// where paneRects() says. The splitter itself is kWidth pixel columns from splitPos; the tree
// ends one pixel left of it, the list starts right after it. A press on the pixel between
// the tree and the splitter grabs it too.
class Splitter {
public:
    // Closest a drag may bring the splitter to either edge of the content before it
    // ends; the drag then leaves the splitter this far plus one from that edge.
    static constexpr int kDragMargin = 20;
    // Wide enough to grab without aiming: two pixels were too narrow to hit.
    static constexpr int kWidth = 5;

    struct Panes {
        PixelRect tree;
        PixelRect list;
    };

    // Initial layout: the splitter at a fifth of the content's width.
    void start(const PixelRect& content);
    // The narrowest content whose initial layout gives the list pane `listWidth` pixels, so
    // the window can open wide enough for the list's columns.
    static int startWidthFor(int listWidth);
    // The window was resized: the splitter keeps its place.
    void resize(const PixelRect& content) { content_ = content; }

    // True when the press, on the splitter, started a drag.
    bool mouseDown(int x);
    // Moves the drag. The limits are tested against the position of the previous move;
    // once it ran past one, the drag ends with the splitter clamped 21 pixels from that
    // edge.
    void mouseMove(int x);
    // Ends a drag with the splitter at `x`, kept within the same limits.
    void mouseUp(int x);

    // Whether the pointer at `x` shows the horizontal-resize cursor.
    bool showsResizeCursor(int x) const { return dragging_ || onSplitter(x); }

    Panes paneRects() const;
    int splitPos() const { return splitPos_; }
    bool dragging() const { return dragging_; }
    // x of the feedback line drawn during a drag, -10 before the first move of a drag.
    int lastSplitLine() const { return lastSplitLine_; }
    const PixelRect& content() const { return content_; }

private:
    static constexpr int kNoLine = -10;

    bool onSplitter(int x) const { return x >= splitPos_ - 1 && x < splitPos_ + kWidth; }
    int clamped(int x) const;
    void endDrag() {
        dragging_ = false;
        lastSplitLine_ = kNoLine;
    }

    PixelRect content_;
    int splitPos_ = 0;
    bool dragging_ = false;
    int lastSplitLine_ = kNoLine;
};

}  // namespace fiscora::ui
