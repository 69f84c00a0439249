// SPDX-License-Identifier: MIT
// A decoded picture brought to the colours picture viewers show it in.
#include "platform/qt/true_colours.h"

#include <QColorSpace>

namespace zp {

void makeTrueColours(QImage& image)
{
    const QColorSpace srgb(QColorSpace::SRgb);
    if (image.colorSpace().isValid() && image.colorSpace() != srgb)
        image.convertToColorSpace(srgb);
}

}   // namespace zp
