// SPDX-License-Identifier: MIT
// Gathering the tiles' changes and handing them on once per frame.
#include "platform/frame_pacer.h"

#include "platform/platform.h"

namespace zp {

void FramePacer::areaChanged(const TwipsRect& area)
{
    gathered_ = gathered_ ? united(*gathered_, area) : area;
    const double now = platform_.clock();
    if (now - lastFrame_ < interval_)
        return;
    lastFrame_ = now;
    view_.areaChanged(*gathered_);
    gathered_.reset();
}

void FramePacer::moveLanded()
{
    if (!gathered_)
        return;   // the last step was handed on already
    lastFrame_ = platform_.clock();
    const TwipsRect area = *gathered_;
    gathered_.reset();
    view_.paintNow(area);
}

void FramePacer::allChanged()
{
    gathered_.reset();
    view_.allChanged();
}

}   // namespace zp
