// SPDX-License-Identifier: MIT
// The picture decoder's work: QImageReader with the game's limits, into a memfd.
#include "platform/decoder/decode_picture.h"

#include "platform/decoder/channel.h"

#include "platform/jpeg_scans.h"
#include "platform/qt/formats/photo_format_keys.h"
#include "platform/qt/picture_bounds.h"
#include "platform/qt/true_colours.h"

#include <QImageReader>
#include <QTransform>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace zp::decoder {

namespace {
// `memfd` sized to `bytes` and mapped for writing; null if that fails.
uchar* mapPixels(int memfd, qint64 bytes)
{
    if (::ftruncate(memfd, bytes) != 0)
        return nullptr;
    // All pages at once: one call instead of a fault for each page the decoder writes first.
    void* p =
        ::mmap(nullptr, std::size_t(bytes), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, memfd, 0);
    return p == MAP_FAILED ? nullptr : static_cast<uchar*>(p);
}

// Copies `image` into `memfd`, resized to it, unless the reader decoded into the mapping already.
bool placeInto(int memfd, const QImage& image, uchar* mapped, qint64 mappedBytes)
{
    const qint64 line = 4LL * image.width(), bytes = line * image.height();
    if (image.constBits() == mapped && image.bytesPerLine() == line)
        return ::munmap(mapped, std::size_t(mappedBytes)) == 0;
    uchar* to = bytes == mappedBytes ? mapped : nullptr;
    if (!to) {
        ::munmap(mapped, std::size_t(mappedBytes));
        to = mapPixels(memfd, bytes);
    }
    if (!to)
        return false;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(to + y * line, image.constScanLine(y), std::size_t(line));
    return ::munmap(to, std::size_t(bytes)) == 0;
}

bool withinBounds(QSize size)
{
    return isCuttableSide(size.width()) && isCuttableSide(size.height()) &&
        4LL * size.width() * size.height() <= MaxPictureBytes;
}
}   // namespace

Reply refusal(const QString& reason) { return refusal(reason.toUtf8().constData()); }

QImage finalImage(QImage image, QImageIOHandler::Transformations turn)
{
    image.mirror(turn & QImageIOHandler::TransformationMirror, turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return image;
}

Reply decodePicture(QFile& file, int memfd, const std::function<void(QSize, int)>& sizeKnown)
{
    // The file keeps its name, so the reader guesses the format from the suffix and then, as with
    // a picture saved under the wrong suffix, from the content.
    QImageReader reader(&file);
    reader.setAutoTransform(false);   // finalImage turns it, without a copy where it can
    const QSize stored = reader.size();
    if (!reader.canRead() || !stored.isValid() || stored.isEmpty())
        return refusal(QStringLiteral("not a picture: ") + reader.errorString());
    // Upright as every picture viewer shows it (a phone stores a portrait photo on its side); a
    // broken or unknown orientation tag turns nothing.
    const QImageIOHandler::Transformations turn = reader.transformation();
    if (!withinBounds(stored))
        return refusal(QStringLiteral("picture too large"));
    const bool turned = turn & QImageIOHandler::TransformationRotate90;
    const bool library = photoFormatKeys().contains(reader.format());
    sizeKnown(turned ? stored.transposed() : stored,
              (turned ? TurnCopies : 0) + (library ? LibraryCopies : 0));
    if (hasTooManyScans(file))
        return refusal(QStringLiteral("too many scans to decode"));
    const qint64 bytes = 4LL * stored.width() * stored.height();
    uchar* const mapped = mapPixels(memfd, bytes);
    if (!mapped)
        return refusal(QStringLiteral("no memory for the pixels"));
    // A reader that decodes into the image it is given (JPEG) writes straight into shared memory.
    QImage image(mapped, stored.width(), stored.height(), 4 * stored.width(), QImage::Format_RGB32);
    reader.setAllocationLimit(MaxPictureMiB);
    if (!reader.read(&image) || image.isNull())
        return refusal(QStringLiteral("cannot decode: ") + reader.errorString());
    image = finalImage(std::move(image), turn);
    makeUprightSrgb(image, file);
    if (!withinBounds(image.size()) || !placeInto(memfd, image, mapped, bytes))
        return refusal(QStringLiteral("cannot decode: no room for the pixels"));
    Reply reply;
    reply.kind = ReplyKind::Picture;
    reply.width = image.width();
    reply.height = image.height();
    reply.bytesPerLine = 4 * image.width();
    reply.format = image.format();
    static_assert(FormatRgb32 == QImage::Format_RGB32 &&
                  FormatArgb32Premultiplied == QImage::Format_ARGB32_Premultiplied);
    return reply;
}

}   // namespace zp::decoder
