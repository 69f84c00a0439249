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
// millisecond of the fake clock; each landed move is heard with the milliseconds since t0.
struct History : ::testing::Test, BoardObserver {
    FakeBoard b;
    GameSnapshot solved;
    double t0 = 0;
    std::vector<std::pair<int, long>> landed;
    void SetUp() override
    {
        ASSERT_TRUE(b.build(301, 200));
        solved = b.snapshot();
        b.game.addObserver(*this);
    }
    long elapsed() const { return std::lround((b.platform.now - t0) * 1000); }
    void moveLanded(std::int16_t k) override { landed.emplace_back(k, elapsed()); }
    void boardChanged() override {}
};
}   // namespace

TEST_F(History, MovingTheLastMovedTileAgainTakesItsMoveBack)
{
    for (std::int16_t k : {2, 3, 3, 6})
        ASSERT_TRUE(b.game.MoveTile(k));
    EXPECT_EQ(b.game.history().entries(), (Moves{2, 6}));
}

// 2, 6, 5 round and round turns the top-left 2 x 2 block: each borders the empty slot in its turn.
TEST_F(History, AFullHistoryBeepsAndLeavesTheBoardUnmovedAndATakeBackStillWorks)
{
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(b.game.MoveTile(std::int16_t("265"[i % 3] - '0'))) << i;
    const GameSnapshot full = b.snapshot();
    EXPECT_FALSE(b.game.MoveTile(6));
    EXPECT_TRUE(b.platform.beeps == 1 && b.snapshot() == full);
    EXPECT_TRUE(b.game.MoveTile(2));   // the newest move, taken back
    EXPECT_TRUE(b.platform.beeps == 1 && b.game.history().MoveCount() == 999);
}

// The worked example: 2 and 6 moved; 6 comes back first (51 passes), 0.3 s, then 2 (76 passes), 0.3 s.
// After another move it solves again; pressed again on the solved board, it does nothing at all.
TEST_F(History, SolveItPlaysTheNewestMoveFirstAndPausesAThirdOfASecondAfterEach)
{
    ASSERT_TRUE(b.game.MoveTile(2) && b.game.MoveTile(6));
    landed.clear();
    t0 = b.platform.now;
    b.game.solveOrStop();
    EXPECT_EQ(landed, (std::vector<std::pair<int, long>>{{6, 51}, {2, 51 + 300 + 76}}));
    EXPECT_EQ(elapsed(), 51 + 300 + 76 + 300);
    EXPECT_TRUE(b.snapshot() == solved);
    ASSERT_TRUE(b.game.MoveTile(2));   // 76 passes out, 76 back, 0.3 s
    b.game.solveOrStop();
    EXPECT_TRUE(b.snapshot() == solved);
    b.game.solveOrStop();
    EXPECT_EQ(elapsed(), 727 + 76 + 76 + 300);
}

// The second press comes while tile 6 is on its way back: 6 lands, 2 stays; a third press goes on.
TEST_F(History, PressingSolveItAgainStopsOnceTheTileInFlightLandsAndAThirdPressGoesOn)
{
    ASSERT_TRUE(b.game.MoveTile(2) && b.game.MoveTile(6));
    int passes = 0;
    b.platform.onEvents = [&] {
        if (++passes == 10)
            b.game.solveOrStop();
    };
    b.game.solveOrStop();
    EXPECT_EQ(passes, 51);
    EXPECT_EQ(b.game.history().entries(), Moves{2});
    EXPECT_TRUE(b.tiles.top(6) == 750 && b.tiles.left(2) == 0);
    b.platform.onEvents = nullptr;
    b.game.solveOrStop();
    EXPECT_TRUE(b.snapshot() == solved);
}
