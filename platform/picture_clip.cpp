// SPDX-License-Identifier: MIT
// Cells of the picture-clip service.
#include "platform/picture_clip.h"

namespace zp {

QRect PictureClip::cellRect(int n) const
{
    const int w = width() / cols_;
    const int h = height() / rows_;
    return QRect((n % cols_) * w, (n / cols_) * h, w, h);
}

}   // namespace zp
