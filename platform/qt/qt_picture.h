// SPDX-License-Identifier: MIT
// Pictures decoded by the game's picture decoder, and the picture loader with its limits.
#pragma once

#include "platform/decoder/decode_ahead.h"
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

// The decoder programs (zornik-puzzle-jpeg-decoder for JPEG photos, zornik-puzzle-decoder for
// every format) are looked for beside the program (the build folder), then in
// ../libexec/zornik-puzzle/ from it (installed). Tests and benchmarks name their own here; an empty
// `jpeg` sends every picture to `any`.
void useDecoderPrograms(const QString& jpeg, const QString& any);

// Starts a decoder of each kind, if none waits yet, so that the next picture does not wait for a
// process to start; loadPicture has it called once the window has shown each picture.
void startPictureDecoders();

// Takes over a decode sent before Qt was loaded (decoder::decodeAhead, by the program's launcher):
// loadPicture takes its pixels if it is asked for the same file, unchanged.
void takeOverAhead(const decoder::Ahead& ahead);

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
