// SPDX-License-Identifier: MIT
// Captions that do not fit their widgets get one smaller font, no smaller than needed or than 6 points.
#include "ui/fit_font.h"

#include <QFontMetricsF>
#include <QLabel>

#include <gtest/gtest.h>

using namespace zp;

TEST(FitFont, ShrinksTheGroupUntilTheWidestCaptionFits)
{
    QFont start;
    start.setPointSizeF(12);
    const double natural = QFontMetricsF(start).horizontalAdvance("Other Image");
    // Width, then the smallest and largest size allowed. Three quarters of the width it needs: about 9
    // points, less a step for rounding down to half points.
    for (auto [width, smallest, largest] :
         {std::tuple{int(natural) + 20, 12., 12.}, {int(natural * 3 / 4) + 8, 7.5, 9.25}, {10, 6., 6.}}) {
        QLabel wide, narrow;
        wide.setFont(start);
        wide.resize(1000, 20);
        narrow.resize(width, 20);
        fitFont({{&wide, "OK"}, {&narrow, "Other Image"}}, 8);
        const QFont font = narrow.font();
        EXPECT_TRUE(font == wide.font() && font.pointSizeF() >= smallest && font.pointSizeF() <= largest)
            << width;
        EXPECT_TRUE(smallest == 6 || QFontMetricsF(font).horizontalAdvance("Other Image") <= width - 8)
            << width;
    }
}
