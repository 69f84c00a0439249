// SPDX-License-Identifier: MIT
// The window layout: frame lines and the centred play area at the initial window size.
#include "ui/layout.h"

#include <gtest/gtest.h>

using namespace zp;

TEST(Layout, InitialWindowSizeGivesFrameLinesAndACentredPlayArea)
{
    LayoutTargets t;
    layOut({7824, 7188, 15.0, 15.0, 320, 240}, t);
    EXPECT_EQ(t.frame1Width, 7824 - 28 * 15);
    EXPECT_EQ(t.lines[1], (FrameLine{120, 1320, 7824 - 19 * 15, 1320}));
    EXPECT_EQ(t.lines[6], (FrameLine{7824 - 23 * 15, 1368, 7824 - 23 * 15, 7188 - 47 * 15}));
    EXPECT_EQ(t.lines[7], (FrameLine{180, 7188 - 47 * 15, 7824 - 22 * 15, 7188 - 47 * 15}));
    EXPECT_EQ(t.lines[3], (FrameLine{120, 7188 - 42 * 15, 7824 - 18 * 15, 7188 - 42 * 15}));
    EXPECT_EQ(t.lines[0], (FrameLine{120, 1320, 120, 7188 - 42 * 15}));
    const float mid = (1368 + 7188 - 47 * 15) / 2.f;
    EXPECT_EQ(t.playArea, (TwipsRect{7824 / 2.f - 2400, mid - 1800, 4800, 3600}));
}

