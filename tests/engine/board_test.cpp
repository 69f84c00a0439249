// Moving tiles, the move history and building a board: slides, bounds and refusals.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

TEST(MoveTile, WorkedExamplesSlideThroughEveryPixelAndTileSixStays)
{
    struct Case { std::int16_t k; size_t steps; float left, top, dx, dy; };
    for (const Case c : {Case{2, 76, 1125, 0, -15, 0}, Case{5, 51, 0, 750, 0, -15}}) {
        FakeBoard b;
        ASSERT_TRUE(b.build(301, 200));
        EXPECT_FALSE(b.game.MoveTile(6));
        EXPECT_EQ(b.platform.processEventsCalls, 0);
        std::vector<std::pair<float, float>> at;   // tile k's place at every slide step
        b.platform.onEvents = [&] { at.emplace_back(b.tiles.left(c.k), b.tiles.top(c.k)); };
        ASSERT_TRUE(b.game.MoveTile(c.k));
        ASSERT_EQ(at.size(), c.steps) << c.k;
        for (size_t i = 0; i < c.steps; ++i)
            EXPECT_EQ(at[i], std::make_pair(c.left + c.dx * i, c.top + c.dy * i)) << c.k;
        EXPECT_EQ(std::make_pair(b.game.EmptyLeft, b.game.EmptyTop), std::make_pair(c.left, c.top));
        EXPECT_EQ(b.game.history.entries(), Moves{c.k});
    }
}

// Far, diagonal and missing tiles stay; neighbours go in all four directions, one pixel a step,
// and come back by take-backs, on any screen (1440/110 is a 110 dpi one).
TEST(MoveTile, OnlyNeighboursMoveAndTakeBacksUndoThemAtAnyScreenFactor)
{
    const Moves walk = {2, 3, 4, 8, 7, 6, 5, 9, 13, 14, 10, 11, 15, 16, 12, 7};
    for (double f : {15.0, 12.0, 1440.0 / 110.0}) {
        FakeBoard b;
        b.platform.tppx = b.platform.tppy = f;
        ASSERT_TRUE(b.build(300, 200));
        for (std::int16_t k : {3, 4, 9, 13, 6, 11, 16, 0, 1, 17})
            EXPECT_FALSE(b.game.MoveTile(k)) << k;
        EXPECT_EQ(b.platform.processEventsCalls, 0);
        EXPECT_EQ(b.game.EmptyLeft, 0.f);
        const auto step = [&](std::int16_t k) {
            EXPECT_TRUE(b.game.MoveTile(k)) << f << " " << k;
            EXPECT_EQ(boardFault(b.game, b.tiles, f, f), "") << f << " " << k;
        };
        std::for_each(walk.begin(), walk.end(), step);
        EXPECT_EQ(b.game.history.MoveCount(), int(walk.size()));
        EXPECT_FALSE(b.game.MoveTile(2));
        std::for_each(walk.rbegin(), walk.rend(), step);
        EXPECT_EQ(b.game.history.MoveCount(), 0);
        EXPECT_EQ(b.platform.processEventsCalls, 2 * (9 * 76 + 7 * 51));   // 9 across, 7 up/down
    }
}

TEST(MoveHistory, TheThousandAndFirstMoveIsRefusedWithABeepBeforeAnythingMoves)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(200, 200, "2", "2"));
    const std::int16_t cycle[] = {2, 4, 3};   // round the 2 x 2 board: no move takes one back
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(b.game.MoveTile(cycle[i % 3])) << i;
    const int events = b.platform.processEventsCalls;
    EXPECT_FALSE(b.game.MoveTile(cycle[1000 % 3]));
    EXPECT_EQ(b.platform.beeps, 1);
    EXPECT_EQ(b.platform.processEventsCalls, events);
    EXPECT_EQ(b.game.history.MoveCount(), 1000);
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");   // nothing moved
    EXPECT_TRUE(b.game.MoveTile(cycle[999 % 3]));
    EXPECT_EQ(b.game.history.MoveCount(), 999);
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");
}

TEST(NewPuzzle, WorkedExample301By200)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    EXPECT_EQ(std::make_pair(b.tiles.width(0), b.tiles.height(0)), std::make_pair(1125.f, 750.f));
    EXPECT_FALSE(b.tiles[0].visible);
    EXPECT_FALSE(b.tiles.exists(1) || b.tiles.exists(17));
    for (int k = 2; k <= 16; ++k) {
        ASSERT_TRUE(b.tiles.exists(k));
        EXPECT_TRUE(b.tiles[k].visible);
        EXPECT_EQ(b.tiles[k].cell, k - 1);
        const TwipsRect slot{(k - 1) % 4 * 1125.f, (k - 1) / 4 * 750.f, 1125, 750};
        EXPECT_EQ(b.tiles[k].rect, slot);
    }
    EXPECT_EQ(std::make_pair(b.game.EmptyLeft, b.game.EmptyTop), std::make_pair(0.f, 0.f));
    EXPECT_EQ(b.game.OldCols, "4");
    EXPECT_EQ(b.clip.cellRect(15), QRect(225, 150, 75, 50));
    // Centred on half the outer width and on the middle of frame line 6.
    const float left = 7824.f / 2 - 4515.f / 2, top = (4860.f - 1368.f) / 2 + 1368.f - 1500.f;
    EXPECT_EQ(b.playArea.rect(), (TwipsRect{left, top, 4515, 3000}));
    // 960 twips squares: 5 columns and 4 rows cover 4515 x 3000.
    EXPECT_EQ(b.playArea.pattern(), (PatternCover{960, 960, 5, 4}));
}

// Each refusal comes from the size rule or the picture's limits; the game in play stays.
TEST(NewPuzzle, RefusalsChangeNothingAndTheLargestBoardWorks)
{
    FakeBoard b;
    b.size.cols = "5";
    EXPECT_FALSE(b.game.NewPuzzle());   // no picture yet
    EXPECT_EQ(b.tiles.end(), 1);
    ASSERT_TRUE(b.build(300, 200));
    b.game.MoveTile(2);
    const GameSnapshot before = b.snapshot();
    const PicturePtr picture = b.clip.picture();
    struct Case { int w, h; QString cols, rows; };
    for (const Case& c : {Case{300, 200, "0", "4"}, Case{3, 200, "4", "4"}, Case{40000, 200, "4", "4"}}) {
        EXPECT_FALSE(b.build(c.w, c.h, c.cols, c.rows)) << c.w;
        b.clip.setPicture(picture);   // the test put the refused one there, not the game
        b.size.cols = b.size.rows = "4";
        EXPECT_TRUE(b.snapshot() == before) << c.w;
    }
    ASSERT_TRUE(b.build(32767, 1, "32767", "1"));
    EXPECT_EQ(b.tiles.end(), 32768);
    EXPECT_TRUE(b.game.MoveTile(2));
}
