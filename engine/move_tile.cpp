// SPDX-License-Identifier: MIT
// The move rule and the one-pixel slide.
#include "engine/game.h"

#include "engine/board_observer.h"
#include "platform/platform.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

#include <cstdlib>

namespace zp {

bool Game::MoveTile(std::int16_t Index) { return move(Index, Record::Yes); }

bool Game::playBackMove(std::int16_t Index) { return move(Index, Record::No); }

// Positions are compared as whole screen pixels, not as raw twips: with a factor such as
// 1440/110 the float sums of twips need not match exactly, pixels always do.
bool Game::move(std::int16_t Index, Record record)
{
    TileControls& tiles = parts_.tiles;
    if (Index < 2 || !tiles.exists(Index))
        return false;
    const float L = tiles.left(Index);
    const float T = tiles.top(Index);
    const double tppx = parts_.platform.twipsPerPixelX();
    const double tppy = parts_.platform.twipsPerPixelY();

    bool vertical = false;
    if (toPixels(L, tppx) == toPixels(board_.EmptyLeft, tppx)) {
        const long d = std::labs(toPixels(board_.EmptyTop, tppy) - toPixels(T, tppy));
        vertical = toPixels(tiles.height(0), tppy) == d;
    }
    const bool horizontal = !vertical && toPixels(T, tppy) == toPixels(board_.EmptyTop, tppy) &&
        toPixels(tiles.width(0), tppx) == std::labs(toPixels(board_.EmptyLeft, tppx) - toPixels(L, tppx));
    if (!vertical && !horizontal)
        return false;
    // A full history must refuse the move before the board changes.
    if (record == Record::Yes && !history_.canRecord(Index)) {
        parts_.platform.beep();
        return false;
    }
    if (!slide(Index, L, T, vertical))
        return false;
    if (record == Record::Yes)
        history_.RecordMove(Index);
    (vertical ? board_.EmptyTop : board_.EmptyLeft) = vertical ? T : L;
    for (BoardObserver* o : observers_)
        o->moveLanded(Index);
    if (refitDue_)
        refit();
    return true;
}

// Visits every pixel position from the tile's place to the empty slot, both ends included,
// letting events run after each step; off screen only the last. Returns false if the program
// began closing.
bool Game::slide(std::int16_t Index, float fromLeft, float fromTop, bool vertical)
{
    const double tpp = vertical ? parts_.platform.twipsPerPixelY() : parts_.platform.twipsPerPixelX();
    const float start = vertical ? fromTop : fromLeft;
    const float target = vertical ? board_.EmptyTop : board_.EmptyLeft;
    const long from = toPixels(start, tpp), to = toPixels(target, tpp);
    const long step = to > from ? 1 : -1;
    sliding_ = true;
    for (long pixel = boardShown_ ? from : to;; pixel += step) {
        const float pos = pixel == from ? start : pixel == to ? target : toTwips(pixel, tpp);
        if (vertical)
            parts_.tiles.move(Index, board_.EmptyLeft, pos);
        else
            parts_.tiles.move(Index, pos, board_.EmptyTop);
        parts_.platform.processEvents();
        if (closing_ || pixel == to)
            break;
    }
    sliding_ = false;
    return !closing_;
}

}   // namespace zp
