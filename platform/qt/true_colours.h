// SPDX-License-Identifier: MIT
// A decoded picture brought to what picture viewers show: upright, in sRGB.
#pragma once

#include <QIODevice>
#include <QImage>

namespace zp {

// Turns a PNG or WebP picture, decoded from `file`, upright by its EXIF orientation tag, as Qt turns
// a JPEG or TIFF one; then converts a picture tagged with a colour space other than sRGB (an embedded
// ICC profile, HEIF's nclx, JPEG XL's colour encoding) to sRGB, once and in place, keeping its format.
// A picture without a colour space, or with a profile Qt cannot use, is taken as sRGB and keeps its
// pixels. Screens are taken as sRGB: the board draws the converted pixels as they are.
void makeUprightSrgb(QImage& image, QIODevice& file);

}   // namespace zp
