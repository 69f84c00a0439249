// SPDX-License-Identifier: MIT
// The layout steps.
#include "ui/layout.h"

#include "platform/picture.h"
#include "platform/play_area_control.h"

#include <cmath>

namespace zp {

namespace {
void set(float& target, double value)
{
    if (std::isfinite(value) && std::isfinite(float(value)))
        target = float(value);
}

int pictureSide(const std::optional<int>& side)
{
    return side && *side >= 0 && *side <= MaxPictureSide ? *side : 0;
}
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
    if (W - 28 * px >= 0)
        set(out.frame1Width, W - 28 * px);
    set(l[1].X2, W - 19 * px);
    set(l[5].X2, W - 23 * px);
    set(l[4].Y2, H - 47 * py);
    set(l[0].Y2, H - 42 * py);
    set(l[6].X1, l[5].X2);
    set(l[6].X2, l[5].X2);
    set(l[6].Y2, l[4].Y2);
    set(l[2].X1, l[1].X2);
    set(l[2].X2, l[1].X2);
    set(l[2].Y2, l[0].Y2);
    set(l[7].X1, l[4].X2);
    set(l[7].X2, l[6].X2 + px);
    set(l[7].Y1, l[4].Y2);
    set(l[7].Y2, l[6].Y2);
    set(l[3].X1, l[0].X2);
    set(l[3].X2, l[2].X2 + px);
    set(l[3].Y1, l[0].Y2);
    set(l[3].Y2, l[2].Y2);
    const int pw = pictureSide(in.pictureWidth), ph = pictureSide(in.pictureHeight);
    const TwipsRect area = centredPlayArea(W, l[6].Y1, l[6].Y2, pw, ph, px, py);
    if (std::isfinite(area.left) && std::isfinite(area.top) && std::isfinite(area.width) &&
        std::isfinite(area.height))
        out.playArea = area;
}

}   // namespace zp
