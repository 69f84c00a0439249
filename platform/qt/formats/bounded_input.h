// SPDX-License-Identifier: MIT
// The game's bounds as the photo decoders apply them: the file read whole within a bound, and the
// picture's size checked before any pixel is decoded.
#pragma once

#include "platform/picture.h"
#include "platform/qt/qt_picture.h"

#include <QByteArray>
#include <QIODevice>
#include <QSize>

#include <optional>

namespace zp {

// The bytes of `device` from where it stands to its end, or nothing when they are more than
// `limit` or cannot be read. The device is read, never opened by name.
std::optional<QByteArray> readWhole(QIODevice& device, qint64 limit = MaxPictureBytes);

// Whether a picture of `size` may be decoded: the loader's own limits, checked again by a decoder
// that allocates the pixels, so that no caller can skip them.
inline bool isDecodableSize(QSize size)
{
    return isCuttableSide(size.width()) && isCuttableSide(size.height()) &&
        4LL * size.width() * size.height() <= MaxPictureBytes;
}

}   // namespace zp
