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
    const auto in = [&](TwipsRect area) {
        std::set<int> found;
        t.forEachVisibleIn(area, [&](int k) { found.insert(k); });
        return found;
    };
    EXPECT_EQ(in({0, 0, 100, 100}), std::set<int>{});
    EXPECT_EQ(in({150, 150, 10, 10}), std::set<int>{6});
    EXPECT_EQ(in({99, 99, 2, 2}), (std::set<int>{2, 5, 6}));
    t.move(6, 55, 100);   // half way into the slot at (0, 100)
    EXPECT_EQ(in({50, 150, 10, 10}), (std::set<int>{5, 6}));
    EXPECT_EQ(in({140, 150, 10, 10}), std::set<int>{6});
    EXPECT_EQ(in({170, 150, 10, 10}), std::set<int>{});
    EXPECT_EQ(in({-1000, -1000, 5000, 5000}).size(), 15u);
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
