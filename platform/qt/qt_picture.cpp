// SPDX-License-Identifier: MIT
// The picture loader.
#include "platform/qt/qt_picture.h"

#include "platform/file_io.h"
#include "platform/jpeg_scans.h"
#include "platform/qt/formats/import_photo_formats.h"
#include "platform/qt/true_colours.h"

#include <QImageReader>

namespace zp {

Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path)
{
    const auto opened = openRegularFile(path);
    if (!opened)
        return opened.refusal();
    QFile* const file = opened->get();
    // The file keeps its name, so the reader guesses the format from the suffix and then, as with
    // a picture saved under the wrong suffix, from the content.
    QImageReader reader(file);
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
    makeUprightSrgb(image, *file);
    return std::make_shared<const QtPicture>(std::move(image));
}

}   // namespace zp
