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
    const std::vector<std::int16_t> moves{2, 6, 7, 3, 9};
    FakeBoard onScreen, offScreen;
    ASSERT_TRUE(onScreen.build(301, 200) && offScreen.build(301, 200));
    offScreen.game.setBoardShown(false);
    onScreen.game.replay(moves);
    offScreen.game.replay(moves);
    EXPECT_TRUE(snapshotOf(offScreen.game, offScreen.tiles) == snapshotOf(onScreen.game, onScreen.tiles));
    EXPECT_EQ(offScreen.game.history.entries(), (std::vector<std::int16_t>{2, 6, 7, 3}));
    EXPECT_EQ(onScreen.platform.processEventsCalls, 76 + 51 + 76 + 51);
    EXPECT_EQ(offScreen.platform.processEventsCalls, 4);
    offScreen.game.setBoardShown(true);
    ASSERT_TRUE(offScreen.game.MoveTile(3));   // back up: 51 steps
    EXPECT_EQ(offScreen.platform.processEventsCalls, 4 + 51);
}
