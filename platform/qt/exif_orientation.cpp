// SPDX-License-Identifier: MIT
// The EXIF orientation of PNG and WebP pictures.
#include "platform/qt/exif_orientation.h"

#include "platform/exif_tag.h"

#include <QtEndian>

namespace zp {

namespace {

// Chunks walked at most: a picture has a handful, a hostile file could claim millions.
constexpr int MaxChunks = 1000;
constexpr quint32 MaxExifBytes = 1 << 20;

// The EXIF block of a PNG file (chunks of a big-endian length, type, data and CRC, from byte 8) or a
// WebP file (RIFF chunks of type, little-endian length and data padded to even, from byte 12). libexif
// reads the block, but knows neither container.
QByteArray exifChunk(QIODevice& file, bool png)
{
    qint64 at = png ? 8 : 12;
    for (int i = 0; i < MaxChunks && file.seek(at); ++i) {
        const QByteArray head = file.read(8);
        if (head.size() < 8 || (png && head.endsWith("IEND")))
            return {};
        const quint32 length = png ? qFromBigEndian<quint32>(head.constData())
                                   : qFromLittleEndian<quint32>(head.constData() + 4);
        if (png ? head.endsWith("eXIf") : head.startsWith("EXIF"))
            return length <= MaxExifBytes ? file.read(length) : QByteArray();
        at += 8 + qint64(length) + (png ? 4 : length % 2);
    }
    return {};
}

}   // namespace

int exifOrientation(QIODevice& file)
{
    const QByteArray signature = file.seek(0) ? file.read(12) : QByteArray();
    const bool png = signature.startsWith("\x89PNG\r\n\x1a\n"),
               webp = signature.startsWith("RIFF") && signature.endsWith("WEBP");
    if (!png && !webp)
        return 1;
    QByteArray exif = exifChunk(file, png);
    const QByteArray header("Exif\0\0", 6);   // libexif finds the block behind it, as in a JPEG
    if (exif.isEmpty())
        return 1;
    if (!exif.startsWith(header))
        exif.prepend(header);
    const int value = exifBlockOrientation(reinterpret_cast<const unsigned char*>(exif.constData()),
                                           std::size_t(exif.size()));
    return value == 0 ? 1 : value;
}

}   // namespace zp
