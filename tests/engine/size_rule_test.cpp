// SPDX-License-Identifier: MIT
// The size rule at its edges: the texts it takes, the smallest and largest boards, 1-pixel tiles, huge
// numbers.
#include "engine/size_rule.h"
#include "platform/picture.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>

using namespace zp;

TEST(SizeRule, TakesPlainOrSignedWholeNumbersWithinTheBoardAndPictureLimits)
{
    const QString huge = "99999999999999999999", wraps = "18446744073709551617";   // 2^64 + 1
    struct Case {
        QString cols, rows;
        int w, h;
        std::optional<GridSize> size;
    };   // w, h 0: no picture yet
    const Case cases[] = {
        {"+4", "3", 0, 0, GridSize{4, 3}},
        {"4.0", "3", 0, 0, GridSize{4, 3}},
        {"4,0", "3", 0, 0, GridSize{4, 3}},
        {" +12,000 ", "\t07 ", 0, 0, GridSize{12, 7}},
        {"1", "32767", 0, 0, GridSize{1, 32767}},
        {"32767", "1", 0, 0, GridSize{32767, 1}},
        {"2", "16384", 0, 0, {}},
        {"32768", "1", 0, 0, {}},
        {"1", "32768", 0, 0, {}},
        {"4", "4", 4, 4, GridSize{4, 4}},
        {"5", "4", 4, 4, {}},
        {"4", "5", 4, 4, {}},
        {huge, huge, 0, 0, {}},
        {wraps, "1", 0, 0, {}},
        {"1", wraps, 0, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(usableGridSize(c.cols, c.rows, c.w, c.h), c.size)
            << qPrintable(c.cols + " x " + c.rows) << " on " << c.w << " x " << c.h;
    for (const char* text :
         {"4.5", "4,01", "4.", ".0", "++4", "+ 4", "-4", "4e0", "0", "+0.0", "4.0.0", "", "a"})
        EXPECT_FALSE(usableGridSize(QString::fromLatin1(text), u"3")) << text;
    EXPECT_EQ(parseWholeNumber(huge), MaxWholeNumber);
    EXPECT_FALSE(parseWholeNumber(u"+4"));   // counts and moves in a file stay plain digits
    for (auto [w, h, cut] : {std::tuple{1, 1, true},
                             {MaxPictureSide, MaxPictureSide, true},
                             {0, 1, false},
                             {MaxPictureSide + 1, 1, false},
                             {1, MaxPictureSide + 1, false}})
        EXPECT_EQ(canCutPicture(w, h, u"1", u"1"), cut) << w << " x " << h;
}
