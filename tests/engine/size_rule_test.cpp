// SPDX-License-Identifier: MIT
// The size rule at its edges: the texts it takes, the smallest and largest boards, 1-pixel tiles, huge
// numbers.
#include "engine/size_rule.h"
#include "platform/picture.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using namespace zp;

TEST(SizeRule, TakesWholeNumbersThatMakeAUsableBoard)
{
    const QString huge = "99999999999999999999", wraps = "18446744073709551617";   // 2^64 + 1
    // Columns, rows, the picture's sides (0: none yet), then the size, 0 x 0 when refused. 32,767 slots at
    // most: 32,766 tiles.
    const std::tuple<QString, QString, int, int, int, int> cases[] = {
        {"+4", "3", 0, 0, 4, 3},        {"4.0", "3", 0, 0, 4, 3},
        {"4,0", "3", 0, 0, 4, 3},       {" +12,000 ", "\t07 ", 0, 0, 12, 7},
        {"1", "32767", 0, 0, 1, 32767}, {"32767", "1", 0, 0, 32767, 1},
        {"2", "16384", 0, 0, 0, 0},     {"32768", "1", 0, 0, 0, 0},
        {"1", "32768", 0, 0, 0, 0},     {"4", "4", 4, 4, 4, 4},
        {"5", "4", 4, 4, 0, 0},         {"4", "5", 4, 4, 0, 0},
        {huge, huge, 0, 0, 0, 0},       {wraps, "1", 0, 0, 0, 0},
        {"1", wraps, 0, 0, 0, 0}};
    for (const auto& [cols, rows, w, h, c, r] : cases)
        EXPECT_EQ(usableGridSize(cols, rows, w, h), c ? std::optional(GridSize{c, r}) : std::nullopt)
            << qPrintable(cols + " x " + rows) << " on " << w << " x " << h;
    for (const char* text :
         {"4.5", "4,01", "4.", ".0", "++4", "+ 4", "-4", "4e0", "0", "+0.0", "4.0.0", "", "a"})
        EXPECT_FALSE(usableGridSize(QString::fromLatin1(text), u"3")) << text << ": no whole number";
    EXPECT_EQ(parseWholeNumber(huge), MaxWholeNumber);
    EXPECT_FALSE(parseWholeNumber(u"+4"));   // counts and moves in a file stay plain digits
    const int big = MaxPictureSide;
    const std::tuple<int, int, bool> pictures[] = {
        {1, 1, true}, {big, big, true}, {0, 1, false}, {big + 1, 1, false}, {1, big + 1, false}};
    for (auto [w, h, cut] : pictures)
        EXPECT_EQ(bool(cutGrid(w, h, u"1", u"1")), cut) << "a picture of " << w << " x " << h;
}
