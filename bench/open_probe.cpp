// SPDX-License-Identifier: MIT
// Opening a long game, timed: 1000 moves on a 4 x 4 board of 75 x 50-pixel tiles, 500 of them
// across (76 steps each) and 500 up or down (51 steps each), 63,500 one-pixel steps in all.
//
//   open_probe write DIR           writes DIR/long.bmp (300 x 200) and DIR/long.pzl
//   open_probe visible FILE        the program's window shown and painted, then FILE opened as
//                                  "Open" opens it, until the X server (if any) has the last
//                                  frame; prints "WALL_US CPU_US PAINTS MOVES"
//   open_probe command-line FILE   the program started with FILE on its command line, from the
//                                  window's making to its first painted board; prints
//                                  "WALL_US CPU_US"
//
// PAINTS counts the play area's paint events during the open; MOVES is the history it leaves.
#include "bench/paint_watch.h"
#include "platform/qt/play_area_widget.h"
#include "ui/form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int Moves = 1000;

long long cpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

// The tiles around the top-left 2 x 2 block in turn: the empty slot goes right, down, left and
// up again, so moves alternate between across and up or down, and no tile moves twice running.
QByteArray movesText()
{
    int grid[2][2] = {{0, 2}, {5, 6}};   // tile in each slot (row, column); 0: empty
    int row = 0, col = 0;
    const int step[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    QByteArray text;
    for (int i = 0; i < Moves; ++i) {
        const int r = row + step[i % 4][0], c = col + step[i % 4][1];
        text += ' ' + QByteArray::number(grid[r][c]) + " \r\n";
        grid[row][col] = grid[r][c];
        grid[r][c] = 0;
        row = r;
        col = c;
    }
    return text;
}

int writeGame(const QString& dir)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 300, y * 255 / 200, (x / 75 + y / 50) * 40));
    const QString picturePath = QDir(dir).absoluteFilePath(QStringLiteral("long.bmp"));
    QFile file(QDir(dir).filePath(QStringLiteral("long.pzl")));
    const QByteArray text =
        picturePath.toUtf8() + "\r\n4\r\n4\r\n " + QByteArray::number(Moves) + " \r\n" + movesText();
    if (!picture.save(picturePath, "BMP") || !file.open(QIODevice::WriteOnly) ||
        file.write(text) != text.size())
        return 1;
    return 0;
}

// Runs events until `widget` has been painted once; false after 30 s without. A loop of its own:
// quitting the application's loop would close the window.
bool runUntilPainted(QWidget* widget)
{
    QEventLoop loop;
    zp::bench::PaintWatch watch(widget, [&] { QTimer::singleShot(0, &loop, &QEventLoop::quit); });
    QTimer::singleShot(30000, &loop, [&] { loop.exit(1); });
    return loop.exec() == 0;
}

int openVisible(const QString& file)
{
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load({});
    window.show();
    if (!runUntilPainted(window.Picture1()))
        return 1;
    int paints = 0;
    zp::bench::PaintWatch watch(window.Picture1(), [&] { ++paints; });
    QElapsedTimer wall;
    const long long cpu = cpuMicroseconds();
    wall.start();
    window.openPuzzleFile(file);
    QGuiApplication::sync();   // every frame sent has reached the window system
    std::printf("%lld %lld %d %d\n", wall.nsecsElapsed() / 1000, cpuMicroseconds() - cpu, paints,
                window.game().history().MoveCount());
    return window.game().history().MoveCount() == Moves ? 0 : 1;
}

int openFromCommandLine(const QString& file)
{
    QElapsedTimer wall;
    const long long cpu = cpuMicroseconds();
    wall.start();
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load({file});
    window.show();
    if (!runUntilPainted(window.Picture1()))
        return 1;
    std::printf("%lld %lld\n", wall.nsecsElapsed() / 1000, cpuMicroseconds() - cpu);
    return window.game().history().MoveCount() == Moves ? 0 : 1;
}

}   // namespace

int main(int argc, char* argv[])
{
    const char* mode = argc == 3 ? argv[1] : "";
    if (std::strcmp(mode, "write") != 0 && std::strcmp(mode, "visible") != 0 &&
        std::strcmp(mode, "command-line") != 0) {
        std::fprintf(stderr, "usage: open_probe write DIR | visible FILE | command-line FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    zp::useDecoderPrograms(ZP_JPEG_DECODER, ZP_DECODER);   // the build folder's, beside the game
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(mode, "write") == 0)
        return writeGame(path);
    return std::strcmp(mode, "visible") == 0 ? openVisible(path) : openFromCommandLine(path);
}
