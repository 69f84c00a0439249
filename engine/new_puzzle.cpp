// SPDX-License-Identifier: MIT
// A new, solved board cut from the picture, and the play area's background pattern.
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

bool Game::canCut(int w, int h) const
{
    return canCutPicture(w, h, parts_.sizeFields.columnsText(), parts_.sizeFields.rowsText());
}

bool Game::NewPuzzle()
{
    PictureClip& clip = parts_.PictureClip1;
    if (!clip.hasPicture() || !canCut(clip.width(), clip.height()))
        return false;
    const GridSize size = *usableGridSize(parts_.sizeFields.columnsText(), parts_.sizeFields.rowsText());
    const double tppx = parts_.platform.twipsPerPixelX();
    const double tppy = parts_.platform.twipsPerPixelY();
    activeSolve_ = 0;   // the board a solution was playing back is gone
    history.clear();
    const int W = clip.width(), H = clip.height();

    placePlayArea(tppx, tppy);

    Cols = parts_.sizeFields.columnsText();
    Rows = parts_.sizeFields.rowsText();
    TileControls& tiles = parts_.Image1;
    tiles.beginBatch();
    removeOldTiles();
    clip.setRows(size.rows);
    clip.setCols(size.cols);
    tiles.setWidth(0, toTwips(W / size.cols, tppx));
    tiles.setHeight(0, toTwips(H / size.rows, tppy));
    tiles.setPicture(0, 0);
    EmptyLeft = tiles.left(0);
    EmptyTop = tiles.top(0);
    createTiles(size.cols, size.rows);
    tiles.endBatch();
    PaintBackground();
    OldCols = Cols;
    OldRows = Rows;
    boardTppx_ = tppx;
    boardTppy_ = tppy;
    notifyBoardChanged();
    return true;
}

void Game::placePlayArea(double tppx, double tppy)
{
    const FormFrame& form = parts_.form;
    parts_.Picture1.move(centredPlayArea(form.outerWidth(), form.line6Y1(), form.line6Y2(),
                                         parts_.PictureClip1.width(), parts_.PictureClip1.height(), tppx,
                                         tppy));
}

void Game::removeOldTiles()
{
    const long long old = countOf(OldCols) * countOf(OldRows);
    for (long long k = 2; k <= old; ++k)
        if (parts_.Image1.exists(int(k)))
            parts_.Image1.remove(int(k));
}

// Tiles 2 .. cols x rows, row by row from the top, each at its home slot showing cell k - 1.
void Game::createTiles(int cols, int rows)
{
    TileControls& tiles = parts_.Image1;
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
    const double nx = parts_.Picture1.width() / pw, ny = parts_.Picture1.height() / ph;
    parts_.Picture1.setPattern({pw, ph, int(std::floor(nx)) + 1, int(std::floor(ny)) + 1});
}

}   // namespace zp
