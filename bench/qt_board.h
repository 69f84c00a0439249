// SPDX-License-Identifier: MIT
// A game on the real tile controls, shown by the real play-area widget, for the timings.
#pragma once

#include "engine/game.h"
#include "platform/picture_clip.h"
#include "platform/play_area_control.h"
#include "platform/qt/qt_platform.h"
#include "platform/tile_controls.h"
#include "tests/fake/fake_board.h"

#include <QImage>
#include <QWidget>

namespace zp {
class PlayAreaWidget;
}

namespace zp::bench {

// The engine, the controls and the play-area widget wired as the main window wires them, in a
// plain host window; only the window's frame readings and the size fields are stand-ins.
// Requires a QApplication.
class QtBoard {
public:
    QtBoard();
    QtBoard(const QtBoard&) = delete;
    QtBoard& operator=(const QtBoard&) = delete;

    // Builds a solved cols x rows board cut from `picture` with the play area at the host
    // window's top-left corner, shows the window and lets its first paint happen, so that the
    // one-off work of a new board is over. Returns false if NewPuzzle refused or the board
    // was never painted.
    bool build(const QImage& picture, int cols, int rows);

    QtPlatform platform;
    TileControls tiles;
    PlayAreaControl playArea;
    PictureClip clip;
    test::FakeFormFrame form;
    test::FakeSizeFields size;
    Game game{GameParts{platform, tiles, playArea, clip, form, size}};
    QWidget host;
    PlayAreaWidget* widget;   // owned by host
};

}   // namespace zp::bench
