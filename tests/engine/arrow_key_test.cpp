// SPDX-License-Identifier: MIT
// The tile an arrow key moves: the neighbour on the far side of the empty slot.
#include "engine/arrow_key.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;

TEST(TileForArrow, IsTheNeighbourOnTheFarSideOfTheEmptySlotOrNone)
{
    // 3 x 3; after tile 2 left: empty top middle; after tile 5 up as well: empty in the centre.
    struct Case {
        std::vector<std::int16_t> moves;
        std::int16_t left, right, up, down;
    };
    for (const Case& c : {Case{{}, 2, 0, 4, 0}, Case{{2}, 3, 2, 5, 0}, Case{{2, 5}, 6, 4, 8, 5}}) {
        test::FakeBoard b;
        ASSERT_TRUE(b.build(300, 300, "3", "3"));
        for (const std::int16_t k : c.moves)
            ASSERT_TRUE(b.game.MoveTile(k));
        const auto tile = [&](Arrow a) {
            return tileForArrow(b.tiles, b.game.EmptyLeft, b.game.EmptyTop, a);
        };
        const std::vector<std::int16_t> found{tile(Arrow::Left), tile(Arrow::Right), tile(Arrow::Up),
                                              tile(Arrow::Down)};
        EXPECT_EQ(found, (std::vector<std::int16_t>{c.left, c.right, c.up, c.down})) << c.moves.size();
    }
}
