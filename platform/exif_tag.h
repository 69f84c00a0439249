// SPDX-License-Identifier: MIT
// The orientation tag of an EXIF block, read by libexif.
#pragma once

#include <cstddef>

namespace zp {

// The orientation (1 to 8, numbered as EXIF numbers it) in the EXIF block at `data`, which begins
// "Exif\0\0" as in a JPEG's APP1 segment; 0 without a tag, 1 (as stored) for a broken or unknown one.
int exifBlockOrientation(const unsigned char* data, std::size_t size);

}   // namespace zp
