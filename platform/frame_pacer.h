// SPDX-License-Identifier: MIT
// Painting the play area at the pace of the display while tiles slide.
#pragma once

#include "platform/control_listener.h"
#include "platform/twips.h"

#include <limits>
#include <optional>

namespace zp {

class Platform;

// The view that a FramePacer hands the tiles' changes on to.
class PacedView : public ControlListener {
public:
    // Paints `area` (play-area twips) before returning, if the view is on the screen.
    virtual void paintNow(const TwipsRect& area) = 0;
};

// Stands between the tile controls and their view. A sliding tile takes its one-pixel steps
// far faster than a display shows frames, and a paint that no frame shows is work no player
// sees: the areas the steps touch are gathered and handed on as one at most once per frame
// interval, and painted at once when a move lands, so that the last position of every move is
// drawn. Changes of everything, and of the play area's place, are handed on at once.
class FramePacer : public ControlListener {
public:
    // `platform` gives the clock; both must outlive the pacer.
    FramePacer(const Platform& platform, PacedView& view) : platform_(platform), view_(view) {}

    // The rate of a display that does not tell its own, in frames per second.
    static constexpr double UsualRefreshRate = 60;
    // The display's frames per second; an unknown rate (0 or less) counts as UsualRefreshRate.
    void setRefreshRate(double hertz) { interval_ = 1 / (hertz > 0 ? hertz : UsualRefreshRate); }

    // A move has landed: what was gathered since the last frame is painted before this returns.
    void moveLanded();

    void areaChanged(const TwipsRect& area) override;
    void allChanged() override;
    void geometryChanged() override { view_.geometryChanged(); }

private:
    const Platform& platform_;
    PacedView& view_;
    double interval_ = 1 / UsualRefreshRate;
    double lastFrame_ = -std::numeric_limits<double>::infinity();
    std::optional<TwipsRect> gathered_;
};

}   // namespace zp
