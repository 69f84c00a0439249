// SPDX-License-Identifier: MIT
// The largest picture the game decodes, shared by the game and its picture decoder.
#pragma once

#include "platform/picture.h"

namespace zp {

// Largest decoded picture accepted: MaxPicturePixels at 4 bytes a pixel. The decoder raises Qt's
// allocation limit to this.
inline constexpr long long MaxPictureBytes = 4 * MaxPicturePixels;
inline constexpr int MaxPictureMiB = int(MaxPictureBytes / (1024 * 1024));

}   // namespace zp
