// SPDX-License-Identifier: MIT
// The main window's layout: the button bar, the eight frame lines and the centred play area.
#pragma once

#include "platform/play_area_control.h"
#include "platform/twips.h"

#include <array>
#include <optional>

namespace zp {

struct FrameLine {
    float X1, Y1, X2, Y2;
    friend bool operator==(const FrameLine&, const FrameLine&) = default;
};
using FrameLines = std::array<FrameLine, 8>;
// The frame lines by their place: the outer rectangle, sunken, and the inner one, raised.
enum FrameSide { OuterLeft, OuterTop, OuterRight, OuterBottom, InnerLeft, InnerTop, InnerRight, InnerBottom };

// The frame lines before the first layout, in window twips.
FrameLines initialFrameLines();

// What the layout reads; a value that could not be read is nullopt.
struct LayoutReadings {
    double W = 0, H = 0;                              // outer size of the window, twips
    std::optional<double> px, py;                     // twips per pixel
    std::optional<int> pictureWidth, pictureHeight;   // nullopt: no picture
};

// What the layout sets.
struct LayoutTargets {
    float frame1Width = 6732;
    FrameLines lines = initialFrameLines();
    TwipsRect playArea = DesignedPlayArea;
};

// Runs the 24 steps in order. Each step stands alone: a step whose value is not a finite number
// (or, for the button bar, is negative) leaves its target as it was; the play area is moved
// all at once or not at all.
void layOut(const LayoutReadings& in, LayoutTargets& out);

}   // namespace zp
