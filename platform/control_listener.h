// SPDX-License-Identifier: MIT
// How the play area's controls tell their view what to repaint.
#pragma once

#include "platform/twips.h"

#include <utility>

namespace zp {

class ControlListener {
public:
    virtual ~ControlListener() = default;
    // A rectangle of the play area (play-area twips) shows something else now.
    virtual void areaChanged(const TwipsRect& area) = 0;
    // Everything in the play area may have changed.
    virtual void allChanged() = 0;
    // The play area itself was moved or resized.
    virtual void geometryChanged() = 0;
};

// Hands a control's changes on to its listener, if it has one. Between beginBatch and endBatch
// they are gathered into one allChanged at the end.
class ChangeNotifier {
public:
    void setListener(ControlListener* listener) { listener_ = listener; }
    void beginBatch() { ++batch_; }
    void endBatch()
    {
        if (--batch_ == 0 && std::exchange(batchChanged_, false) && listener_)
            listener_->allChanged();
    }
    // `area` shows something else now; or, when `shown` is false, a change that shows nowhere
    // (which a batch still counts).
    void areaChanged(const TwipsRect& area, bool shown)
    {
        if (batch_ > 0)
            batchChanged_ = true;
        else if (shown && listener_)
            listener_->areaChanged(area);
    }

private:
    ControlListener* listener_ = nullptr;
    int batch_ = 0;
    bool batchChanged_ = false;
};

}   // namespace zp
