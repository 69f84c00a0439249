// The play area control.
#include "platform/play_area_control.h"

#include "platform/control_listener.h"

namespace zp {

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

} // namespace zp
