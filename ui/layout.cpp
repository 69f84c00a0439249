// SPDX-License-Identifier: MIT
// The layout steps.
#include "ui/layout.h"

#include "platform/picture.h"

#include <cmath>

namespace zp {

namespace {
// How many pixels short of the window's outer width Frame1's width falls, and how far in from the
// window's outer right and bottom edges the frames' right and bottom sides stand.
constexpr double Frame1Inset = 28, OuterRightInset = 19, InnerRightInset = 23, OuterBottomInset = 42,
                 InnerBottomInset = 47;

void set(float& target, double value)
{
    if (std::isfinite(value) && std::isfinite(float(value)))
        target = float(value);
}

int pictureSide(const std::optional<int>& side) { return side && isCuttableSide(*side) ? *side : 0; }
}   // namespace

FrameLines initialFrameLines()
{
    return {{{120, 1320, 120, 4920},
             {120, 1320, 5520, 1320},
             {5520, 1320, 5520, 4920},
             {5520, 4920, 120, 4920},
             {180, 1368, 180, 4860},
             {180, 1368, 5472, 1368},
             {5472, 1368, 5472, 4860},
             {5472, 4860, 180, 4860}}};
}

void layOut(const LayoutReadings& in, LayoutTargets& out)
{
    const double px = in.px.value_or(0), py = in.py.value_or(0);
    const double W = in.W, H = in.H;
    FrameLines& l = out.lines;
    if (W - Frame1Inset * px >= 0)
        set(out.frame1Width, W - Frame1Inset * px);
    set(l[OuterTop].X2, W - OuterRightInset * px);
    set(l[InnerTop].X2, W - InnerRightInset * px);
    set(l[InnerLeft].Y2, H - InnerBottomInset * py);
    set(l[OuterLeft].Y2, H - OuterBottomInset * py);
    set(l[InnerRight].X1, l[InnerTop].X2);
    set(l[InnerRight].X2, l[InnerTop].X2);
    set(l[InnerRight].Y2, l[InnerLeft].Y2);
    set(l[OuterRight].X1, l[OuterTop].X2);
    set(l[OuterRight].X2, l[OuterTop].X2);
    set(l[OuterRight].Y2, l[OuterLeft].Y2);
    set(l[InnerBottom].X1, l[InnerLeft].X2);
    set(l[InnerBottom].X2, l[InnerRight].X2 + px);
    set(l[InnerBottom].Y1, l[InnerLeft].Y2);
    set(l[InnerBottom].Y2, l[InnerRight].Y2);
    set(l[OuterBottom].X1, l[OuterLeft].X2);
    set(l[OuterBottom].X2, l[OuterRight].X2 + px);
    set(l[OuterBottom].Y1, l[OuterLeft].Y2);
    set(l[OuterBottom].Y2, l[OuterRight].Y2);
    const int pw = pictureSide(in.pictureWidth), ph = pictureSide(in.pictureHeight);
    const TwipsRect area = centredPlayArea(W, l[InnerRight].Y1, l[InnerRight].Y2, pw, ph, px, py);
    if (std::isfinite(area.left) && std::isfinite(area.top) && std::isfinite(area.width) &&
        std::isfinite(area.height))
        out.playArea = area;
}

}   // namespace zp
