// SPDX-License-Identifier: MIT
// Times the steps of loading one photo, for bench/photo_formats.sh: its decode through Qt's reader
// (with the game's photo formats), the conversion to the painter's format, the conversion of its
// colours to sRGB, and the loader's whole way. Prints "decode MS format MS colours MS load MS".
#include "platform/qt/formats/import_photo_formats.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/true_colours.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: photo_probe PICTURE\n");
        return 2;
    }
    zp::useDecoderPrograms(ZP_JPEG_DECODER, ZP_DECODER);   // the build folder's, beside the game
    QImageReader::setAllocationLimit(zp::MaxPictureMiB);
    QElapsedTimer clock;
    clock.start();
    QFile file(argv[1]);
    QImageReader reader(&file);
    QImage image = reader.read();
    const double decode = clock.nsecsElapsed() / 1e6;
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const double format = clock.nsecsElapsed() / 1e6 - decode;
    const bool tagged = image.colorSpace().isValid();
    zp::makeUprightSrgb(image, file);
    const double colours = clock.nsecsElapsed() / 1e6 - decode - format;
    clock.restart();
    const auto loaded = zp::loadPicture(argv[1]);
    const double load = clock.nsecsElapsed() / 1e6;
    if (image.isNull() || !loaded || !tagged)
        std::fprintf(stderr, "photo_probe: %s\n",
                     image.isNull() || !loaded ? "not loaded" : "no colour space");
    std::printf("decode %.1f format %.1f colours %.1f load %.1f\n", decode, format, colours, load);
    return image.isNull() || !loaded ? 1 : 0;
}
