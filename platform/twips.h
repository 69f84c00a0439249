// SPDX-License-Identifier: MIT
// Twips (1/1440 inch) and screen pixels: the one place where the two are converted.
#pragma once

#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace zp {

inline constexpr double TwipsPerInch = 1440;
// Twips per pixel of a screen that does not tell its dots per inch: one of 96 dots per inch.
inline constexpr double UsualTwipsPerPixel = TwipsPerInch / 96;

// A rectangle in twips, in the coordinates of the control's container.
struct TwipsRect {
    float left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The smallest rectangle that covers both.
inline TwipsRect united(const TwipsRect& a, const TwipsRect& b)
{
    const float l = std::min(a.left, b.left), t = std::min(a.top, b.top);
    const float r = std::max(a.left + a.width, b.left + b.width);
    const float bo = std::max(a.top + a.height, b.top + b.height);
    return {l, t, r - l, bo - t};
}

// Whole pixels for a twips value, rounded to the nearest pixel.
// Requires tpp > 0.
inline long toPixels(double twips, double tpp) { return std::lround(twips / tpp); }

// Twips of a whole number of pixels; every position the engine sets goes through here,
// so values that name the same pixel are always bit-identical.
inline float toTwips(long pixels, double tpp) { return static_cast<float>(pixels * tpp); }

// A control's place in pixels of `tpp` twips (x, y): position and size each rounded to the nearest pixel.
inline QRect toPixelRect(const TwipsRect& r, QPointF tpp)
{
    return QRect(int(toPixels(r.left, tpp.x())), int(toPixels(r.top, tpp.y())),
                 int(toPixels(r.width, tpp.x())), int(toPixels(r.height, tpp.y())));
}

}   // namespace zp
