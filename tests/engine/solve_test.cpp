// "Solve It!", `delay`, and input arriving while a tile slides, a solution runs or moves replay.
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {

// A 4 x 4 board on a w x h picture with `moves` played on it.
struct Busy : FakeBoard {
    explicit Busy(const Moves& moves = {}, int w = 300, int h = 200)
    {
        EXPECT_TRUE(build(w, h));
        for (std::int16_t k : moves)
            EXPECT_TRUE(game.MoveTile(k)) << k;
    }
    // Runs `inject` once, at the first event-processing call for which `when` holds.
    void once(std::function<bool()> when, std::function<void()> inject)
    {
        platform.onEvents = [=, done = std::make_shared<bool>(false)] {
            if (!*done && (*done = when()))
                inject();
        };
    }
    void at(int n, std::function<void()> inject)
    {
        once([n, calls = std::make_shared<int>(0)] { return ++*calls == n; }, inject);
    }
    void inPause(std::function<void()> inject)
    {
        once([this] { return game.solving() && !game.sliding(); }, inject);
    }
};

} // namespace

TEST(Solve, WorkedExampleRestoresTheSolvedBoardTileSixFirstWithTwoPausesThenNothingIsLeft)
{
    Busy b({2, 3, 3, 6}, 301, 200);
    ASSERT_EQ(b.game.history.entries(), (Moves{2, 6}));
    std::pair<long, long> slotOf6{-1, -1};   // as soon as tile 2 leaves its slot
    const float tile2Left = b.tiles.left(2);
    b.once([&] { return b.tiles.left(2) != tile2Left; }, [&] { slotOf6 = b.slotOf(6); });
    b.game.Command3_Click();
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.fault(), "");   // with an empty history: the solved board
    EXPECT_FALSE(b.game.solving());
    EXPECT_NEAR(b.platform.totalWaited, 0.6, 1e-9);   // a pause after each move, the last too
    EXPECT_EQ(slotOf6, std::make_pair(1L, 1L));
    const int events = b.platform.processEventsCalls;
    const double end = b.platform.now;
    b.game.Command3_Click();   // nothing left to solve: returns at once
    EXPECT_EQ(b.platform.processEventsCalls, events);
    EXPECT_EQ(b.platform.now, end);
}

// Timers may fire a little early; the fake clock is monotonic, so midnight means nothing to it.
TEST(Delay, NeverReturnsEarlyAndZeroReturnsAtOnce)
{
    struct EarlyPlatform : FakePlatform {
        int waits = 0;
        void waitUntil(double deadline) override
        {
            ++waits;
            now = std::max(now, deadline - 0.01 * (waits < 3));
        }
    } p;
    TileControls tiles;
    PlayAreaControl area;
    PictureClip clip;
    FakeFormFrame form;
    FakeSizeFields size;
    Game game{GameParts{p, tiles, area, clip, form, size}};
    p.now = 86399.9;
    game.delay(0.3);
    EXPECT_GE(p.now, 86399.9 + 0.3);
    EXPECT_EQ(p.waits, 3);
    const double before = p.now;
    game.delay(0);
    game.delay(-1);
    EXPECT_EQ(p.now, before);
}

TEST(BusyInput, DuringASlideTilesAreIgnoredAndCommandsAndSolveWaitForTheLanding)
{
    Busy b;
    int ran = 0;
    b.at(10, [&] {
        b.game.Image1_MouseDown(5);   // borders the slot tile 2 is leaving for
        b.game.runCommand([&] {
            ++ran;
            EXPECT_EQ(b.game.EmptyLeft, 1125.f);
            EXPECT_EQ(b.game.history.entries(), Moves{2});
            EXPECT_EQ(b.fault(), "");
        });
        b.game.Command3_Click();
        EXPECT_EQ(ran, 0);
    });
    b.game.Image1_MouseDown(2);
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.slotOf(2), std::make_pair(1L, 0L));
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, SolvePressedMidSlideOrInAPauseStopsAndPressedAgainResumes)
{
    Busy b({2, 3, 4, 8});
    b.at(5, [&] { b.game.Command3_Click(); });   // tile 8 in flight: it lands, nothing more
    b.game.Command3_Click();
    EXPECT_FALSE(b.game.solving());
    EXPECT_EQ(b.game.history.entries(), (Moves{2, 3, 4}));
    EXPECT_EQ(b.fault(), "");
    b.inPause([&] { b.game.Command3_Click(); });
    b.game.Command3_Click();
    EXPECT_EQ(b.game.history.entries(), (Moves{2, 3}));
    EXPECT_EQ(b.fault(), "");
    b.platform.onEvents = nullptr;
    b.game.Command3_Click();
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, InAPauseTilesAreIgnoredCommandsRunAtOnceAndANewBoardEndsTheSolution)
{
    Busy b({2, 3, 4});
    int saved = -1;
    bool rebuilt = false;
    b.inPause([&] {
        b.game.Image1_MouseDown(3);
        b.game.runCommand([&] { saved = b.game.history.MoveCount(); });
        b.inPause([&] { b.game.runCommand([&] { rebuilt = b.game.NewPuzzle(); }); });
    });
    b.game.Command3_Click();
    EXPECT_EQ(saved, 2);      // the played move was already off the history
    EXPECT_TRUE(rebuilt);     // the solution went on to its next pause
    EXPECT_FALSE(b.game.solving());
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_EQ(b.slotOf(4), std::make_pair(3L, 0L));   // nothing played on the new board
    EXPECT_EQ(b.fault(), "");
}

TEST(BusyInput, ReplayDefersCommandsIgnoresTilesAndLeavesNoOpMovesOut)
{
    Busy b;
    std::vector<int> ranAtCount;
    b.at(3, [&] {
        b.game.Image1_MouseDown(9);
        b.game.runCommand([&] { ranAtCount.push_back(b.game.history.MoveCount()); });
        b.game.Command3_Click();
    });
    b.game.runCommand([&] { EXPECT_TRUE(b.game.replay({2, 6, 16, 7})); });
    // 16 borders nothing; after the whole replay the command ran, then "Solve It!" solved it.
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
    Busy b({2, 3});
    b.inPause([&] { b.game.close(); });
    const double start = b.platform.now;
    b.game.Command3_Click();
    EXPECT_LT(b.platform.now - start, 0.3);
    EXPECT_TRUE(b.platform.interrupted);
}
