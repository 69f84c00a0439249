// SPDX-License-Identifier: MIT
// Playing with the arrow keys while the play area has the focus.
#pragma once

#include <QObject>

class QWidget;

namespace zp {

class Game;
class TileControls;

// Watches the play area: an arrow key presses the tile that would move in the arrow's direction
// (tileForArrow), exactly as a click on it would, busy rules and history included; a key with no
// such tile does nothing. Changes of focus, place or size repaint the window around the play area,
// which draws the focus frame. Owned by the play area; `game` and `tiles` must outlive it.
class ArrowKeys : public QObject {
public:
    ArrowKeys(Game& game, const TileControls& tiles, QWidget* playArea);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Game& game_;
    const TileControls& tiles_;
    QWidget* playArea_;
};

}   // namespace zp
