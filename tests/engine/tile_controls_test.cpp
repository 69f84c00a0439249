// SPDX-License-Identifier: MIT
// The tile control array: which tiles overlap a rectangle, also in flight, and what the listener is told.
#include "platform/control_listener.h"
#include "platform/tile_controls.h"

#include <gtest/gtest.h>

#include <set>

using namespace zp;

TEST(TileControls, LookupFindsExactlyTheOverlappingTilesAlsoInFlight)
{
    TileControls t;
    t.setWidth(0, 100);
    t.setHeight(0, 100);
    for (int k = 2; k <= 16; ++k) {
        t.create(k);
        t.move(k, float((k - 1) % 4 * 100), float((k - 1) / 4 * 100));
        t.show(k);
    }
    t.move(6, 55, 100);   // half way into the slot at (0, 100)
    const std::pair<TwipsRect, std::set<int>> cases[] = {{{0, 0, 100, 100}, {}},
                                                         {{99, 99, 2, 2}, {2, 5, 6}},
                                                         {{50, 150, 10, 10}, {5, 6}},
                                                         {{140, 150, 10, 10}, {6}},
                                                         {{170, 150, 10, 10}, {}}};
    for (const auto& [area, tiles] : cases) {
        std::set<int> found;
        t.forEachVisibleIn(area, [&](int k) { found.insert(k); });
        EXPECT_EQ(found, tiles) << area.left << "," << area.top;
    }
}

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
