// The picture loader.
#include "platform/qt/qt_picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace zp {

LoadedPicture loadPicture(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {nullptr, QStringLiteral("not a file")};
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return {nullptr, QStringLiteral("not a picture: ") + reader.errorString()};
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide ||
        4LL * size.width() * size.height() > MaxPictureBytes)
        return {nullptr, QStringLiteral("picture too large")};
    QImage image;
    reader.setAllocationLimit(MaxPictureMiB);
    if (!reader.read(&image) || image.isNull())
        return {nullptr, QStringLiteral("cannot decode: ") + reader.errorString()};
    // One conversion to a format the painter draws fast; in place where the depth allows.
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return {std::make_shared<const QtPicture>(std::move(image)), {}};
}

} // namespace zp
