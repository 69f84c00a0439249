// SPDX-License-Identifier: MIT
// The picture loader.
#include "platform/qt/qt_picture.h"

#include "platform/file_io.h"
#include "platform/jpeg_scans.h"

#include <QFileInfo>
#include <QImageReader>

#include <memory>

namespace zp {

namespace {
// A file opened from its descriptor has no name for QImageReader to take the suffix from, and
// left to guess, the reader loads every image plugin to ask each in turn. So the reader of the
// suffix's format is asked first, alone; a picture saved under another suffix or none is then
// told by its content, as a named file would be.
std::unique_ptr<QImageReader> readerFor(QFile& file, const QString& path)
{
    auto bySuffix = std::make_unique<QImageReader>(&file, QFileInfo(path).suffix().toLower().toLatin1());
    bySuffix->setAutoDetectImageFormat(false);
    if (bySuffix->canRead())
        return bySuffix;
    file.seek(0);
    return std::make_unique<QImageReader>(&file);
}
}   // namespace

Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path)
{
    const auto opened = openRegularFile(path);
    if (!opened)
        return opened.refusal();
    QFile* const file = opened->get();
    const std::unique_ptr<QImageReader> chosen = readerFor(*file, path);
    QImageReader& reader = *chosen;
    // Upright as every picture viewer shows it (a phone stores a portrait photo on its side); a
    // broken or unknown orientation tag turns nothing. The header gives the stored size, which the
    // checks below, alike for both sides, take as the size of the upright picture.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return Refusal{QStringLiteral("not a picture: ") + reader.errorString()};
    if (!isCuttableSide(size.width()) || !isCuttableSide(size.height()) ||
        4LL * size.width() * size.height() > MaxPictureBytes)
        return Refusal{QStringLiteral("picture too large")};
    if (hasTooManyScans(*file))
        return Refusal{QStringLiteral("too many scans to decode")};
    QImage image;
    reader.setAllocationLimit(MaxPictureMiB);
    if (!reader.read(&image) || image.isNull())
        return Refusal{QStringLiteral("cannot decode: ") + reader.errorString()};
    // One conversion to a format the painter draws fast; in place where the depth allows.
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return std::make_shared<const QtPicture>(std::move(image));
}

}   // namespace zp
