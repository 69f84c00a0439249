// SPDX-License-Identifier: MIT
// Building a board, its refusals, the take-back rule, and closing while a tile slides.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

// 301 x 200 pixels in 4 x 4, rebuilt over a game whose empty slot had moved down a row.
TEST(NewPuzzle, CutsTheSolvedBoardAndCentresThePlayArea)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200) && b.game.MoveTile(5));
    ASSERT_TRUE(b.build(301, 200));
    EXPECT_FALSE(b.tiles[0].visible || b.tiles.exists(1) || b.tiles.exists(17));
    for (int k = 2; k <= 16; ++k)
        EXPECT_TRUE(b.tiles[k].visible && b.tiles[k].cell == k - 1 &&
                    b.tiles[k].rect == (TwipsRect{(k - 1) % 4 * 1125.f, (k - 1) / 4 * 750.f, 1125, 750}))
            << k;
    EXPECT_EQ(std::make_pair(b.game.EmptyLeft, b.game.EmptyTop), std::make_pair(0.f, 0.f));
    EXPECT_EQ(b.clip.cellRect(15), QRect(225, 150, 75, 50));
    // Centred on half the outer width and on the middle of frame line 6.
    const float left = 7824.f / 2 - 4515.f / 2, top = (4860.f - 1368.f) / 2 + 1368.f - 1500.f;
    EXPECT_EQ(b.playArea.rect(), (TwipsRect{left, top, 4515, 3000}));
    EXPECT_EQ(b.playArea.pattern(), (PatternCover{960, 960, 5, 4}));   // 960-twip squares over 4515 x 3000
}

// Each refusal comes from the size rule or the picture's limits; the game in play stays.
TEST(NewPuzzle, RefusalsChangeNothingAndTheLargestBoardWorks)
{
    FakeBoard b;
    EXPECT_FALSE(b.game.NewPuzzle());   // no picture yet
    ASSERT_TRUE(b.build(300, 200) && b.game.MoveTile(2));
    const GameSnapshot before = b.snapshot();
    const PicturePtr picture = b.clip.picture();
    struct Case {
        int w, h;
        QString cols;
    };
    for (const Case& c : {Case{300, 200, "0"}, Case{3, 200, "4"}, Case{40000, 200, "4"}}) {
        EXPECT_FALSE(b.build(c.w, c.h, c.cols)) << c.w;
        b.clip.setPicture(picture);   // the test put the refused one there, not the game
        b.size.cols = "4";
        EXPECT_TRUE(b.snapshot() == before) << c.w;
    }
    ASSERT_TRUE(b.build(32767, 1, "32767", "1"));
    EXPECT_EQ(b.tiles.end(), 32768);
    EXPECT_TRUE(b.game.MoveTile(2));
}

TEST(MoveHistory, MovingTheLastMovedTileAgainTakesItsMoveBack)
{
    MoveHistory h;
    for (std::int16_t k : {2, 2, 3, 5, 5, 6})
        h.RecordMove(k);
    EXPECT_EQ(h.entries(), (std::vector<std::int16_t>{3, 6}));
}

// Closing mid-slide ends the slide there; later presses, commands and "Solve It!" do nothing.
TEST(BusyInput, ClosingEndsLoopsAndDropsEverything)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    int ran = 0;
    b.platform.onEvents = [&] {
        if (b.platform.processEventsCalls == 10) {
            b.game.runCommand([&] { ++ran; });
            b.game.close();
        }
    };
    b.game.Image1_MouseDown(2);
    const int calls = b.platform.processEventsCalls;
    EXPECT_EQ(calls, 10);
    b.game.Image1_MouseDown(5);
    b.game.Command3_Click();
    b.game.runCommand([&] { ++ran; });
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(b.platform.processEventsCalls, calls);
}
