// SPDX-License-Identifier: MIT
// Painting at the display's pace: what a slide asks its view to paint, on the fake clock.
#include "platform/frame_pacer.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;

namespace {
// Each paint asked for: the steps taken by then, "!" if to be painted at once, "?" if its area
// misses the tile's place then or at the paint before (still to be erased).
struct PaintLog : PacedView {
    const test::FakeBoard& b;
    std::int16_t tile;
    QStringList asks;
    QRectF last;
    PaintLog(const test::FakeBoard& board, std::int16_t k) : b(board), tile(k) {}
    void ask(const TwipsRect& a, const char* how)
    {
        const TwipsRect& t = b.tiles[tile].rect;
        const QRectF area(a.left, a.top, a.width, a.height), place(t.left, t.top, t.width, t.height);
        const bool covered = area.contains(place) && (last.isNull() || area.contains(last));
        asks << QString::number(b.platform.processEventsCalls) + how + (covered ? "" : "?");
        last = place;
    }
    void areaChanged(const TwipsRect& a) override { ask(a, ""); }
    void paintNow(const TwipsRect& a) override { ask(a, "!"); }
    void allChanged() override {}
    void geometryChanged() override {}
};
}   // namespace

// Tiles of 75 x 50 pixels, 76 or 51 steps, each followed by events that take the fake clock a
// millisecond. A step is handed on once a frame interval has passed since the last: at 60 Hz
// (16.7 ms) steps 0, 17, 34, ...; at 144 Hz (6.9 ms) steps 0, 7, 14, ...; an unknown rate counts
// as 60 Hz. The landing, after the last step's events, is painted at once.
TEST(FramePacer, ASlidePaintsOncePerFrameThenAtOnceWhenItLands)
{
    using Case = std::tuple<double, std::int16_t, const char*>;   // refresh rate, tile, paints asked for
    for (const auto& [hertz, tile, asks] :
         {Case{60, 2, "0 17 34 51 68 76!"}, Case{144, 2, "0 7 14 21 28 35 42 49 56 63 70 76!"},
          Case{0, 2, "0 17 34 51 68 76!"}, Case{60, 5, "0 17 34 51!"}}) {
        test::FakeBoard b;
        ASSERT_TRUE(b.build(301, 200));
        PaintLog log(b, tile);
        FramePacer pacer(b.platform, log);
        pacer.setRefreshRate(hertz);
        b.tiles.setListener(&pacer);
        ASSERT_TRUE(b.game.MoveTile(tile));
        pacer.moveLanded();   // as the window does when the game says the move landed
        EXPECT_EQ(log.asks.join(' ').toStdString(), asks) << hertz << " Hz, tile " << tile;
    }
}
