// SPDX-License-Identifier: MIT
// The play area control.
#include "platform/play_area_control.h"

#include "platform/control_listener.h"

namespace zp {

TwipsRect centredPlayArea(double outerWidth, double lineY1, double lineY2, int width, int height, double tppx,
                          double tppy)
{
    const float middle = float((lineY2 - lineY1) / 2 + lineY1);
    const float centre = float(outerWidth / 2);
    return {float(centre - width * tppx / 2), float(middle - height * tppy / 2), float(width * tppx),
            float(height * tppy)};
}

void PlayAreaControl::move(const TwipsRect& rect)
{
    if (rect == rect_)
        return;
    rect_ = rect;
    if (listener_)
        listener_->geometryChanged();
}

void PlayAreaControl::setPattern(const PatternCover& cover)
{
    pattern_ = cover;
    if (listener_)
        listener_->allChanged();
}

}   // namespace zp
