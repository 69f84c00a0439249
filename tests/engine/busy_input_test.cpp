// Input that arrives while a tile slides, a solution runs or a file's moves replay.
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {

// A 4 x 4 board on a 300 x 200 picture; `inject` runs once, at the n-th event-processing call.
struct Busy : FakeBoard {
    Busy() { EXPECT_TRUE(build(300, 200)); }
    void at(int n, std::function<void()> inject)
    {
        auto calls = std::make_shared<int>(0);
        platform.onEvents = [calls, n, inject] {
            if (++*calls == n)
                inject();
        };
    }
    QString fault() const { return boardFault(game, tiles, 15, 15); }
};

} // namespace

TEST(BusyInput, TilePressDuringASlideIsIgnored)
{
    Busy b;
    b.at(10, [&] { b.game.Image1_MouseDown(5); });   // 5 borders the slot tile 2 is leaving for
    b.game.Image1_MouseDown(2);
    EXPECT_EQ(b.game.history.entries(), std::vector<std::int16_t>{2});
    EXPECT_EQ(b.slotOf(5), std::make_pair(0L, 1L));
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, CommandDuringASlideRunsWhenTheTileHasLanded)
{
    Busy b;
    int ran = 0;
    b.at(10, [&] {
        b.game.runCommand([&] {
            ++ran;
            EXPECT_EQ(b.game.EmptyLeft, 1125.f);   // the slide finished and was recorded
            EXPECT_EQ(b.fault(), "");
        });
        EXPECT_EQ(ran, 0);
    });
    b.game.Image1_MouseDown(2);
    EXPECT_EQ(ran, 1);
}

TEST(BusyInput, SolvePressedDuringAClickSlideRunsAfterIt)
{
    Busy b;
    b.game.Image1_MouseDown(2);
    b.at(10, [&] { b.game.Command3_Click(); });
    b.game.Image1_MouseDown(3);
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.slotOf(2), std::make_pair(1L, 0L));
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, SolvePressedMidSolutionStopsAndResumes)
{
    Busy b;
    for (std::int16_t k : {2, 3, 4, 8})
        b.game.Image1_MouseDown(k);
    // Stop while the first played-back tile (8) is in flight: it lands, nothing more moves.
    b.at(5, [&] { b.game.Command3_Click(); });
    b.game.Command3_Click();
    EXPECT_FALSE(b.game.solving());
    EXPECT_EQ(b.game.history.entries(), (std::vector<std::int16_t>{2, 3, 4}));
    EXPECT_EQ(b.fault(), "");
    // Stop in a pause (the first wait comes after 51 slide steps).
    b.platform.onEvents = nullptr;
    int waits = 0;
    b.platform.onEvents = [&] {
        if (b.game.solving() && !b.game.sliding() && ++waits == 1)
            b.game.Command3_Click();
    };
    b.game.Command3_Click();
    EXPECT_EQ(b.game.history.entries(), (std::vector<std::int16_t>{2, 3}));
    EXPECT_EQ(b.fault(), "");
    b.platform.onEvents = nullptr;
    b.game.Command3_Click();   // goes on from there
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, DuringASolutionPauseTilesAreIgnoredAndCommandsRunAtOnce)
{
    Busy b;
    for (std::int16_t k : {2, 3, 4})
        b.game.Image1_MouseDown(k);
    int saved = -1;
    b.platform.onEvents = [&] {
        if (b.game.solving() && !b.game.sliding() && saved < 0) {
            b.game.Image1_MouseDown(3);
            b.game.runCommand([&] { saved = b.game.history.MoveCount(); });
            EXPECT_EQ(b.fault(), "");
        }
    };
    b.game.Command3_Click();
    EXPECT_EQ(saved, 2);   // the played move was already off the history
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, ANewBoardDuringAPauseEndsTheSolution)
{
    Busy b;
    for (std::int16_t k : {2, 3, 4})
        b.game.Image1_MouseDown(k);
    bool rebuilt = false;
    b.platform.onEvents = [&] {
        if (b.game.solving() && !b.game.sliding() && !rebuilt) {
            rebuilt = true;
            b.game.runCommand([&] { b.game.NewPuzzle(); });
        }
    };
    b.game.Command3_Click();
    EXPECT_TRUE(rebuilt);
    EXPECT_FALSE(b.game.solving());
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.slotOf(4), std::make_pair(3L, 0L));   // solved board, nothing played on it
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, ReplayDefersCommandsAndIgnoresTiles)
{
    Busy b;
    std::vector<int> ranAtCount;
    b.at(3, [&] {
        b.game.Image1_MouseDown(9);
        b.game.runCommand([&] { ranAtCount.push_back(b.game.history.MoveCount()); });
        b.game.Command3_Click();
    });
    b.game.runCommand([&] { EXPECT_TRUE(b.game.replay({2, 6, 16, 7})); });
    // 16 borders nothing and is left out; the deferred command ran after the whole replay,
    // then the deferred "Solve It!" solved the board.
    EXPECT_EQ(ranAtCount, std::vector<int>{3});
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, ClosingEndsLoopsAndDropsEverything)
{
    Busy b;
    int ran = 0;
    b.at(10, [&] {
        b.game.runCommand([&] { ++ran; });
        b.game.close();
    });
    b.game.Image1_MouseDown(2);
    EXPECT_EQ(ran, 0);
    EXPECT_LT(b.platform.processEventsCalls, 76);
    const int calls = b.platform.processEventsCalls;
    b.game.Image1_MouseDown(5);
    b.game.Command3_Click();
    b.game.runCommand([&] { ++ran; });
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(b.platform.processEventsCalls, calls);
}

TEST(BusyInput, ClosingDuringAPauseEndsTheWait)
{
    Busy b;
    b.game.Image1_MouseDown(2);
    b.game.Image1_MouseDown(3);
    b.platform.onEvents = [&] {
        if (b.game.solving() && !b.game.sliding())
            b.game.close();
    };
    const double start = b.platform.now;
    b.game.Command3_Click();
    EXPECT_LT(b.platform.now - start, 0.3);
    EXPECT_TRUE(b.platform.interrupted);
}
