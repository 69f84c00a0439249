// SPDX-License-Identifier: MIT
// The board as a screen reader reads it: which tile lies in each slot, and the news of each move.
#pragma once

#include "engine/board_observer.h"

#include <QAccessible>
#include <QObject>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace zp {

class Game;
class PlayAreaWidget;
class TileControls;

// Slots are numbered in reading order, row by row from the top left, from 0. The record is
// taken afresh with each new board, refit and finished replay, and follows every landed move
// from then on, so that it holds still while a tile slides.
// After each landed move outside a replay, while assistive technology listens, it sends one event
// for each slot whose name or description changed, and, when the board has the focus, moves the
// focus to the new empty slot (the slot the arrow keys play around). A new board, a refit or the
// end of a replay sends a reset of the table and a change of the board's description instead,
// two events however many slots there are, and makes no slot's interface.
// A child of the play area; `game` and `tiles` must outlive it.
class BoardSlots : public QObject, private BoardObserver {
    Q_OBJECT
public:
    BoardSlots(Game& game, const TileControls& tiles, PlayAreaWidget* playArea);
    ~BoardSlots() override;

    PlayAreaWidget* playArea() const { return playArea_; }
    // Counts the records taken afresh: a new board, a refit, a finished replay.
    int boardNumber() const { return boardNumber_; }
    int columns() const { return cols_; }
    int rows() const { return rows_; }
    int count() const { return int(tileAt_.size()); }
    int emptySlot() const { return empty_; }
    // These require 0 <= slot < count().
    // The slot borders the empty slot: its tile can move.
    bool canMove(int slot) const;
    // "tile from row R, column C" by the tile's home slot, counted from 1, or "empty slot".
    QString name(int slot) const;
    QString description(int slot) const;   // "can move" or nothing
    QRect screenRect(int slot) const;      // in the screen's logical pixels
    // Presses the tile in `slot`, as a click on it does (nothing for the empty slot).
    void press(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveLanded(std::int16_t Index) override;
    void boardChanged() override;
    void rebuild();
    int slotAt(float left, float top) const;
    std::vector<int> neighbours(int slot) const;
    void send(QAccessible::Event type, int slot = -1) const;
    void focusEmptySlot() const;

    Game& game_;
    const TileControls& tiles_;
    PlayAreaWidget* playArea_;
    int cols_ = 0, rows_ = 0, empty_ = 0, boardNumber_ = 0;
    std::vector<std::int16_t> tileAt_;
};

}   // namespace zp
