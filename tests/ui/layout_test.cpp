// SPDX-License-Identifier: MIT
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
}   // namespace

TEST(Layout, InitialWindowSizeGivesFrameLinesAndACentredPlayArea)
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

TEST(Layout, NoPictureOrAnOversizedOneGivesAnEmptyRectangleAtTheCentre)
{
    for (auto [pw, ph] :
         {std::pair<std::optional<int>, std::optional<int>>{std::nullopt, std::nullopt}, {40000, 240}}) {
        const LayoutTargets t = run(7824, 7188, pw, ph);
        EXPECT_EQ(t.playArea.left, 7824 / 2.f);
        EXPECT_EQ(t.playArea.width, 0);
        EXPECT_EQ(t.playArea.height, ph == 240 ? 3600 : 0);
    }
}
