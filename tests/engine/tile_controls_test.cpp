// SPDX-License-Identifier: MIT
// The tile control array: what its listener hears of moved and batched tiles, what an area lookup finds.
#include "platform/control_listener.h"
#include "platform/tile_controls.h"

#include <gtest/gtest.h>

using namespace zp;

// Tiles 2..6 of 408 x 408 twips side by side from x = 0, 6 hidden. A move is heard as the rectangle it
// touched, a batch as one notice. An area finds every visible tile it overlaps, also one that slid in from
// the bucket before the area's.
TEST(TileControls, TellViewsWhichTilesAChangeTouched)
{
    struct Recorder : ControlListener {
        std::vector<TwipsRect> areas;
        int all = 0;
        void areaChanged(const TwipsRect& a) override { areas.push_back(a); }
        void allChanged() override { ++all; }
        void geometryChanged() override {}
    } r;
    TileControls t;
    t.setListener(&r);
    t.beginBatch();
    for (int k = 2; k <= 6; ++k) {
        t.create(k);
        t.move(k, 408.f * (k - 2), 0);
        if (k < 6)
            t.show(k);
    }
    t.endBatch();
    t.move(2, 15, 0);
    EXPECT_EQ(r.areas, std::vector<TwipsRect>{(TwipsRect{0, 0, 423, 408})}) << "a move: what it touched";
    EXPECT_EQ(r.all, 1) << "a batch: one notice";
    std::vector<int> found;
    t.forEachVisibleIn({400, 0, 1240, 10}, [&](int k) { found.push_back(k); });
    t.move(3, 300, 0);   // sliding left: from x = 300 into the area at x = 500
    t.forEachVisibleIn({500, 0, 10, 10}, [&](int k) { found.push_back(k); });
    EXPECT_EQ(found, (std::vector<int>{2, 3, 4, 5, 3})) << "an area finds every visible tile in it";
}
