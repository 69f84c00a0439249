// SPDX-License-Identifier: MIT
// Checks of the board's invariants and a snapshot of a game, shared by the tests and the fuzzer.
#pragma once

#include "engine/game.h"
#include "engine/size_rule.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

#include <QString>
#include <QStringList>

#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

namespace zp::test {

// Empty when the board is sound: every tile 2..cols x rows sits exactly on its own slot, no
// two share one, the empty slot is free, and playing the history back in reverse leads to
// the solved board. Otherwise a description of the first fault found.
inline QString boardFault(const Game& game, const TileControls& tiles, double tppx, double tppy)
{
    const BoardState& board = game.board();
    const auto size = usableGridSize(board.OldCols, board.OldRows);
    const int count = game.history().MoveCount();
    if (!size)
        return count == 0 ? QString() : "history without a board";
    const int cols = size->cols, n = size->cols * size->rows;
    const long w = toPixels(tiles.width(0), tppx), h = toPixels(tiles.height(0), tppy);
    const auto slot = [&](float left, float top) {   // slots numbered row by row from 0; -1: none
        const long x = toPixels(left, tppx), y = toPixels(top, tppy);
        const bool on = x % w == 0 && y % h == 0 && x >= 0 && y >= 0 && x / w < cols && y / h < size->rows;
        return on ? int(y / h * cols + x / w) : -1;
    };
    std::vector<int> slotOf(n + 1, -1), tileAt(n, 0);
    for (int k = 2; k <= n; ++k) {
        if (!tiles.exists(k) || !tiles[k].visible)
            return QString("tile %1 missing").arg(k);
        if ((slotOf[k] = slot(tiles.left(k), tiles.top(k))) < 0)
            return QString("tile %1 off the grid at %2,%3").arg(k).arg(tiles.left(k)).arg(tiles.top(k));
        if (const int other = std::exchange(tileAt[slotOf[k]], k))
            return QString("tiles %1 and %2 share a slot").arg(other).arg(k);
    }
    int empty = slot(board.EmptyLeft, board.EmptyTop);
    if (empty < 0 || tileAt[empty])
        return "the empty slot is off the grid or holds a tile";
    if (count < 0 || count > MoveHistory::Capacity)
        return "move count out of range";
    for (int i = count; i >= 1; --i) {
        const int k = game.history().entry(i), s = k >= 2 && k <= n ? slotOf[k] : -1;
        if (s < 0 || std::abs(s % cols - empty % cols) + std::abs(s / cols - empty / cols) != 1)
            return QString("history entry %1 (tile %2) does not border the empty slot").arg(i).arg(k);
        std::swap(slotOf[k], empty);
    }
    for (int k = 2; k <= n; ++k)
        if (slotOf[k] != k - 1)
            return QString("history does not lead back to solved (tile %1)").arg(k);
    return {};
}

// Everything of a game in play that a refused command must leave as it was.
struct GameSnapshot {
    std::vector<std::tuple<int, TwipsRect, int, bool>> tiles;   // element, place, cell, visible
    std::vector<std::int16_t> history;
    QStringList texts;   // picture path, size texts in play and as last built, and any a caller adds
    float emptyLeft = 0, emptyTop = 0;
    bool operator==(const GameSnapshot&) const = default;
};

inline GameSnapshot snapshotOf(const Game& game, const TileControls& tiles)
{
    const BoardState& b = game.board();
    GameSnapshot s{{}, game.history().entries(), {b.PicturePath, b.Cols, b.Rows, b.OldCols, b.OldRows}};
    s.emptyLeft = b.EmptyLeft;
    s.emptyTop = b.EmptyTop;
    for (int k = 0; k < tiles.end(); ++k)
        if (tiles.exists(k))
            s.tiles.emplace_back(k, tiles[k].rect, tiles[k].cell, tiles[k].visible);
    return s;
}

}   // namespace zp::test
