// SPDX-License-Identifier: MIT
// How the play area's controls tell their view what to repaint.
#pragma once

#include "platform/twips.h"

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

}   // namespace zp
