// SPDX-License-Identifier: MIT
// Pictures decoded by the game's picture decoder, and the picture loader with its limits.
#pragma once

#include "platform/picture.h"
#include "platform/picture_loader.h"
#include "platform/qt/picture_bounds.h"

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

// Loads the first image of a picture file (BMP, GIF, JPEG, TIFF, ...), turned upright by its
// orientation tag (EXIF) when it has a valid one. The file is opened here and decoded by the
// picture decoder, a process of its own under limits (see DecoderProcess::decode), whose
// pixels come back in shared memory. A picture without a size, with a side above MaxPictureSide
// or decoding to more than MaxPictureBytes is refused before anything is decoded, and so is JPEG
// data of more scans than hasTooManyScans allows; a decoder that fails in any way, a refusal.
// While it decodes, the program's events go on.
Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path);

// The decoder program is looked for beside the program (the build folder), then in
// ../libexec/zornik-puzzle/ from it (installed). Tests name their own copy here.
void useDecoderProgram(const QString& program);

// Starts a decoder, if none waits yet, so that the next picture does not wait for a process
// to start; loadPicture calls it after each picture, and the program before it starts Qt.
void startPictureDecoder();

// The loader the program uses: loadPicture behind the engine's interface. Made once the
// application is, it starts the first decoder at once, while the window is being built.
class QtPictureLoader : public PictureLoader {
public:
    QtPictureLoader() { startPictureDecoder(); }
    Result<PicturePtr> load(const QString& path) override
    {
        auto loaded = loadPicture(path);
        return loaded ? Result<PicturePtr>(*loaded) : loaded.refusal();
    }
};

}   // namespace zp
