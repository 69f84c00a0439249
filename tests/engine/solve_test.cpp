// "Solve It!" and `delay`.
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {
bool solved(FakeBoard& b)
{
    for (int k = 2; k <= 16; ++k) {
        const auto [c, r] = b.slotOf(k);
        if (r * 4 + c + 1 != k)
            return false;
    }
    return b.game.EmptyLeft == 0 && b.game.EmptyTop == 0;
}
} // namespace

TEST(Solve, WorkedExampleRestoresTheSolvedBoardWithTwoPauses)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(301, 200));
    for (std::int16_t k : {2, 3, 3, 6})
        b.game.MoveTile(k);
    ASSERT_EQ(b.game.history.entries(), (std::vector<std::int16_t>{2, 6}));
    // Tile 6 goes home first, then tile 2.
    std::vector<std::pair<long, long>> slotOf6WhenTile2Moves;
    const float tile2Left = b.tiles.left(2);
    b.platform.onEvents = [&] {
        if (b.tiles.left(2) != tile2Left)
            slotOf6WhenTile2Moves.push_back(b.slotOf(6));
    };
    b.game.Command3_Click();
    EXPECT_TRUE(solved(b));
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_FALSE(b.game.solving());
    EXPECT_NEAR(b.platform.totalWaited, 0.6, 1e-9);
    ASSERT_FALSE(slotOf6WhenTile2Moves.empty());
    EXPECT_EQ(slotOf6WhenTile2Moves.front(), std::make_pair(1L, 1L));
}

TEST(Solve, PausesFollowEveryMoveIncludingTheLast)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    b.game.MoveTile(2);
    b.game.MoveTile(6);
    b.platform.eventStep = 0;   // slides take no time: only the pauses count
    const double start = b.platform.now;
    b.game.Command3_Click();
    EXPECT_NEAR(b.platform.now - start, 0.6, 1e-9);
}

TEST(Solve, EmptyHistoryDoesNothingAndReturnsAtOnce)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 200));
    const double start = b.platform.now;
    b.game.Command3_Click();
    EXPECT_EQ(b.platform.now, start);
    EXPECT_EQ(b.platform.processEventsCalls, 0);
    EXPECT_EQ(b.game.history.MoveCount(), 0);
}

TEST(Delay, NeverReturnsEarlyAndZeroReturnsAtOnce)
{
    FakeBoard b;
    b.platform.now = 86399.9;   // the fake clock is monotonic: midnight means nothing to it
    const double start = b.platform.now;
    b.game.delay(0.3);
    EXPECT_GE(b.platform.now, start + 0.3);
    const double before = b.platform.now;
    b.game.delay(0);
    b.game.delay(-1);
    EXPECT_EQ(b.platform.now, before);
}

// A wait that wakes early (a timer firing a little before its time) keeps waiting.
TEST(Delay, EarlyWakeUpsWaitAgain)
{
    struct EarlyPlatform : FakePlatform {
        int waits = 0;
        void waitUntil(double deadline) override
        {
            ++waits;
            now = std::max(now, deadline - 0.01 * (waits < 3));
        }
    };
    EarlyPlatform p;
    TileControls tiles;
    PlayAreaControl area;
    PictureClip clip;
    FakeFormFrame form;
    FakeSizeFields size;
    Game game{GameParts{p, tiles, area, clip, form, size}};
    const double start = p.now;
    game.delay(0.3);
    EXPECT_GE(p.now, start + 0.3);
    EXPECT_EQ(p.waits, 3);
}
