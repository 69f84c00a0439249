// SPDX-License-Identifier: MIT
// A decoded picture brought to what picture viewers show: upright, in sRGB.
#include "platform/qt/true_colours.h"

#include "platform/qt/exif_orientation.h"

#include <QColorSpace>
#include <QTransform>

namespace zp {

namespace {

// The stored picture turned by an EXIF orientation: a quarter turn clockwise (5 to 7) or a half
// turn (3), then mirrored, so that the stored row 0 lands where the tag says.
QImage turned(const QImage& stored, int orientation)
{
    struct Turn {
        int degrees;
        bool across, down;
    };
    static constexpr Turn Turns[] = {{0, false, false},   {0, false, false}, {0, true, false},
                                     {180, false, false}, {0, false, true},  {90, true, false},
                                     {90, false, false},  {90, false, true}, {270, false, false}};
    const Turn t = Turns[orientation];
    const QImage rotated = t.degrees ? stored.transformed(QTransform().rotate(t.degrees)) : stored;
    return t.across || t.down ? rotated.mirrored(t.across, t.down) : rotated;
}

}   // namespace

void makeUprightSrgb(QImage& image, QIODevice& file)
{
    if (const int orientation = exifOrientation(file); orientation != 1)
        image = turned(image, orientation);
    const QColorSpace srgb(QColorSpace::SRgb);
    if (image.colorSpace().isValid() && image.colorSpace() != srgb)
        image.convertToColorSpace(srgb);
}

}   // namespace zp
