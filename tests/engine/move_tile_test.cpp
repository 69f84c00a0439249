// The move rule and the slide: worked example, directions, refusals, screen factors.
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {

// Records the position of tile k at every event-processing call (one per slide step).

struct Steps {
    std::vector<std::pair<float, float>> at;
    void track(FakeBoard& b, int k)
    {
        b.platform.onEvents = [this, &b, k] { at.emplace_back(b.tiles.left(k), b.tiles.top(k)); };
    }
};

} // namespace

TEST(MoveTile, WorkedExampleTileTwoSlidesLeftThroughEveryPixel)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    Steps s;
    s.track(b, 2);
    ASSERT_TRUE(b.game.MoveTile(2));
    ASSERT_EQ(s.at.size(), 76u);
    for (size_t i = 0; i < s.at.size(); ++i) {
        EXPECT_EQ(s.at[i].first, 1125.f - 15.f * i);
        EXPECT_EQ(s.at[i].second, 0.f);
    }
    EXPECT_EQ(b.game.EmptyLeft, 1125.f);
    EXPECT_EQ(b.game.EmptyTop, 0.f);
    EXPECT_EQ(b.game.history.entries(), std::vector<std::int16_t>{2});
}

TEST(MoveTile, WorkedExampleTileFiveSlidesUpAndSixStays)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    EXPECT_FALSE(b.game.MoveTile(6));
    EXPECT_EQ(b.platform.processEventsCalls, 0);
    Steps s;
    s.track(b, 5);
    ASSERT_TRUE(b.game.MoveTile(5));
    ASSERT_EQ(s.at.size(), 51u);
    EXPECT_EQ(s.at.front(), std::make_pair(0.f, 750.f));
    EXPECT_EQ(s.at[1], std::make_pair(0.f, 735.f));
    EXPECT_EQ(s.at.back(), std::make_pair(0.f, 0.f));
    EXPECT_EQ(b.game.EmptyTop, 750.f);
    EXPECT_EQ(b.game.EmptyLeft, 0.f);
}

TEST(MoveTile, AllFourDirectionsEndExactlyInTheSlot)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));   // 75 x 50 pixel tiles
    // Empty slot at (0,0): tile 2 moves left, then tile 6 up (into (1,0)), then 6 back down, 2 right.
    ASSERT_TRUE(b.game.MoveTile(2));                   // left
    ASSERT_TRUE(b.game.MoveTile(6));                   // up into (1, 0)
    EXPECT_EQ(b.slotOf(6), std::make_pair(1L, 0L));
    Steps s;
    s.track(b, 6);
    ASSERT_TRUE(b.game.MoveTile(6));                   // down again
    EXPECT_EQ(s.at.size(), 51u);
    EXPECT_EQ(b.slotOf(6), std::make_pair(1L, 1L));
    ASSERT_TRUE(b.game.MoveTile(2));                   // right again
    EXPECT_EQ(b.slotOf(2), std::make_pair(1L, 0L));
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");
}

TEST(MoveTile, FarAndDiagonalTilesDoNothing)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    for (std::int16_t k : {3, 4, 9, 13, 6, 11, 16}) {
        EXPECT_FALSE(b.game.MoveTile(k)) << k;
    }
    EXPECT_FALSE(b.game.MoveTile(0));   // the hidden base tile
    EXPECT_FALSE(b.game.MoveTile(1));   // never exists
    EXPECT_FALSE(b.game.MoveTile(17));  // beyond the board
    EXPECT_EQ(b.platform.processEventsCalls, 0);
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.game.EmptyLeft, 0.f);
}

TEST(MoveTile, TakingTheLastMoveBackShrinksTheHistory)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    ASSERT_TRUE(b.game.MoveTile(2));
    ASSERT_TRUE(b.game.MoveTile(3));
    ASSERT_TRUE(b.game.MoveTile(3));
    EXPECT_EQ(b.game.history.entries(), std::vector<std::int16_t>{2});
}

// Any positive factor gives the same moves; 1440/110 is a 110 dpi screen.
class ScreenFactor : public ::testing::TestWithParam<double> {};

TEST_P(ScreenFactor, EveryNeighbourMovesAndTheBoardStaysSound)
{
    FakeBoard b;
    b.platform.tppx = b.platform.tppy = GetParam();
    ASSERT_TRUE(b.build(300, 200));
    const std::vector<std::int16_t> walk = {2, 3, 4, 8, 7, 6, 5, 9, 13, 14, 10, 11, 15, 16, 12, 7};
    for (std::int16_t k : walk) {
        ASSERT_TRUE(b.game.MoveTile(k)) << "tile " << k;
        ASSERT_EQ(boardFault(b.game, b.tiles, GetParam(), GetParam()), "") << k;
    }
    EXPECT_EQ(b.game.history.MoveCount(), int(walk.size()));
    EXPECT_FALSE(b.game.MoveTile(2));   // far away now
}

INSTANTIATE_TEST_SUITE_P(Factors, ScreenFactor, ::testing::Values(15.0, 12.0, 1440.0 / 110.0));
