// SPDX-License-Identifier: MIT
// Pictures decoded by Qt, and the picture loader with its limits.
#pragma once

#include "platform/picture.h"
#include "platform/picture_loader.h"

#include <QImage>
#include <QString>

namespace zp {

class QtPicture : public Picture {
public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// Largest decoded picture accepted: MaxPicturePixels at 4 bytes a pixel. The game's reads raise
// Qt's allocation limit to this.
inline constexpr long long MaxPictureBytes = 4 * MaxPicturePixels;
inline constexpr int MaxPictureMiB = int(MaxPictureBytes / (1024 * 1024));

// Loads the first image of a picture file (BMP, GIF, JPEG, TIFF, ...), turned upright by its
// orientation tag (EXIF) when it has a valid one. The size is read from the header first: a picture
// without one, with a side above MaxPictureSide or decoding to more than MaxPictureBytes is refused
// before anything is decoded, and so is JPEG data of more scans than hasTooManyScans allows.
Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path);

// The loader the program uses: loadPicture behind the engine's interface.
class QtPictureLoader : public PictureLoader {
public:
    Result<PicturePtr> load(const QString& path) override
    {
        auto loaded = loadPicture(path);
        return loaded ? Result<PicturePtr>(*loaded) : loaded.refusal();
    }
};

}   // namespace zp
