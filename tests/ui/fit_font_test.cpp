// SPDX-License-Identifier: MIT
// Captions that do not fit their widgets get one smaller font, no smaller than needed or than 6 points.
#include "ui/fit_font.h"

#include <QFontMetricsF>
#include <QLabel>

#include <gtest/gtest.h>

using namespace zp;

TEST(FitFont, ShrinksTheGroupUntilTheWidestCaptionFits)
{
    struct Case {
        int width;
        QString caption;
        double smallest, largest;
    };
    QFont start;
    start.setPointSizeF(12);
    const double natural = QFontMetricsF(start).horizontalAdvance("Other Image");
    // Three quarters of its width: about 9 points, less a step for rounding down to half points.
    for (const Case& c :
         {Case{int(natural) + 20, "Other Image", 12, 12},
          Case{int(natural * 3 / 4) + 8, "Other Image", 7.5, 9.25}, Case{10, "Other Image", 6, 6}}) {
        QLabel wide, narrow;
        wide.setFont(start);
        wide.resize(1000, 20);
        narrow.resize(c.width, 20);
        fitFont({{&wide, "OK"}, {&narrow, c.caption}}, 8);
        const QFont font = narrow.font();
        EXPECT_EQ(font, wide.font()) << c.width;
        EXPECT_GE(font.pointSizeF(), c.smallest) << c.width;
        EXPECT_LE(font.pointSizeF(), c.largest) << c.width;
        EXPECT_TRUE(c.smallest == 6 || QFontMetricsF(font).horizontalAdvance(c.caption) <= c.width - 8)
            << c.width;
    }
}
