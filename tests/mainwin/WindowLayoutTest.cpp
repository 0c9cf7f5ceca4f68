// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "WindowLayout.h"

using namespace wf;

namespace {

LayoutInput window(float w, float h) {
    LayoutInput in;
    in.windowWidth = w;
    in.windowHeight = h;
    in.scaleHeight = h - 300;
    in.tbTop = 0;
    in.tbHeight = 600;
    in.sbVisible = true;
    in.sbHeight = 300;
    in.coolBarHeight = 450;
    in.pic0Top = 600;
    in.tv1Top = 990;
    in.pic2Left = 60;
    return in;
}

}  // namespace

TEST(WindowLayout, SplitIsClampedBothWaysAndTheRightClampWins) {
    float x = 1000;
    WindowLayout::sizeControls(x, window(12000, 9000));
    EXPECT_EQ(x, 3300);
    x = 10000;
    WindowLayout::sizeControls(x, window(12000, 9000));
    EXPECT_EQ(x, 8700);
    x = 4000;  // a window 6000 wide: 6000 - 3300 wins over the 3300 minimum
    WindowLayout::sizeControls(x, window(6000, 9000));
    EXPECT_EQ(x, 2700);
    x = 5000;
    const LayoutResult r = WindowLayout::sizeControls(x, window(12000, 9000));
    EXPECT_EQ(x, 5000);
    EXPECT_EQ(r.pic0.width, 5000);
    EXPECT_EQ(r.imgSplitter.left, 5000);
    EXPECT_EQ(r.pic1.left, 5040);
    EXPECT_EQ(r.pic1.width, 12000 - (5000 + 200));
}

TEST(WindowLayout, HeightsFollowTheStatusBarAndTheLeastHeight) {
    float x = 4000;
    LayoutInput in = window(12000, 9000);
    LayoutResult r = WindowLayout::sizeControls(x, in);
    EXPECT_EQ(r.pic0.height, 8700 - (600 + 300));
    EXPECT_EQ(r.windowHeight, 9000);
    in.sbVisible = false;
    const LayoutResult hidden = WindowLayout::sizeControls(x, in);
    EXPECT_EQ(hidden.pic0.height - r.pic0.height, 300);
    r = WindowLayout::sizeControls(x, window(12000, 1500));
    EXPECT_EQ(r.windowHeight, 2000);
}

TEST(WindowLayout, PanesFollowTheirShares) {
    float x = 4000;
    const LayoutResult r = WindowLayout::sizeControls(x, window(12000, 9000));
    EXPECT_FLOAT_EQ(r.tv1.width, 4000 * 0.95f);
    EXPECT_FLOAT_EQ(r.tv1.height, 7800 * 0.88f);
    EXPECT_FLOAT_EQ(r.pic2.width, 7800 - 275);
    EXPECT_FLOAT_EQ(r.pic2.height, r.tv1.height);
    EXPECT_FLOAT_EQ(r.rtb.left, r.pic2.width * 0.02f);
    EXPECT_FLOAT_EQ(r.rtb.height, r.pic2.height * 0.95f);
    EXPECT_FLOAT_EQ(r.web.top, 450 + 600);
    EXPECT_FLOAT_EQ(r.web.height, 7800 - 450);
    EXPECT_FLOAT_EQ(r.fg1.top, r.web.top);
    EXPECT_FLOAT_EQ(r.coolBarWidth, r.pic1.width);
    EXPECT_FLOAT_EQ(r.cmbSearchCategoryWidth, r.tv1.width * 0.9f);
    EXPECT_FLOAT_EQ(r.frame1Width, r.tv1.width);
}

TEST(WindowLayout, DragStaysWithin500OfEitherEdge) {
    EXPECT_EQ(WindowLayout::dragPosition(100, 9000), 500);
    EXPECT_EQ(WindowLayout::dragPosition(8800, 9000), 8500);
    EXPECT_EQ(WindowLayout::dragPosition(4000, 9000), 4000);
    // Released at the drag limit, the layout still keeps 3300.
    float x = WindowLayout::dragPosition(0, 9000);
    WindowLayout::sizeControls(x, window(9000, 9000));
    EXPECT_EQ(x, 3300);
}
