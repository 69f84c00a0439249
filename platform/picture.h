// SPDX-License-Identifier: MIT
// A decoded picture, as the engine sees it: only its size in pixels.
#pragma once

#include <memory>

namespace zp {

// Largest side of a picture the game cuts: sizes are 16-bit signed numbers in the tile layout.
inline constexpr int MaxPictureSide = 32767;
// The one rule for a picture's side: whether a side of `pixels` can be cut.
constexpr bool isCuttableSide(int pixels) { return pixels >= 1 && pixels <= MaxPictureSide; }
// Most pixels of a picture decoded, 64 megapixels: the photos of today's phones and cameras.
inline constexpr long long MaxPicturePixels = 64LL * 1024 * 1024;

// Pixel data lives in the toolkit's subclass; the engine never touches it.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

}   // namespace zp
