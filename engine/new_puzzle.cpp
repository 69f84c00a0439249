// SPDX-License-Identifier: MIT
// A new, solved board cut from the picture, laid out again when the screen's twips-per-pixel
// factors change, and the play area's background pattern.
#include "engine/game.h"

#include "engine/form_frame.h"
#include "engine/size_fields.h"
#include "engine/size_rule.h"
#include "platform/picture_clip.h"
#include "platform/platform.h"
#include "platform/play_area_control.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

#include <cmath>

namespace zp {

namespace {
long long countOf(const QString& text) { return parseSizeText(text).value_or(0); }
}   // namespace

Result<GridSize> Game::gridFor(int w, int h) const
{
    return cutGrid(w, h, parts_.sizeFields.columnsText(), parts_.sizeFields.rowsText());
}

Result<> Game::newPuzzleFrom(PicturePtr picture, const QString& path)
{
    if (const auto grid = gridFor(picture->width(), picture->height()); !grid)
        return grid.refusal();
    parts_.pictureClip.setPicture(std::move(picture));
    board_.PicturePath = path;
    return NewPuzzle();
}

Result<> Game::NewPuzzle()
{
    PictureClip& clip = parts_.pictureClip;
    const Result<GridSize> size = gridFor(clip.width(), clip.height());   // no picture: 0 x 0, refused
    if (!size)
        return size.refusal();
    const double tppx = parts_.platform.twipsPerPixelX();
    const double tppy = parts_.platform.twipsPerPixelY();
    activeSolve_ = 0;   // the board a solution was playing back is gone
    history_.clear();
    const int W = clip.width(), H = clip.height();

    placePlayArea(tppx, tppy);

    board_.Cols = parts_.sizeFields.columnsText();
    board_.Rows = parts_.sizeFields.rowsText();
    TileControls& tiles = parts_.tiles;
    tiles.beginBatch();
    removeOldTiles();
    clip.setRows(size->rows);
    clip.setCols(size->cols);
    tiles.setWidth(0, toTwips(W / size->cols, tppx));
    tiles.setHeight(0, toTwips(H / size->rows, tppy));
    tiles.setPicture(0, 0);
    board_.EmptyLeft = tiles.left(0);
    board_.EmptyTop = tiles.top(0);
    createTiles(size->cols, size->rows);
    tiles.endBatch();
    PaintBackground();
    board_.OldCols = board_.Cols;
    board_.OldRows = board_.Rows;
    boardTppx_ = tppx;
    boardTppy_ = tppy;
    notifyBoardChanged();
    return Done{};
}

void Game::placePlayArea(double tppx, double tppy)
{
    const FormFrame& form = parts_.form;
    parts_.playArea.move(centredPlayArea(form.outerWidth(), form.line6Y1(), form.line6Y2(),
                                         parts_.pictureClip.width(), parts_.pictureClip.height(), tppx,
                                         tppy));
}

void Game::removeOldTiles()
{
    const long long old = countOf(board_.OldCols) * countOf(board_.OldRows);
    for (long long k = 2; k <= old; ++k)
        if (parts_.tiles.exists(int(k)))
            parts_.tiles.remove(int(k));
}

// Tiles 2 .. cols x rows, row by row from the top, each at its home slot showing cell k - 1.
void Game::createTiles(int cols, int rows)
{
    TileControls& tiles = parts_.tiles;
    const double tppx = parts_.platform.twipsPerPixelX();
    const double tppy = parts_.platform.twipsPerPixelY();
    const long w = toPixels(tiles.width(0), tppx), h = toPixels(tiles.height(0), tppy);
    const long L0 = toPixels(tiles.left(0), tppx), T0 = toPixels(tiles.top(0), tppy);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (r == 0 && c == 0)
                continue;
            const int k = r * cols + c + 1;
            tiles.create(k);
            tiles.move(k, toTwips(L0 + c * w, tppx), toTwips(T0 + r * h, tppy));
            tiles.setPicture(k, k - 1);
            tiles.show(k);
        }
    }
}

void Game::PaintBackground()
{
    const float pw = parts_.form.patternWidth(), ph = parts_.form.patternHeight();
    if (pw <= 0 || ph <= 0)
        return;
    const double nx = parts_.playArea.width() / pw, ny = parts_.playArea.height() / ph;
    parts_.playArea.setPattern({pw, ph, int(std::floor(nx)) + 1, int(std::floor(ny)) + 1});
}

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
    if (board_.OldCols.isEmpty() || (oldX == tppx && oldY == tppy))
        return;
    TileControls& tiles = parts_.tiles;
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
    board_.EmptyLeft = x(board_.EmptyLeft);
    board_.EmptyTop = y(board_.EmptyTop);
    boardTppx_ = tppx;
    boardTppy_ = tppy;
    placePlayArea(tppx, tppy);
    PaintBackground();
    notifyBoardChanged();
}

}   // namespace zp
