// SPDX-License-Identifier: MIT
// The move history and "Solve It!": take-backs, the 1000-move limit, the order, pace and stop of a solution.
#include "engine/board_observer.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {
// 15 twips a pixel; 301 x 200 pixels cut 4 x 4: tiles of 75 x 50 pixels. Each event pass takes a
// millisecond of the fake clock.
struct History : ::testing::Test, BoardObserver {
    FakeBoard b;
    GameSnapshot solved;
    std::vector<std::pair<int, double>> landed;   // tile, clock
    void SetUp() override
    {
        ASSERT_TRUE(b.build(301, 200));
        solved = b.snapshot();
        b.game.addObserver(*this);
    }
    void TearDown() override { b.game.removeObserver(*this); }
    void moveLanded(std::int16_t k) override { landed.emplace_back(k, b.platform.now); }
    void boardChanged() override {}
};
}   // namespace

TEST_F(History, MovingTheLastMovedTileAgainTakesItsMoveBack)
{
    for (std::int16_t k : {2, 3, 3, 6})
        ASSERT_TRUE(b.game.MoveTile(k));
    EXPECT_EQ(b.game.history.entries(), (Moves{2, 6}));
}

// 2, 6, 5 round and round turns the top-left 2 x 2 block: each borders the empty slot in its turn.
TEST_F(History, AFullHistoryBeepsAndLeavesTheBoardUnmovedAndATakeBackStillWorks)
{
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(b.game.MoveTile(std::array<std::int16_t, 3>{2, 6, 5}[i % 3])) << i;
    const GameSnapshot full = b.snapshot();
    EXPECT_FALSE(b.game.MoveTile(6));
    EXPECT_EQ(b.platform.beeps, 1);
    EXPECT_TRUE(b.snapshot() == full);
    EXPECT_TRUE(b.game.MoveTile(2));   // the newest move, taken back
    EXPECT_EQ(b.game.history.MoveCount(), 999);
    EXPECT_EQ(b.platform.beeps, 1);
}

// The worked example: 2 and 6 moved; 6 comes back first (51 passes), then 0.3 s, then 2 (76 passes),
// then 0.3 s more. Pressed again on the solved board, it does nothing at all.
TEST_F(History, SolveItPlaysTheNewestMoveFirstAndPausesAThirdOfASecondAfterEach)
{
    ASSERT_TRUE(b.game.MoveTile(2) && b.game.MoveTile(6));
    landed.clear();
    const double t0 = b.platform.now;
    b.game.Command3_Click();
    ASSERT_EQ(landed.size(), 2u);
    EXPECT_EQ(landed[0].first, 6);
    EXPECT_NEAR(landed[0].second, t0 + 0.051, 1e-9);
    EXPECT_EQ(landed[1].first, 2);
    EXPECT_NEAR(landed[1].second, t0 + 0.051 + 0.3 + 0.076, 1e-9);
    EXPECT_NEAR(b.platform.now, t0 + 0.051 + 0.3 + 0.076 + 0.3, 1e-9);
    EXPECT_TRUE(b.snapshot() == solved);
    const int passes = b.platform.processEventsCalls;
    b.game.Command3_Click();
    EXPECT_EQ(b.platform.processEventsCalls, passes);
    EXPECT_NEAR(b.platform.now, t0 + 0.727, 1e-9);
}

// The second press comes while tile 6 is on its way back: 6 lands, 2 stays; a third press goes on.
TEST_F(History, PressingSolveItAgainStopsOnceTheTileInFlightLandsAndAThirdPressGoesOn)
{
    ASSERT_TRUE(b.game.MoveTile(2) && b.game.MoveTile(6));
    int passes = 0;
    b.platform.onEvents = [&] {
        if (++passes == 10)
            b.game.Command3_Click();
    };
    b.game.Command3_Click();
    EXPECT_EQ(passes, 51);
    EXPECT_EQ(b.game.history.entries(), Moves{2});
    EXPECT_EQ(b.tiles.top(6), 750);
    EXPECT_EQ(b.tiles.left(2), 0);
    b.platform.onEvents = nullptr;
    b.game.Command3_Click();
    EXPECT_TRUE(b.snapshot() == solved);
}
