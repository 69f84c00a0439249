// SPDX-License-Identifier: MIT
// Keeping the board in play when the screen's twips-per-pixel factors change.
#include "engine/game.h"

#include "platform/platform.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

namespace zp {

void Game::factorsChanged()
{
    // A sliding tile and the empty slot are in the old factors until the tile has landed.
    if (sliding_)
        refitDue_ = true;
    else
        refit();
}

// Slots are read in whole pixels of the factors the board was laid out with; tile sizes in
// pixels do not change, only what a pixel is in twips.
void Game::refit()
{
    refitDue_ = false;
    const double oldX = boardTppx_, oldY = boardTppy_;
    const double tppx = parts_.platform.twipsPerPixelX(), tppy = parts_.platform.twipsPerPixelY();
    if (OldCols.isEmpty() || (oldX == tppx && oldY == tppy))
        return;
    TileControls& tiles = parts_.Image1;
    const long w = toPixels(tiles.width(0), oldX), h = toPixels(tiles.height(0), oldY);
    const long L0 = toPixels(tiles.left(0), oldX), T0 = toPixels(tiles.top(0), oldY);
    const long newL0 = toPixels(tiles.left(0), tppx), newT0 = toPixels(tiles.top(0), tppy);
    // A place on the grid, old twips to new twips.
    const auto x = [&](float left) { return toTwips(newL0 + (toPixels(left, oldX) - L0) / w * w, tppx); };
    const auto y = [&](float top) { return toTwips(newT0 + (toPixels(top, oldY) - T0) / h * h, tppy); };
    tiles.beginBatch();
    for (int k = 0; k < tiles.end(); ++k) {
        if (!tiles.exists(k))
            continue;
        tiles.setWidth(k, toTwips(w, tppx));
        tiles.setHeight(k, toTwips(h, tppy));
        if (k >= 2)
            tiles.move(k, x(tiles.left(k)), y(tiles.top(k)));
    }
    tiles.endBatch();
    EmptyLeft = x(EmptyLeft);
    EmptyTop = y(EmptyTop);
    boardTppx_ = tppx;
    boardTppy_ = tppy;
    placePlayArea(tppx, tppy);
    PaintBackground();
    notifyBoardChanged();
}

}   // namespace zp
