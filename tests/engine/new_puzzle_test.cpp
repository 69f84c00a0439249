// Building a new board from a picture, and the refusals that change nothing.
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

TEST(NewPuzzle, WorkedExample301By200)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    EXPECT_EQ(b.tiles.width(0), 1125.f);
    EXPECT_EQ(b.tiles.height(0), 750.f);
    EXPECT_EQ(b.playArea.width(), 4515.f);
    EXPECT_EQ(b.playArea.height(), 3000.f);
    EXPECT_FALSE(b.tiles[0].visible);
    EXPECT_FALSE(b.tiles.exists(1));
    for (int k = 2; k <= 16; ++k) {
        ASSERT_TRUE(b.tiles.exists(k));
        EXPECT_TRUE(b.tiles[k].visible);
        EXPECT_EQ(b.tiles[k].cell, k - 1);
    }
    EXPECT_FALSE(b.tiles.exists(17));
    EXPECT_EQ(b.tiles[2].rect, (TwipsRect{1125, 0, 1125, 750}));
    EXPECT_EQ(b.tiles[5].rect, (TwipsRect{0, 750, 1125, 750}));
    EXPECT_EQ(b.tiles[16].rect, (TwipsRect{3375, 2250, 1125, 750}));
    EXPECT_EQ(b.game.EmptyLeft, 0.f);
    EXPECT_EQ(b.game.EmptyTop, 0.f);
    EXPECT_EQ(b.game.OldCols, "4");
    EXPECT_EQ(b.clip.cellRect(15), QRect(225, 150, 75, 50));
    // Centred on half the outer width and on the middle of frame line 6.
    EXPECT_EQ(b.playArea.rect().left, 7824.f / 2 - 4515.f / 2);
    EXPECT_EQ(b.playArea.rect().top, (4860.f - 1368.f) / 2 + 1368.f - 1500.f);
    // The pattern covers the whole play area: 4515 / 960 -> 5 columns, 3000 / 960 -> 4 rows.
    EXPECT_EQ(b.playArea.pattern(), (PatternCover{960, 960, 5, 4}));
}

TEST(NewPuzzle, OneByOneHasNoTiles)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(50, 40, "1", "1"));
    EXPECT_EQ(b.tiles.end(), 1);
    EXPECT_EQ(b.tiles.width(0), 750.f);
    EXPECT_FALSE(b.game.MoveTile(2));
}

TEST(NewPuzzle, RebuildingRemovesTheOldTiles)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 300));
    b.game.MoveTile(2);
    ASSERT_TRUE(b.build(300, 300, "5", "5"));
    EXPECT_EQ(b.tiles.end(), 26);
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");
    ASSERT_TRUE(b.build(300, 300, "3", "3"));
    EXPECT_EQ(b.tiles.end(), 10);
    EXPECT_EQ(b.tiles[9].rect, (TwipsRect{3000, 3000, 1500, 1500}));
    EXPECT_EQ(b.game.OldCols, "3");
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");
}

TEST(NewPuzzle, WidthNotAMultipleOfTheColumnsIsRoundedDown)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(103, 50, "5", "3"));   // 20 x 16 pixel tiles
    EXPECT_EQ(b.tiles.width(0), 300.f);
    EXPECT_EQ(b.tiles.height(0), 240.f);
    EXPECT_EQ(b.tiles[15].rect.left + b.tiles[15].rect.width, 1500.f);   // 3 pixels spare
    EXPECT_EQ(b.playArea.width(), 1545.f);
}

TEST(NewPuzzle, SizeTextsAreKeptAsTyped)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 300, " 05", "3 "));
    EXPECT_EQ(b.game.Cols, " 05");
    EXPECT_EQ(b.game.Rows, "3 ");
    EXPECT_EQ(b.tiles.end(), 16);
}

// Every refusal leaves the board, history, sizes and play area exactly as they were.
TEST(NewPuzzle, RefusalsChangeNothing)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    b.game.MoveTile(2);
    const auto tilesBefore = b.tiles.end();
    const TwipsRect areaBefore = b.playArea.rect();
    struct Case { int w, h; QString cols, rows; };
    const Case cases[] = {{300, 200, "0", "4"},    {300, 200, "abc", "4"}, {300, 200, "2.5", "4"},
                          {300, 200, "-3", "4"},   {300, 200, "", "4"},    {300, 200, "200", "200"},
                          {3, 200, "4", "4"},      {300, 2, "4", "3"},     {40000, 200, "4", "4"},
                          {300, 40000, "4", "4"}, {0, 0, "4", "4"}};
    for (const Case& c : cases) {
        EXPECT_FALSE(b.build(c.w, c.h, c.cols, c.rows)) << c.w << "x" << c.h << " " << c.cols.toStdString();
        EXPECT_EQ(b.game.history.entries(), std::vector<std::int16_t>{2});
        EXPECT_EQ(b.game.Cols, "4");
        EXPECT_EQ(b.game.OldCols, "4");
        EXPECT_EQ(b.tiles.end(), tilesBefore);
        EXPECT_EQ(b.playArea.rect(), areaBefore);
        EXPECT_EQ(b.game.EmptyLeft, 1125.f);
    }
}

TEST(NewPuzzle, WithoutAPictureDoesNothing)
{
    FakeBoard b;
    b.size.cols = "5";
    EXPECT_FALSE(b.game.NewPuzzle());
    EXPECT_EQ(b.tiles.end(), 1);
    EXPECT_TRUE(b.platform.messages.empty());
    EXPECT_EQ(b.game.Cols, "");
    EXPECT_EQ(b.size.cols, "5");
}

TEST(NewPuzzle, LargestBoard)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(181 * 2, 181 * 2, "181", "181"));
    EXPECT_EQ(b.tiles.end(), 32762);
    ASSERT_TRUE(b.build(32767, 1, "32767", "1"));
    EXPECT_EQ(b.tiles.end(), 32768);
    EXPECT_TRUE(b.game.MoveTile(2));
}
