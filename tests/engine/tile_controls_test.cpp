// SPDX-License-Identifier: MIT
// The tile control array: what its listener is told of moved and batched tiles.
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
