// The tile control array: copies of element 0, removal, and the spatial lookup used for painting.
#include "platform/control_listener.h"
#include "platform/tile_controls.h"

#include <gtest/gtest.h>

#include <set>

using namespace zp;

namespace {
std::set<int> visibleIn(const TileControls& t, TwipsRect area)
{
    std::set<int> found;
    t.forEachVisibleIn(area, [&](int k) { found.insert(k); });
    return found;
}

struct Recorder : ControlListener {
    std::vector<TwipsRect> areas;
    int all = 0;
    void areaChanged(const TwipsRect& a) override { areas.push_back(a); }
    void allChanged() override { ++all; }
    void geometryChanged() override {}
};
} // namespace

TEST(TileControls, NewElementIsAHiddenCopyOfElementZero)
{
    TileControls t;
    t.setWidth(0, 300);
    t.setPicture(0, 0);
    t.move(0, 15, 30);
    t.create(5);
    EXPECT_EQ(t[5].rect, (TwipsRect{15, 30, 300, 408}));
    EXPECT_EQ(t[5].cell, 0);
    EXPECT_FALSE(t[5].visible);
    EXPECT_FALSE(t.exists(4));
    t.remove(5);
    EXPECT_FALSE(t.exists(5));
    EXPECT_EQ(t.end(), 1);
}

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
    EXPECT_EQ(visibleIn(t, {0, 0, 100, 100}), std::set<int>{});
    EXPECT_EQ(visibleIn(t, {150, 150, 10, 10}), std::set<int>{6});
    EXPECT_EQ(visibleIn(t, {99, 99, 2, 2}), (std::set<int>{2, 5, 6}));
    t.move(6, 55, 100);   // half way into the slot at (0, 100)
    EXPECT_EQ(visibleIn(t, {50, 150, 10, 10}), (std::set<int>{5, 6}));
    EXPECT_EQ(visibleIn(t, {140, 150, 10, 10}), std::set<int>{6});
    EXPECT_EQ(visibleIn(t, {170, 150, 10, 10}), std::set<int>{});
    EXPECT_EQ(visibleIn(t, {-1000, -1000, 5000, 5000}).size(), 15u);
}

TEST(TileControls, ListenerGetsTheTouchedRectangleOrOneBatchNotice)
{
    TileControls t;
    Recorder r;
    t.setListener(&r);
    t.create(2);
    t.show(2);
    r.areas.clear();
    t.move(2, 15, 0);
    ASSERT_EQ(r.areas.size(), 1u);
    EXPECT_EQ(r.areas[0], (TwipsRect{0, 0, 423, 408}));
    t.beginBatch();
    t.create(3);
    t.show(3);
    t.move(3, 500, 0);
    t.endBatch();
    EXPECT_EQ(r.areas.size(), 1u);
    EXPECT_EQ(r.all, 1);
}
