// The move history's take-back rule and its 1000-move bound.
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

TEST(MoveHistory, TakeBackRuleAndWorkedExample)
{
    MoveHistory h;
    for (std::int16_t k : {2, 3, 3, 6})
        h.RecordMove(k);
    EXPECT_EQ(h.entries(), (std::vector<std::int16_t>{2, 6}));
    EXPECT_EQ(h.MoveCount(), 2);
    h.RecordMove(6);
    h.RecordMove(2);
    EXPECT_EQ(h.MoveCount(), 0);
    h.RecordMove(2);   // entry 0 equals no tile: always appended
    EXPECT_EQ(h.entries(), std::vector<std::int16_t>{2});
}

TEST(MoveHistory, BoundOfOneThousand)
{
    MoveHistory h;
    for (int i = 0; i < MoveHistory::Capacity; ++i)
        h.RecordMove(std::int16_t(2 + i % 2));
    EXPECT_EQ(h.MoveCount(), 1000);
    EXPECT_FALSE(h.canRecord(2));    // the newest is 3: a 1001st entry would be needed
    EXPECT_TRUE(h.canRecord(3));     // a take-back still fits
    h.RecordMove(3);
    EXPECT_EQ(h.MoveCount(), 999);
}

// Two tiles pushed back and forth in a 2 x 1 corner never take each other back.
TEST(MoveTileHistory, TheThousandAndFirstMoveIsRefusedBeforeAnythingMoves)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(200, 200, "2", "2"));
    // Circle tiles 2, 4, 3 around the 2 x 2 board: each move is new, none takes one back.
    const std::int16_t cycle[] = {2, 4, 3};
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(b.game.MoveTile(cycle[i % 3])) << i;
    ASSERT_EQ(b.game.history.MoveCount(), 1000);
    const int eventsBefore = b.platform.processEventsCalls;
    const float left = b.game.EmptyLeft, top = b.game.EmptyTop;
    EXPECT_FALSE(b.game.MoveTile(cycle[1000 % 3]));
    EXPECT_EQ(b.platform.beeps, 1);
    EXPECT_EQ(b.platform.processEventsCalls, eventsBefore);
    EXPECT_EQ(b.game.EmptyLeft, left);
    EXPECT_EQ(b.game.EmptyTop, top);
    EXPECT_EQ(b.game.history.MoveCount(), 1000);
    // Taking the newest move back still works.
    EXPECT_TRUE(b.game.MoveTile(cycle[999 % 3]));
    EXPECT_EQ(b.game.history.MoveCount(), 999);
    EXPECT_EQ(boardFault(b.game, b.tiles, 15, 15), "");
}
