// SPDX-License-Identifier: MIT
// The tile control array: what its listener hears of moved and batched tiles, what an area lookup finds.
#include "platform/control_listener.h"
#include "platform/tile_controls.h"

#include <gtest/gtest.h>

#include <set>

using namespace zp;

TEST(TileControls, ListenerGetsTheTouchedRectangleOrOneBatchNotice)
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
    t.create(2);
    t.show(2);
    r.areas.clear();
    t.move(2, 15, 0);
    EXPECT_EQ(r.areas, std::vector<TwipsRect>{(TwipsRect{0, 0, 423, 408})});
    t.beginBatch();
    t.create(3);
    t.show(3);
    t.move(3, 500, 0);
    t.endBatch();
    EXPECT_EQ(r.areas.size(), 1u);
    EXPECT_EQ(r.all, 1);
}

// Lookups by area: every visible tile the area overlaps, also one that starts a bucket before the area.
TEST(TileControls, AnAreaFindsEveryVisibleTileItOverlaps)
{
    TileControls t;
    std::vector<int> found;
    for (int k = 2; k <= 6; ++k) {   // 408 x 408 twips, side by side from x = 0; 6 stays hidden
        t.create(k);
        t.move(k, 408.f * (k - 2), 0);
        if (k < 6)
            t.show(k);
    }
    t.forEachVisibleIn({400, 0, 1240, 10}, [&](int k) { found.push_back(k); });
    t.move(3, 300, 0);   // sliding left: from x = 300 into the area at x = 500
    t.forEachVisibleIn({500, 0, 10, 10}, [&](int k) { found.push_back(k); });
    EXPECT_EQ(found, (std::vector<int>{2, 3, 4, 5, 3}));
}
