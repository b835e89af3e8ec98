#include "ui/main/splitter.h"

#include <gtest/gtest.h>

namespace fiscora::ui {
namespace {

class SplitterTest : public ::testing::Test {
protected:
    SplitterTest() { splitter.start({0, 40, 500, 300}); }
    Splitter splitter;
};

TEST_F(SplitterTest, StartsAtAFifthOfTheWidth) {
    EXPECT_EQ(splitter.splitPos(), 100);
    const auto panes = splitter.paneRects();
    EXPECT_EQ(panes.tree, (PixelRect{0, 40, 99, 300}));
    EXPECT_EQ(panes.list, (PixelRect{105, 40, 500, 300}));
    EXPECT_FALSE(splitter.dragging());
    EXPECT_EQ(splitter.lastSplitLine(), -10);
}

TEST(SplitterStart, TheWindowOpensJustWideEnoughForTheList) {
    for (int list = 1; list <= 1200; ++list) {
        const int width = Splitter::startWidthFor(list);
        Splitter s;
        s.start({0, 0, width, 100});
        EXPECT_GE(s.paneRects().list.width(), list) << list;
        s.start({0, 0, width - 1, 100});
        EXPECT_LT(s.paneRects().list.width(), list) << list;
    }
    EXPECT_EQ(Splitter::startWidthFor(395), 499);  // 499 - 99 - 5
    EXPECT_EQ(Splitter::startWidthFor(0), 0);
}

TEST_F(SplitterTest, OnlyAPressOnTheSplitterStartsADrag) {
    // The whole gap between the panes, 99 to 104, grabs the splitter; the panes do not.
    EXPECT_FALSE(splitter.mouseDown(98));
    EXPECT_FALSE(splitter.mouseDown(105));
    EXPECT_FALSE(splitter.showsResizeCursor(105));
    EXPECT_TRUE(splitter.showsResizeCursor(99));
    EXPECT_TRUE(splitter.showsResizeCursor(104));
    splitter.mouseMove(150);  // no drag: nothing moves
    EXPECT_EQ(splitter.splitPos(), 100);
    EXPECT_TRUE(splitter.mouseDown(101));
    EXPECT_TRUE(splitter.dragging());
    EXPECT_TRUE(splitter.showsResizeCursor(300));
}

TEST_F(SplitterTest, ADragFollowsThePointerAndDropsWhereReleased) {
    splitter.mouseDown(100);
    splitter.mouseMove(130);
    EXPECT_EQ(splitter.splitPos(), 130);
    EXPECT_EQ(splitter.lastSplitLine(), 100);
    splitter.mouseMove(200);
    EXPECT_EQ(splitter.lastSplitLine(), 130);
    splitter.mouseUp(210);
    EXPECT_FALSE(splitter.dragging());
    EXPECT_EQ(splitter.splitPos(), 210);
    EXPECT_EQ(splitter.paneRects().tree.right, 209);
    EXPECT_EQ(splitter.paneRects().list.left, 215);
    EXPECT_EQ(splitter.lastSplitLine(), -10);
}

TEST_F(SplitterTest, PastTheLeftLimitTheDragEndsTwentyOnePixelsFromTheEdge) {
    splitter.mouseDown(100);
    splitter.mouseMove(21);  // the previous position (100) was inside: accepted
    EXPECT_TRUE(splitter.dragging());
    splitter.mouseMove(60);  // 21 is inside too
    splitter.mouseMove(5);
    EXPECT_TRUE(splitter.dragging());
    splitter.mouseMove(80);  // the previous position (5) was past the limit
    EXPECT_FALSE(splitter.dragging());
    EXPECT_EQ(splitter.splitPos(), 21);
    EXPECT_EQ(splitter.paneRects().tree.right, 20);
    splitter.mouseUp(80);  // no drag any more: nothing happens
    EXPECT_EQ(splitter.splitPos(), 21);
}

TEST_F(SplitterTest, PastTheRightLimitTheDragEndsTwentyOnePixelsFromTheEdge) {
    splitter.mouseDown(100);
    splitter.mouseMove(480);  // exactly at the limit: still inside
    splitter.mouseMove(481);
    EXPECT_TRUE(splitter.dragging());
    splitter.mouseMove(300);
    EXPECT_FALSE(splitter.dragging());
    EXPECT_EQ(splitter.splitPos(), 479);
    EXPECT_EQ(splitter.paneRects().list, (PixelRect{484, 40, 500, 300}));
}

TEST_F(SplitterTest, AReleaseOutsideTheWindowKeepsBothPanesVisible) {
    splitter.mouseDown(100);
    splitter.mouseMove(150);
    splitter.mouseUp(-300);
    EXPECT_EQ(splitter.splitPos(), 21);
    splitter.mouseDown(21);
    splitter.mouseUp(900);
    EXPECT_EQ(splitter.splitPos(), 479);
}

TEST_F(SplitterTest, ResizingKeepsTheSplitterWhereItIs) {
    splitter.resize({0, 40, 800, 600});
    EXPECT_EQ(splitter.splitPos(), 100);
    const auto panes = splitter.paneRects();
    EXPECT_EQ(panes.tree, (PixelRect{0, 40, 99, 600}));
    EXPECT_EQ(panes.list, (PixelRect{105, 40, 800, 600}));
    // The drag limits follow the new width.
    splitter.mouseDown(100);
    splitter.mouseMove(790);
    splitter.mouseMove(700);
    EXPECT_EQ(splitter.splitPos(), 779);
}

}  // namespace
}  // namespace fiscora::ui
