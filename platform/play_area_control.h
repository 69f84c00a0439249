// SPDX-License-Identifier: MIT
// The play area (Picture1): its place in the window and the background pattern it paints.
#pragma once

#include "platform/twips.h"

namespace zp {

class ControlListener;

// How the background pattern covers the play area: copies of patternWidth x patternHeight
// twips with their top-left corners at (i * patternWidth, j * patternHeight) for
// i < columns, j < rows. No copies until a board has been built.
struct PatternCover {
    float patternWidth = 0, patternHeight = 0;
    int columns = 0, rows = 0;
};

// The play area's designed place and size, in window client twips, until a board is built or
// the window is laid out.
inline constexpr TwipsRect DesignedPlayArea{1080, 2880, 4452, 2652};

// The play area for a picture of width x height pixels: exactly as large as the picture,
// centred horizontally on half the window's outer width and vertically on the middle of the
// frame line from lineY1 to lineY2 (all twips). Both centres are kept as single precision,
// as the window stores them.
TwipsRect centredPlayArea(double outerWidth, double lineY1, double lineY2, int width, int height, double tppx,
                          double tppy);

class PlayAreaControl {
public:
    const TwipsRect& rect() const { return rect_; }
    float width() const { return rect_.width; }
    float height() const { return rect_.height; }

    // Moves and resizes in one operation. Requires width, height >= 0.
    void move(const TwipsRect& rect);

    const PatternCover& pattern() const { return pattern_; }
    void setPattern(const PatternCover& cover);

    void setListener(ControlListener* listener) { listener_ = listener; }

private:
    TwipsRect rect_ = DesignedPlayArea;
    PatternCover pattern_;
    ControlListener* listener_ = nullptr;
};

}   // namespace zp
