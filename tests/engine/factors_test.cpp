// SPDX-License-Identifier: MIT
// A change of the screen's twips-per-pixel factors in the middle of a game.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

// With the empty slot off the top row: 2x, then 1.25x while tile 17 slides: every tile stays on its slot,
// each later move works and "Solve It!" reaches the solved board.
TEST(FactorsChange, TilesKeepTheirSlotsAndPlayGoesOnToTheSolvedBoard)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 203, "7", "3"));
    const auto play = [&](std::initializer_list<std::int16_t> moves) {
        for (std::int16_t k : moves)
            EXPECT_TRUE(b.game.MoveTile(k)) << k;
    };
    play({2, 9, 10});
    b.platform.tppx = b.platform.tppy = 7.5;
    b.game.factorsChanged();
    EXPECT_EQ(b.fault().toStdString(),
              "");   // also: the moves made lead back to the solved board from where the tiles are
    EXPECT_EQ(b.playArea.width(), 301 * 7.5f);
    int steps = 0;
    b.platform.onEvents = [&] {
        if (++steps == 3) {
            b.platform.tppx = b.platform.tppy = 12;
            b.game.factorsChanged();
        }
    };
    play({17});
    b.platform.onEvents = nullptr;
    play({18, 11, 4});
    EXPECT_EQ(b.fault().toStdString(), "");
    b.game.solveOrStop();
    EXPECT_EQ(b.game.history().MoveCount(), 0);
    EXPECT_EQ(b.fault().toStdString(), "");
}
