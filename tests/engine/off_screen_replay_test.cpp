// SPDX-License-Identifier: MIT
// A board that is not on screen: its slides take no steps that no one could see, and end where they would.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

// 4 x 4 tiles of 75 x 50 pixels. Tile 2 goes left (76 steps), 6 up (51), 7 left (76), 3 down (51); 9 is
// not next to the empty slot.
TEST(OffScreenBoard, ReplaysInOneStepAMoveToWhereTheStepByStepReplayLeavesEveryTileAndSlidesOnceShown)
{
    FakeBoard shown, hidden;
    ASSERT_TRUE(shown.build(301, 200) && hidden.build(301, 200));
    hidden.game.setBoardShown(false);
    for (FakeBoard* b : {&shown, &hidden})
        b->game.replay({2, 6, 7, 3, 9});
    EXPECT_TRUE(snapshotOf(hidden.game, hidden.tiles) == snapshotOf(shown.game, shown.tiles));
    EXPECT_EQ(hidden.game.history().MoveCount(), 4);
    EXPECT_EQ(shown.platform.processEventsCalls, 76 + 51 + 76 + 51);
    EXPECT_EQ(hidden.platform.processEventsCalls, 4);
    hidden.game.setBoardShown(true);
    ASSERT_TRUE(hidden.game.MoveTile(3));   // back up: 51 steps
    EXPECT_EQ(hidden.platform.processEventsCalls, 4 + 51);
}
