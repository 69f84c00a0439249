// SPDX-License-Identifier: MIT
// Checks of the board's invariants and a snapshot of a game, shared by the tests and the fuzzer.
#pragma once

#include "engine/game.h"
#include "engine/size_rule.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <map>
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
    if (!size)
        return game.history().MoveCount() == 0 ? QString() : "history without a board";
    const int cols = size->cols, n = size->cols * size->rows;
    const long w = toPixels(tiles.width(0), tppx), h = toPixels(tiles.height(0), tppy);
    std::map<std::pair<long, long>, int> at;   // slot -> tile
    for (int k = 2; k <= n; ++k) {
        if (!tiles.exists(k) || !tiles[k].visible)
            return QString("tile %1 missing").arg(k);
        const long x = toPixels(tiles.left(k), tppx), y = toPixels(tiles.top(k), tppy);
        if (x % w || y % h || x < 0 || y < 0 || x / w >= cols || y / h >= size->rows)
            return QString("tile %1 off the grid at %2,%3").arg(k).arg(x).arg(y);
        if (!at.emplace(std::pair{x / w, y / h}, k).second)
            return QString("tiles %1 and %2 share a slot").arg(at[{x / w, y / h}]).arg(k);
    }
    std::pair<long, long> empty{toPixels(board.EmptyLeft, tppx) / w, toPixels(board.EmptyTop, tppy) / h};
    if (at.count(empty))
        return QString("tile %1 sits in the empty slot").arg(at[empty]);
    if (game.history().MoveCount() < 0 || game.history().MoveCount() > MoveHistory::Capacity)
        return "move count out of range";
    for (int i = game.history().MoveCount(); i >= 1; --i) {
        const int k = game.history().entry(i);
        auto it = std::find_if(at.begin(), at.end(), [k](const auto& e) { return e.second == k; });
        if (it == at.end())
            return QString("history entry %1 names no tile").arg(i);
        const auto slot = it->first;
        if (std::labs(slot.first - empty.first) + std::labs(slot.second - empty.second) != 1)
            return QString("history entry %1 (tile %2) does not border the empty slot").arg(i).arg(k);
        at.erase(it);
        at[empty] = k;
        empty = slot;
    }
    for (const auto& [slot, k] : at)
        if (slot.second * cols + slot.first + 1 != k)
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
    GameSnapshot s{{},
                   game.history().entries(),
                   {b.PicturePath, b.Cols, b.Rows, b.OldCols, b.OldRows},
                   b.EmptyLeft,
                   b.EmptyTop};
    for (int k = 0; k < tiles.end(); ++k)
        if (tiles.exists(k))
            s.tiles.emplace_back(k, tiles[k].rect, tiles[k].cell, tiles[k].visible);
    return s;
}

}   // namespace zp::test
