// The tile an arrow key moves, and the size texts the shared size rule takes.
#include "engine/arrow_key.h"
#include "engine/size_rule.h"
#include "tests/fake/fake_board.h"

#include <gtest/gtest.h>

using namespace zp;

TEST(TileForArrow, IsTheNeighbourOnTheFarSideOfTheEmptySlotOrNone)
{
    // 3 x 3; after tile 2 left: empty top middle; after tile 5 up as well: empty in the centre.
    struct Case { std::vector<std::int16_t> moves; std::int16_t left, right, up, down; };
    for (const Case& c : {Case{{}, 2, 0, 4, 0}, Case{{2}, 3, 2, 5, 0}, Case{{2, 5}, 6, 4, 8, 5}}) {
        test::FakeBoard b;
        ASSERT_TRUE(b.build(300, 300, "3", "3"));
        for (const std::int16_t k : c.moves)
            ASSERT_TRUE(b.game.MoveTile(k));
        const auto tile = [&](Arrow a) { return tileForArrow(b.tiles, b.game.EmptyLeft, b.game.EmptyTop, a); };
        EXPECT_EQ(tile(Arrow::Left), c.left) << c.moves.size();
        EXPECT_EQ(tile(Arrow::Right), c.right) << c.moves.size();
        EXPECT_EQ(tile(Arrow::Up), c.up) << c.moves.size();
        EXPECT_EQ(tile(Arrow::Down), c.down) << c.moves.size();
    }
}

TEST(SizeRule, TakesWholeNumbersWrittenWithAPlusOrZeroFractionAndNothingElse)
{
    const std::pair<const char*, int> taken[] = {{" 4\t", 4}, {"+4", 4}, {"4.0", 4}, {"4,0", 4},
                                                 {"+5.00", 5}, {" +12,000 ", 12}};
    for (const auto& [text, cols] : taken)
        EXPECT_EQ(usableGridSize(QString::fromLatin1(text), u"3"), (GridSize{cols, 3})) << text;
    for (const char* text : {"4.5", "4,01", "4.", ".0", "+", "++4", "-4", "4e0", "+0.0", "4.0.0",
                             "4 .0", "+ 4", ""})
        EXPECT_FALSE(usableGridSize(QString::fromLatin1(text), u"3")) << text;
    EXPECT_FALSE(parseWholeNumber(u"+4"));   // counts and moves in a file stay plain digits
}
