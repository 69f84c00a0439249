// SPDX-License-Identifier: MIT
// What the game tells the views of the board: each landed move once, and each new board.
#include "engine/board_observer.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {
struct Recorder : BoardObserver {
    QStringList heard;
    const FakeBoard* board = nullptr;
    void moveLanded(std::int16_t Index) override
    {
        // By then the tile is in place and the empty slot is the one it left.
        heard << QString("landed %1 at %2 empty %3")
                     .arg(Index)
                     .arg(board->tiles.left(Index))
                     .arg(board->game.board().EmptyLeft);
    }
    void boardChanged() override { heard << "board"; }
};
}   // namespace

TEST(BoardObserver, HearsEachLandedMoveOnceAndEachNewBoardButNotRefusedMoves)
{
    FakeBoard b;   // 15 twips a pixel; 301 x 200 at 4 x 4: tiles 75 x 50 pixels
    Recorder r;
    r.board = &b;
    b.game.addObserver(r);
    ASSERT_TRUE(b.build(301, 200));
    b.game.MoveTile(2);   // slides 76 steps into (0, 0)
    b.game.MoveTile(4);   // not next to the empty slot: nothing
    b.game.replay({3});
    b.game.solveOrStop();   // takes 3, then 2 back
    EXPECT_EQ(r.heard,
              (QStringList{"board", "landed 2 at 0 empty 1125", "landed 3 at 1125 empty 2250", "board",
                           "landed 3 at 2250 empty 1125", "landed 2 at 1125 empty 0"}));
    b.game.removeObserver(r);
    b.game.MoveTile(2);
    EXPECT_EQ(r.heard.size(), 6);
}
