// SPDX-License-Identifier: MIT
// HEIF pictures (HEIC, AVIF) read through libheif.
#pragma once

#include <QImageIOHandler>

#include <memory>

struct heif_context;
struct heif_image_handle;

namespace zp {

// Reads the primary image of a HEIF file, upright as libheif turns it (irot, imir), at 8 bits a
// channel, with its alpha and its colour space (ICC profile or nclx) set on the image. The size
// comes from the file's boxes (ispe, grid) before anything is decoded; a side above the game's
// limit is refused by libheif itself while it reads the boxes.
class HeifHandler : public QImageIOHandler {
public:
    HeifHandler();
    ~HeifHandler() override;
    // Whether `device` starts like a HEIF file libheif can decode; the device is only peeked.
    static bool canRead(QIODevice* device);
    bool canRead() const override;
    bool read(QImage* image) override;
    QVariant option(ImageOption option) const override;
    bool supportsOption(ImageOption option) const override;

private:
    // Reads the file and its boxes once; false when they are no HEIF picture.
    bool parse();

    bool parsed_ = false;
    QByteArray bytes_;   // libheif reads the boxes in place, so they live as long as the context
    std::unique_ptr<heif_context, void (*)(heif_context*)> context_;
    std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> primary_;
};

}   // namespace zp
