// SPDX-License-Identifier: MIT
// Peak memory of the program with an 8000 x 6000 photo-sized picture, and of a bare Qt window.
//
//   memory_probe picture PATH   writes the 8000 x 6000 JPEG to PATH
//   memory_probe game N         the main window as the program builds it, from "intro.jpg" in
//                               the current folder, re-cut N x N, shown and painted once;
//                               prints "PEAK_KIB PICTURE_BYTES"
//   memory_probe bare           one plain window shown and painted once; prints "PEAK_KIB"
//
// The peak is VmHWM, so each measurement needs a process of its own.
#include "bench/paint_watch.h"
#include "bench/proc_status.h"
#include "platform/qt/play_area_widget.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Smooth colour fields with a grid of marks, so the JPEG is neither trivial nor huge.
int writePicture(const char* path)
{
    QImage image(8000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool mark = (x % 100 < 8) || (y % 100 < 8);
            line[x] = mark ? qRgb(255, 255, 255) : qRgb(x * 255 / 8000, y * 255 / 6000, (x + y) % 256);
        }
    }
    return image.save(QString::fromLocal8Bit(path), "JPEG", 90) ? 0 : 1;
}

// Runs the event loop until `widget` has been painted once; false if that never happens.
bool runUntilPainted(QWidget* widget)
{
    zp::bench::PaintWatch watch(widget, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
    bool timedOut = false;
    QTimer::singleShot(30000, qApp, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    return !timedOut;
}

// The game's peak counts the picture's shared memory in full: the decoder filled all of it, while
// the game has read only the pages it painted.
int printPeak(long long pictureBytes)
{
    const auto peak = zp::bench::peakResidentKiB(), shared = zp::bench::sharedResidentKiB();
    if (!peak || !shared)
        return 1;
    if (pictureBytes > 0)
        std::printf("%lld %lld\n", *peak - *shared + pictureBytes / 1024, pictureBytes);
    else
        std::printf("%lld\n", *peak);
    return 0;
}

int measureBare()
{
    QWidget window;
    window.resize(506, 447);   // the main window's size at 96 dpi
    window.show();
    return runUntilPainted(&window) ? printPeak(0) : 1;
}

int measureGame(const char* size)
{
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load({});
    window.sizeDialog()->setColumnsText(QString::fromLatin1(size));
    window.sizeDialog()->setRowsText(QString::fromLatin1(size));
    const zp::PictureClip& clip = window.PictureClip1();
    if (!clip.hasPicture() || !window.game().NewPuzzle()) {
        std::fprintf(stderr, "memory_probe: no %s x %s board from intro.jpg\n", size, size);
        return 1;
    }
    window.show();
    if (!runUntilPainted(window.Picture1()))
        return 1;
    return printPeak(4LL * clip.width() * clip.height());
}

}   // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "picture") == 0)
        return writePicture(argv[2]);
    const bool game = argc == 3 && std::strcmp(argv[1], "game") == 0;
    if (!game && (argc != 2 || std::strcmp(argv[1], "bare") != 0)) {
        std::fprintf(stderr, "usage: memory_probe picture PATH | game N | bare\n");
        return 2;
    }
    QApplication app(argc, argv);
    zp::useDecoderPrograms(ZP_JPEG_DECODER, ZP_DECODER);   // the build folder's, beside the game
    return game ? measureGame(argv[2]) : measureBare();
}
