// SPDX-License-Identifier: MIT
// The EXIF orientation of PNG and WebP pictures, which Qt's readers of these formats leave unread.
#pragma once

#include <QByteArray>
#include <QIODevice>

namespace zp {

// The orientation tag (1 to 8, numbered as EXIF numbers it) of the PNG (its eXIf chunk) or WebP (its
// EXIF chunk) picture in `file`, told by its signature; 1, as stored, for any other format, without a
// tag, or with a broken or unknown one. Reads the file from its start by seeking from chunk to chunk,
// a bounded number of times.
int exifOrientation(QIODevice& file);

}   // namespace zp
