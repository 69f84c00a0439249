// The window layout: edge cases of widening, heightening, tiny windows and no picture.
#include "ui/layout.h"

#include <gtest/gtest.h>

using namespace zp;

namespace {
LayoutTargets run(double W, double H, std::optional<int> pw = 320, std::optional<int> ph = 240)
{
    LayoutTargets out;
    layOut({W, H, 15.0, 15.0, pw, ph}, out);
    return out;
}
} // namespace

TEST(Layout, DesignedWindowGivesTheDesignedGeometry)
{
    const LayoutTargets t = run(7824, 7188);
    EXPECT_EQ(t.frame1Width, 7824 - 28 * 15);
    EXPECT_EQ(t.lines[1], (FrameLine{120, 1320, 7824 - 19 * 15, 1320}));
    EXPECT_EQ(t.lines[6], (FrameLine{7824 - 23 * 15, 1368, 7824 - 23 * 15, 7188 - 47 * 15}));
    EXPECT_EQ(t.lines[7], (FrameLine{180, 7188 - 47 * 15, 7824 - 22 * 15, 7188 - 47 * 15}));
    EXPECT_EQ(t.lines[3], (FrameLine{120, 7188 - 42 * 15, 7824 - 18 * 15, 7188 - 42 * 15}));
    EXPECT_EQ(t.lines[0], (FrameLine{120, 1320, 120, 7188 - 42 * 15}));
    const float mid = (1368 + 7188 - 47 * 15) / 2.f;
    EXPECT_EQ(t.playArea, (TwipsRect{7824 / 2.f - 2400, mid - 1800, 4800, 3600}));
}

TEST(Layout, WideningAndHeighteningMoveFrameByDAndPlayAreaByHalf)
{
    const LayoutTargets a = run(7824, 7188), wide = run(7824 + 300, 7188), tall = run(7824, 7188 + 300);
    EXPECT_EQ(wide.frame1Width - a.frame1Width, 300);
    for (int i : {1, 2, 3, 5, 6, 7})
        EXPECT_EQ(wide.lines[i].X2 - a.lines[i].X2, 300) << i;
    EXPECT_EQ(wide.lines[0], a.lines[0]);
    EXPECT_EQ(wide.playArea.left - a.playArea.left, 150);
    EXPECT_EQ(wide.playArea.top, a.playArea.top);
    for (int i : {0, 2, 4, 6})
        EXPECT_EQ(tall.lines[i].Y2 - a.lines[i].Y2, 300) << i;
    EXPECT_EQ(tall.lines[3].Y1 - a.lines[3].Y1, 300);
    EXPECT_EQ(tall.playArea.top - a.playArea.top, 150);
    EXPECT_EQ(tall.playArea.width, a.playArea.width);
}

TEST(Layout, TinyWindowKeepsTheBarWidthAndLetsLinesCross)
{
    LayoutTargets t = run(7824, 7188);
    const float bar = t.frame1Width;
    layOut({20 * 15, 10 * 15, 15.0, 15.0, 320, 240}, t);   // 20 x 10 pixels: W - 28 px < 0
    EXPECT_EQ(t.frame1Width, bar);
    EXPECT_EQ(t.lines[1].X2, 20 * 15 - 19 * 15);
    EXPECT_LT(t.lines[4].Y2, t.lines[4].Y1);   // crossed over, drawn where it falls
    EXPECT_EQ(t.playArea.width, 4800);
    EXPECT_LT(t.playArea.left, 0);
}

TEST(Layout, NoPictureOrAnOversizedOneGivesAnEmptyRectangleAtTheCentre)
{
    for (auto [pw, ph] : {std::pair<std::optional<int>, std::optional<int>>{std::nullopt, std::nullopt},
                          {40000, 240}}) {
        const LayoutTargets t = run(7824, 7188, pw, ph);
        EXPECT_EQ(t.playArea.left, 7824 / 2.f);
        EXPECT_EQ(t.playArea.width, 0);
        EXPECT_EQ(t.playArea.height, ph == 240 ? 3600 : 0);
    }
}
