// SPDX-License-Identifier: MIT
// The move rule and the slide: which tile moves, every place it passes, what may run meanwhile.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {
// 15 twips a pixel; 301 x 200 pixels cut 4 x 4: tiles of 75 x 50 pixels, 1125 x 750 twips.
struct MoveRule : ::testing::Test {
    FakeBoard b;
    void SetUp() override { ASSERT_TRUE(b.build(301, 200)); }
};
}   // namespace

// Right of the empty slot, below, above, left: n + 1 places for n pixels (76 across, 51 down, as in
// the worked example), one pixel apart, each followed by an event pass; then the slot left is empty.
TEST_F(MoveRule, ASlideOfAnNPixelTileVisitsNPlusOnePlacesAndProcessesEventsAfterEach)
{
    struct Case {
        std::int16_t k;
        bool vertical;
        float from, to;
        std::size_t places;
    };
    for (const Case c : {Case{2, false, 1125, 0, 76},
                         {6, true, 750, 0, 51},
                         {6, true, 0, 750, 51},
                         {2, false, 0, 1125, 76}}) {
        std::vector<float> seen;   // where the tile stands at each event pass
        b.platform.onEvents = [&] { seen.push_back(c.vertical ? b.tiles.top(c.k) : b.tiles.left(c.k)); };
        EXPECT_TRUE(b.game.MoveTile(c.k));
        ASSERT_EQ(seen.size(), c.places) << c.k;
        EXPECT_EQ(b.platform.processEventsCalls, int(c.places));
        b.platform.processEventsCalls = 0;
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i], c.from + (c.to > c.from ? 15.f : -15.f) * i) << c.k << " at " << i;
        EXPECT_EQ(c.vertical ? b.game.EmptyTop : b.game.EmptyLeft, c.from);
    }
    EXPECT_EQ(b.fault().toStdString(), "");
}

TEST_F(MoveRule, ATileTwoSlotsAwayOrDiagonalStaysAndNothingIsRecordedOrProcessed)
{
    const GameSnapshot before = b.snapshot();
    for (std::int16_t k : {3, 9, 6, 16})
        EXPECT_FALSE(b.game.MoveTile(k)) << k;
    EXPECT_TRUE(b.snapshot() == before);
    EXPECT_EQ(b.platform.processEventsCalls, 0);
}

// Tile 5 borders the slot that tile 2 is sliding into; the press comes while 2 is on its way.
TEST_F(MoveRule, APressDuringASlideChangesNothing)
{
    b.platform.onEvents = [&] { b.game.Image1_MouseDown(5); };
    b.game.Image1_MouseDown(2);
    EXPECT_EQ(b.game.history.entries(), Moves{2});
    EXPECT_EQ(b.tiles.top(5), 750);
    EXPECT_EQ(b.fault().toStdString(), "");
}

// Tile indexes are 16-bit: 32,767 slots at most, the top-left one empty.
TEST(BoardSize, TheLargestBoardHas32766Tiles)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(1, 32767, "1", "32767"));
    int tiles = 0;
    for (int k = 0; k < b.tiles.end(); ++k)
        tiles += b.tiles.exists(k) && b.tiles[k].visible;
    EXPECT_EQ(tiles, 32766);
    EXPECT_FALSE(b.build(2, 32767, "2", "16384"));
}
