// SPDX-License-Identifier: MIT
// The game on fake controls: the move rule and the slide, the history and "Solve It!", what the views hear, a
// board off screen, a change of the screen's factors.
#include "engine/board_observer.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

// 15 twips a pixel; 301 x 200 pixels cut 4 x 4: tiles of 75 x 50 pixels, 1125 x 750 twips, 76 steps across
// and 51 down. Each event pass takes a millisecond of the fake clock. The game's views are heard: each new
// board, and each landed move with the milliseconds since t0; by then the tile must stand in its new slot.
struct GameTest : ::testing::Test, BoardObserver {
    FakeBoard b;
    GameSnapshot solved;
    double t0 = 0;
    QStringList heard;
    void SetUp() override
    {
        b.game.addObserver(*this);
        ASSERT_TRUE(b.build(301, 200));
        solved = b.snapshot();
        t0 = b.platform.now;
    }
    long elapsed() const { return std::lround((b.platform.now - t0) * 1000); }
    void moveLanded(std::int16_t k) override
    {
        const TwipsRect& t = b.tiles[k].rect;   // next to the empty slot, the one it left
        const BoardState& e = b.game.board();
        EXPECT_EQ(std::abs(t.left - e.EmptyLeft) / t.width + std::abs(t.top - e.EmptyTop) / t.height, 1)
            << "as " << k << " lands";
        heard << QString("%1 after %2 ms").arg(k).arg(elapsed());
    }
    void boardChanged() override { heard << "board"; }
    void play(const Moves& moves)
    {
        for (std::int16_t k : moves)
            EXPECT_TRUE(b.game.MoveTile(k)) << k;
    }
};

// The tiles right of the empty slot, below, above and left of it in turn: n + 1 places for n pixels, one
// pixel apart, each followed by an event pass; then the slot left is empty.
TEST_F(GameTest, AnNPixelSlideShowsNPlusOnePlacesEachWithAnEventPass)
{
    for (auto [k, vertical, from, to, places] : {std::tuple{2, false, 1125.f, 0.f, 76},
                                                 {6, true, 750.f, 0.f, 51},
                                                 {6, true, 0.f, 750.f, 51},
                                                 {2, false, 0.f, 1125.f, 76}}) {
        std::vector<float> seen, expected;   // where the tile stands at each event pass
        for (int i = 0; i < places; ++i)
            expected.push_back(from + (to > from ? 15.f : -15.f) * float(i));
        b.platform.onEvents = [&, k = k, vertical = vertical] {
            seen.push_back(vertical ? b.tiles.top(k) : b.tiles.left(k));
        };
        EXPECT_TRUE(b.game.MoveTile(std::int16_t(k)));
        EXPECT_EQ(seen, expected) << "tile " << k << ": n + 1 places, an event pass after each";
        EXPECT_EQ(vertical ? b.game.board().EmptyTop : b.game.board().EmptyLeft, from);
    }
    EXPECT_EQ(b.platform.processEventsCalls, 76 + 51 + 51 + 76);
}

TEST_F(GameTest, ATileNotBesideTheEmptySlotStaysPut)
{
    for (std::int16_t k : {3, 9, 6, 16})
        EXPECT_FALSE(b.game.MoveTile(k)) << k;
    EXPECT_TRUE(b.snapshot() == solved);
    EXPECT_EQ(b.platform.processEventsCalls, 0);
}

// Tile indexes are 16-bit: 32,767 slots at most, so 32,766 tiles, numbered 2 to 32767.
TEST_F(GameTest, TheLargestBoardHas32766Tiles)
{
    ASSERT_TRUE(b.build(1, 32767, "1", "32767"));
    EXPECT_TRUE(b.tiles.exists(2) && b.tiles.exists(32767) && !b.tiles.exists(1));
    EXPECT_FALSE(b.build(2, 32767, "2", "16384"));
}

TEST_F(GameTest, MovingTheLastMovedTileAgainTakesItsMoveBack)
{
    play({2, 3, 3, 6});
    EXPECT_EQ(b.game.history().entries(), (Moves{2, 6}));
}

