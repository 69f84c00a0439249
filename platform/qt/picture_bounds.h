// SPDX-License-Identifier: MIT
// The largest picture the game decodes, shared by the game and its picture decoder.
#pragma once

#include "platform/picture.h"

namespace zp {

// Largest decoded picture accepted: 64 megapixels at 4 bytes a pixel, which takes in the photos
// of today's phones and cameras. The decoder raises Qt's allocation limit to this.
inline constexpr int MaxPictureMiB = 256;
inline constexpr long long MaxPictureBytes = MaxPictureMiB * 1024LL * 1024;

}   // namespace zp
