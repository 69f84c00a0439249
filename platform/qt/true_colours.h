// SPDX-License-Identifier: MIT
// A decoded picture brought to the colours picture viewers show it in.
#pragma once

#include <QImage>

namespace zp {

// Converts a picture tagged with a colour space other than sRGB (an embedded ICC profile, HEIF's
// nclx, JPEG XL's colour encoding) to sRGB, once and in place, keeping its size and format; one
// without a colour space, or with a profile Qt cannot use, is taken as sRGB and stays as stored.
// Screens are taken as sRGB: the board draws the converted pixels as they are.
void makeTrueColours(QImage& image);

}   // namespace zp
