// The size rule at its edges: the smallest and largest boards, 1-pixel tiles, huge numbers.
#include "engine/size_rule.h"
#include "platform/picture.h"

#include <QString>

#include <gtest/gtest.h>

using namespace zp;

TEST(SizeRule, UsableOnlyWithinTheBoardAndPictureLimits)
{
    const QString huge = "99999999999999999999", wraps = "18446744073709551617";   // 2^64 + 1
    struct Case { QString cols, rows; int w, h; bool usable; };
    const Case cases[] = {
        {"1", "32767", 0, 0, true},   {"32767", "1", 0, 0, true},   {"181", "181", 0, 0, true},
        {"182", "181", 0, 0, false},  {"2", "16384", 0, 0, false},  {"32768", "1", 0, 0, false},
        {"1", "32768", 0, 0, false},  {"0", "1", 0, 0, false},      {"1", "0", 0, 0, false},
        {"4", "4", 4, 4, true},       {"5", "4", 4, 4, false},      {"4", "5", 4, 4, false},
        {" 7\t", "\t3 ", 0, 0, true}, {"", "3", 0, 0, false},       {"-3", "3", 0, 0, false},
        {"3", "2.5", 0, 0, false},    {"3", "a", 0, 0, false},      {huge, huge, 0, 0, false},
        {wraps, "1", 0, 0, false},    {"1", wraps, 0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(usableGridSize(c.cols, c.rows, c.w, c.h).has_value(), c.usable)
            << qPrintable(c.cols + " x " + c.rows) << " on " << c.w << " x " << c.h;
    EXPECT_EQ(usableGridSize(u" 07", u"3"), (GridSize{7, 3}));
    EXPECT_EQ(parseWholeNumber(huge), MaxWholeNumber);
    for (auto [w, h, cut] : {std::tuple{1, 1, true}, {MaxPictureSide, MaxPictureSide, true}, {0, 1, false},
                             {1, 0, false}, {MaxPictureSide + 1, 1, false}, {1, MaxPictureSide + 1, false}})
        EXPECT_EQ(canCutPicture(w, h, u"1", u"1"), cut) << w << " x " << h;
}
