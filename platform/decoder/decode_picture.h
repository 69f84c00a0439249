// SPDX-License-Identifier: MIT
// Decoding one picture file into shared memory, with the game's bounds on its size and work.
#pragma once

#include "platform/decoder/decoder_protocol.h"

#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>

#include <functional>

namespace zp::decoder {

// The picture as the game shows it, from what the reader gave: turned upright by `turn` (its
// orientation tag), mirrored in place and, for a quarter turn, through a second copy; and in
// the format the game paints fast (RGB32, or ARGB32_Premultiplied with transparency).
QImage finalImage(QImage image, QImageIOHandler::Transformations turn);

// Decodes the first image of `file` into `memfd`, sized here to the pixels, 4 bytes each,
// rows of 4 x width bytes. `sizeKnown` hears the upright size, and how many further copies of
// the pixels the decode needs (see decodeMemory), once the header has been read and checked. A picture
// without a size, with a side above MaxPictureSide or more than MaxPictureBytes, or JPEG data of too many
// scans, is refused before anything is decoded.
Reply decodePicture(QFile& file, int memfd, const std::function<void(QSize, int)>& sizeKnown);

// A Refused reply that gives `reason`.
Reply refusal(const QString& reason);

}   // namespace zp::decoder
