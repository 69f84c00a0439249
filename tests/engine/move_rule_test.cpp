// SPDX-License-Identifier: MIT
// The move rule and the slide: which tile moves, every place it passes, events after each step.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp::test;

// 15 twips a pixel; 301 x 200 pixels cut 4 x 4: tiles of 75 x 50 pixels, 1125 x 750 twips. The tiles right
// of the empty slot, below, above and left of it in turn: n + 1 places for n pixels (76 across, 51 down, as
// in the worked example), one pixel apart, each followed by an event pass; then the slot left is empty.
TEST(MoveRule, ASlideOfAnNPixelTileVisitsNPlusOnePlacesAndProcessesEventsAfterEach)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    for (auto [k, vertical, from, to, places] : {std::tuple{2, false, 1125.f, 0.f, 76},
                                                 {6, true, 750.f, 0.f, 51},
                                                 {6, true, 0.f, 750.f, 51},
                                                 {2, false, 0.f, 1125.f, 76}}) {
        std::vector<float> seen, expected;   // where the tile stands at each event pass
        for (int i = 0; i < places; ++i)
            expected.push_back(from + (to > from ? 15.f : -15.f) * float(i));
        b.platform.onEvents = [&, k = k, vertical = vertical] {
            seen.push_back(vertical ? b.tiles.top(k) : b.tiles.left(k));
        };
        EXPECT_TRUE(b.game.MoveTile(std::int16_t(k)));
        EXPECT_EQ(seen, expected) << k;
        EXPECT_EQ(vertical ? b.game.board().EmptyTop : b.game.board().EmptyLeft, from);
    }
    EXPECT_EQ(b.platform.processEventsCalls, 76 + 51 + 51 + 76);
}

TEST(MoveRule, ATileTwoSlotsAwayOrDiagonalStaysAndNothingIsRecordedOrProcessed)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    const GameSnapshot before = b.snapshot();
    for (std::int16_t k : {3, 9, 6, 16})
        EXPECT_FALSE(b.game.MoveTile(k)) << k;
    EXPECT_TRUE(b.snapshot() == before);
    EXPECT_EQ(b.platform.processEventsCalls, 0);
}

// Tile indexes are 16-bit: 32,767 slots at most, so 32,766 tiles, numbered 2 to 32767.
TEST(MoveRule, TheLargestBoardHas32766Tiles)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(1, 32767, "1", "32767"));
    EXPECT_TRUE(b.tiles.exists(2) && b.tiles.exists(32767) && !b.tiles.exists(1));
    EXPECT_FALSE(b.build(2, 32767, "2", "16384"));
}
