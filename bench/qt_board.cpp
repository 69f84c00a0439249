// SPDX-License-Identifier: MIT
// Building and showing a board for the timings.
#include "bench/qt_board.h"

#include "bench/paint_watch.h"

#include "platform/qt/play_area_widget.h"
#include "platform/qt/qt_picture.h"

#include <QCoreApplication>

namespace zp::bench {

namespace {
// A stand-in for the program's 64 x 64 background pattern: same size, same painting cost.
QImage patternImage()
{
    QImage pattern(64, 64, QImage::Format_RGB32);
    pattern.fill(QColor(224, 220, 200));
    return pattern;
}
}   // namespace

QtBoard::QtBoard() : widget(new PlayAreaWidget(platform, tiles, playArea, clip, &host))
{
    platform.setWindow(&host);
    widget->setPattern(patternImage());
}

bool QtBoard::build(const QImage& picture, int cols, int rows)
{
    const double tx = platform.twipsPerPixelX(), ty = platform.twipsPerPixelY();
    // NewPuzzle centres the play area on the window's outer width and on frame line 6;
    // these readings put it at the window's top-left corner.
    form.outer = float(picture.width() * tx);
    form.y1 = 0;
    form.y2 = float(picture.height() * ty);
    clip.setPicture(std::make_shared<QtPicture>(picture));
    size.cols = QString::number(cols);
    size.rows = QString::number(rows);
    if (!game.NewPuzzle())
        return false;
    host.resize((QSizeF(picture.size()) / host.devicePixelRatioF()).toSize());   // the board's device pixels
    host.show();
    bool painted = false;
    PaintWatch watch(widget, [&] { painted = true; });
    // The window is exposed and painted over a few rounds of events.
    for (int round = 0; round < 100 && !painted; ++round)
        QCoreApplication::processEvents();
    return painted;
}

}   // namespace zp::bench