// 2, 6, 5 round and round turns the top-left 2 x 2 block: each borders the empty slot in its turn.
TEST_F(GameTest, TheHistoryHoldsAThousandMoves)
{
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(b.game.MoveTile(std::int16_t("265"[i % 3] - '0'))) << i;
    const GameSnapshot full = b.snapshot();
    EXPECT_FALSE(b.game.MoveTile(6));
    EXPECT_TRUE(b.platform.beeps == 1 && b.snapshot() == full) << "a 1001st move beeps, the board unmoved";
    EXPECT_TRUE(b.game.MoveTile(2));   // the newest move, taken back
    EXPECT_TRUE(b.platform.beeps == 1 && b.game.history().MoveCount() == 999) << "a take-back still works";
}

// The worked example: 2 and 6 moved; 6 comes back first (51 passes), 0.3 s, then 2 (76 passes), 0.3 s.
// After another move it solves again; pressed again on the solved board, it does nothing at all.
TEST_F(GameTest, SolveItTakesEveryMoveBackNewestFirst)
{
    play({2, 6});
    heard.clear();
    t0 = b.platform.now;
    b.game.solveOrStop();
    EXPECT_EQ(heard, (QStringList{"6 after 51 ms", "2 after 427 ms"})) << "newest first, 0.3 s after each";
    EXPECT_EQ(elapsed(), 51 + 300 + 76 + 300) << "0.3 s after the last";
    EXPECT_TRUE(b.snapshot() == solved);
    play({2});   // 76 passes out, 76 back, 0.3 s
    b.game.solveOrStop();
    EXPECT_TRUE(b.snapshot() == solved) << "a finished solution can go again";
    b.game.solveOrStop();
    EXPECT_EQ(elapsed(), 727 + 76 + 76 + 300) << "on the solved board it does nothing";
}

// The second press comes while tile 6 is on its way back: 6 lands, 2 stays; a third press goes on.
TEST_F(GameTest, SolveItPressedAgainStopsOnceTheTileInFlightLands)
{
    play({2, 6});
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
    EXPECT_TRUE(b.snapshot() == solved) << "a third press goes on";
}

// Tile 4 is not next to the empty slot; a replay is heard move by move and then as a new board; "Solve It!"
// takes 3, then 2 back after 0.3 s. Once removed, a view hears nothing.
TEST_F(GameTest, ViewsHearEachLandedMoveOnceInPlaceWithEachNewBoard)
{
    play({2});
    EXPECT_FALSE(b.game.MoveTile(4));
    b.game.replay({3});
    b.game.solveOrStop();
    EXPECT_EQ(heard,
              (QStringList{"board", "2 after 76 ms", "3 after 152 ms", "board", "3 after 228 ms",
                           "2 after 604 ms"}));
    b.game.removeObserver(*this);
    play({2});
    EXPECT_EQ(heard.size(), 6) << "a view removed hears nothing";
}

// Tile 2 goes left (76 steps), 6 up (51), 7 left (76), 3 down (51); 9 is not next to the empty slot.
TEST_F(GameTest, AHiddenBoardReplaysEachMoveInOneStep)
{
    FakeBoard hidden;
    ASSERT_TRUE(hidden.build(301, 200));
    hidden.game.setBoardShown(false);
    for (FakeBoard* board : {&b, &hidden})
        board->game.replay({2, 6, 7, 3, 9});
    EXPECT_TRUE(snapshotOf(hidden.game, hidden.tiles) == snapshotOf(b.game, b.tiles)) << "to the same places";
    EXPECT_EQ(hidden.game.history().MoveCount(), 4);
    EXPECT_EQ(b.platform.processEventsCalls, 76 + 51 + 76 + 51);
    EXPECT_EQ(hidden.platform.processEventsCalls, 4);
    hidden.game.setBoardShown(true);
    ASSERT_TRUE(hidden.game.MoveTile(3));   // back up: 51 steps
    EXPECT_EQ(hidden.platform.processEventsCalls, 4 + 51) << "shown, it slides again";
}

// 7 x 3 tiles, the empty slot off the top row: 2x, then 1.25x while tile 17 slides: every tile stays on its
// slot (and the moves made lead back to the solved board from where the tiles are), each later move works and
// "Solve It!" reaches the solved board.
TEST_F(GameTest, ANewScreenScaleKeepsEveryTileOnItsSlot)
{
    ASSERT_TRUE(b.build(301, 203, "7", "3"));
    play({2, 9, 10});
    b.platform.tppx = b.platform.tppy = 7.5;
    b.game.factorsChanged();
    EXPECT_EQ(b.fault().toStdString(), "");
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
    EXPECT_TRUE(b.game.history().MoveCount() == 0 && b.fault() == "") << "Solve It! reaches the solved board";
}
