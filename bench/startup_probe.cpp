// SPDX-License-Identifier: MIT
// Start-up to first paint, timed from outside by bench/run.
//
//   startup_probe_game   the program's window built exactly as the program starts it, from
//                        "intro.jpg" in the current folder, through the program's launcher;
//                        ends once the board is painted
//   startup_probe bare   a plain Qt window; ends once it is painted
//   startup_probe text   the same window showing one line of text, to tell how much of the
//                        difference is the first use of fonts
//
// The process ends at once after that first paint, without tearing anything down, so that
// only the way to the first painted window is timed.
#include "bench/paint_watch.h"
#include "platform/qt/play_area_widget.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_platform.h"
#include "ui/form1.h"
#include "ui/game_entry.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Once the paint `widget` is about to receive is done, prints the time (microseconds since the
// epoch, as bash's EPOCHREALTIME) and ends the process: what it then takes to tear the process down
// is no part of the start. After 30 s without a paint, ends with status 3 (a message box waiting
// for an answer, for example).
int exitAfterFirstPaint(QWidget* widget)
{
    zp::bench::PaintWatch watch(widget, [] {
        QTimer::singleShot(0, [] {
            timespec now{};
            ::clock_gettime(CLOCK_REALTIME, &now);
            std::printf("%lld\n", now.tv_sec * 1000000LL + now.tv_nsec / 1000);
            std::fflush(stdout);
            std::_Exit(0);
        });
    });
    QTimer::singleShot(30000, [] { std::_Exit(3); });
    QApplication::exec();
    return 1;
}

int plainWindow(bool withText)
{
    QWidget window;
    window.resize(506, 447);   // the main window's size at 96 dpi
    if (withText)
        new QLabel(QStringLiteral("Zornik PUZZLE!"), &window);
    window.show();
    return exitAfterFirstPaint(&window);
}

// The program's start, as the game's entry does it, with no arguments.
int gameWindow()
{
    if (!QFileInfo::exists(QStringLiteral("intro.jpg"))) {
        std::fprintf(stderr, "startup_probe_game: no intro.jpg in the current folder\n");
        return 2;
    }
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load({});
    window.show();
    return exitAfterFirstPaint(window.Picture1());
}

}   // namespace

// The game mode, in the module that startup_probe_game (the program's launcher) loads.
int zp_game_main(int argc, char* argv[], const zp::decoder::Ahead* ahead)
{
    if (ahead)
        zp::takeOverAhead(*ahead);
    else
        zp::startPictureDecoders();
    QApplication app(argc, argv);
    return gameWindow();
}

// The bare windows, in a program linked with Qt as any.
int main(int argc, char* argv[])
{
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "bare" && mode != "text") {
        std::fprintf(stderr, "usage: startup_probe bare | text\n");
        return 2;
    }
    QApplication app(argc, argv);
    return plainWindow(mode == "text");
}
