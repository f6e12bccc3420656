#include <gtest/gtest.h>

#include "core/workarea.h"

namespace tw {
namespace {

// Two monitors of 1024 x 800 side by side; the first is the primary.
constexpr int kWidth = 2048, kHeight = 800;
const Rect kLeft{0, 0, 1024, 800}, kRight{1024, 0, 1024, 800};

Strut Bottom(int64_t thickness, int64_t startX, int64_t endX) {
    Strut s;
    s.bottom = thickness;
    s.bottomStartX = startX;
    s.bottomEndX = endX;
    return s;
}

TEST(WorkArea, BandsCountOnlyOnTheMonitorTheyTouch) {
    const Strut leftPanel = Bottom(30, 0, 1023), rightPanel = Bottom(30, 1024, 2047);
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {}), kLeft);
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {leftPanel, rightPanel}),
              (Rect{0, 0, 1024, 770}));
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {rightPanel}), kLeft);
    EXPECT_EQ(MonitorWorkArea(kRight, kWidth, kHeight, {rightPanel}), (Rect{1024, 0, 1024, 770}));
    // A panel across both monitors, and one that reaches one pixel into the
    // first monitor (its span includes its last pixel).
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {Bottom(24, 0, 2047)}),
              (Rect{0, 0, 1024, 776}));
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {Bottom(24, 1023, 1500)}),
              (Rect{0, 0, 1024, 776}));
    // The thickest band on an edge wins.
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {Bottom(24, 0, 1023), Bottom(40, 0, 99)}),
              (Rect{0, 0, 1024, 760}));

    // Top, left and right bands, each over its own span.
    Strut top;
    top.top = 25;
    top.topStartX = 100;
    top.topEndX = 400;
    Strut left;
    left.left = 48;
    left.leftStartY = 0;
    left.leftEndY = 799;
    Strut right;  // along the right edge of the whole screen: the second monitor's
    right.right = 60;
    right.rightStartY = 0;
    right.rightEndY = 799;
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {top, left, right}),
              (Rect{48, 25, 976, 775}));
    EXPECT_EQ(MonitorWorkArea(kRight, kWidth, kHeight, {top, left, right}),
              (Rect{1024, 0, 964, 800}));
    // A span that ends above the monitor takes nothing from it.
    Strut stacked = left;
    stacked.leftStartY = 0;
    stacked.leftEndY = 99;
    EXPECT_EQ(MonitorWorkArea({0, 100, 1024, 700}, kWidth, kHeight, {stacked}),
              (Rect{0, 100, 1024, 700}));
    // A band larger than the monitor leaves nothing, never less.
    EXPECT_EQ(MonitorWorkArea(kLeft, kWidth, kHeight, {Bottom(5000, 0, 10)}).height, 0);
    const Rect none = MonitorWorkArea(kLeft, kWidth, kHeight, {Bottom(0xFFFFFFFFu, 0, 10)});
    EXPECT_EQ(none.height, 0);
    EXPECT_EQ(none.width, 1024);
}

TEST(WorkArea, PropertyValues) {
    // _NET_WM_STRUT: four thicknesses over the whole length of the screen.
    const auto full = StrutFromValues({0, 0, 0, 30}, kWidth, kHeight);
    ASSERT_TRUE(full);
    EXPECT_EQ(*full, (Strut{0, 0, 0, 30, 0, 799, 0, 799, 0, 2047, 0, 2047}));
    EXPECT_EQ(MonitorWorkArea(kRight, kWidth, kHeight, {*full}), (Rect{1024, 0, 1024, 770}));
    // _NET_WM_STRUT_PARTIAL: twelve values in their order.
    const auto partial =
        StrutFromValues({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, kWidth, kHeight);
    ASSERT_TRUE(partial);
    EXPECT_EQ(*partial, (Strut{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_FALSE(StrutFromValues({}, kWidth, kHeight));
    EXPECT_FALSE(StrutFromValues({1, 2, 3}, kWidth, kHeight));
}

}  // namespace
}  // namespace tw
