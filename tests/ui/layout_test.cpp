// SPDX-License-Identifier: MIT
// The window layout against the geometry its rules give, worked out by hand in twips for a few windows;
// captions that do not fit their widgets get one smaller font, no smaller than needed or than 6 points.
#include "tests/ui/scripted.h"
#include "ui/fit_font.h"
#include "ui/layout.h"

using namespace zp;

// Frame1 is W - 28 px wide; the right sides stand at W - 19 px (outer) and W - 23 px (inner), the bottom
// sides at H - 42 py and H - 47 py, reaching one pixel past the right sides; left and top sides stay. The
// pw x ph play area is centred on x = W / 2 and on mid = (1368 + H - 47 py) / 2. Run twice, the same.
TEST(Layout, FrameLinesWithACentredPlayAreaFollowTheWindow)
{
    using Side = std::optional<int>;   // the picture's, in pixels
    const std::tuple<double, double, float, Side, Side, float, float, float, float, float, TwipsRect>
        cases[] = {
            // 7824 - 420, 7824 - 285, 7188 - 630, 7824 - 345, 7188 - 705; mid 3925.5, left 3912 - 2400
            {7824, 7188, 15, 320, 240, 7404, 7539, 6558, 7479, 6483, {1512, 2125.5, 4800, 3600}},
            {9840, 8055, 15, 320, 240, 9420, 9555, 7425, 9495, 7350, {2520, 2559, 4800, 3600}},   // mid 4359
            // 12 twips a pixel: margins 336, 228, 504, 276 and 564; mid 4602; the picture 3840 x 2880
            {9000, 8400, 12, 320, 240, 8664, 8772, 7896, 8724, 7836, {2580, 3162, 3840, 2880}},
            {7824, 7188, 15, {}, {}, 7404, 7539, 6558, 7479, 6483, {3912, 3925.5, 0, 0}},   // no picture
            // 20 x 40 pixels: Frame1 keeps its width rather than go negative, the sides cross; mid 631.5
            {300, 600, 15, 320, 240, 6732, 15, -30, -45, -105, {-2250, -1168.5, 4800, 3600}},
        };
    for (const auto& [W, H, tpp, pw, ph, frame1, or_, ob, ir, ib, playArea] : cases) {
        LayoutTargets t;
        for (int run = 0; run < 2; ++run)
            layOut({W, H, tpp, tpp, pw, ph}, t);
        // The outer frame's sides, then the inner frame's: left, top, right, bottom.
        // clang-format off
        const FrameLines lines{{{120, 1320, 120, ob}, {120, 1320, or_, 1320}, {or_, 1320, or_, ob},
                                {120, ob, or_ + tpp, ob}, {180, 1368, 180, ib}, {180, 1368, ir, 1368},
                                {ir, 1368, ir, ib}, {180, ib, ir + tpp, ib}}};
        // clang-format on
        EXPECT_TRUE(t.frame1Width == frame1 && t.lines == lines && t.playArea == playArea) << W << " x " << H;
    }
}

TEST(FitFont, ShrinksTheGroupUntilTheWidestCaptionFits)
{
    const QFont start(QFont().family(), 12);
    const double natural = QFontMetricsF(start).horizontalAdvance("Other Image");
    // Width, then the smallest and largest size allowed. Three quarters of the width it needs: about 9
    // points, less a step for rounding down to half points.
    for (auto [width, smallest, largest] :
         {std::tuple{int(natural) + 20, 12., 12.}, {int(natural * 3 / 4) + 8, 7.5, 9.25}, {10, 6., 6.}}) {
        QLabel wide, narrow;
        wide.setFont(start), wide.resize(1000, 20), narrow.resize(width, 20);
        fitFont({{&wide, "OK"}, {&narrow, "Other Image"}}, 8);
        const QFont font = narrow.font();
        EXPECT_TRUE(font == wide.font() && font.pointSizeF() >= smallest && font.pointSizeF() <= largest &&
                    (smallest == 6 || QFontMetricsF(font).horizontalAdvance("Other Image") <= width - 8))
            << width;
    }
}
