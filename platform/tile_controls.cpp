// SPDX-License-Identifier: MIT
// The tile control array: its records, and what each change tells the index and the view.
#include "platform/tile_controls.h"

namespace zp {

TileControls::TileControls()
{
    tiles_.push_back(TileRecord{{0, 0, BaseTileTwips, BaseTileTwips}, -1, true, false});
}

void TileControls::create(int k)
{
    if (k >= int(tiles_.size()))
        tiles_.resize(k + 1);
    tiles_[k] = tiles_[0];
    tiles_[k].visible = false;
}

void TileControls::remove(int k)
{
    const TileRecord old = tiles_[k];
    tiles_[k] = TileRecord{};
    while (tiles_.size() > 1 && !tiles_.back().exists)
        tiles_.pop_back();
    if (old.visible) {
        index_.erase(k, old.rect);
        notifier_.areaChanged(old.rect, true);
    }
}

void TileControls::move(int k, float left, float top)
{
    TileRecord& t = tiles_[k];
    const TwipsRect before = t.rect;
    t.rect.left = left;
    t.rect.top = top;
    if (t.visible)
        index_.moved(k, before, t.rect);
    changed(k, before);
}

void TileControls::setWidth(int k, float width)
{
    const TwipsRect before = tiles_[k].rect;
    tiles_[k].rect.width = width;
    resized(k, before);
}

void TileControls::setHeight(int k, float height)
{
    const TwipsRect before = tiles_[k].rect;
    tiles_[k].rect.height = height;
    resized(k, before);
}

void TileControls::setPicture(int k, int cell)
{
    tiles_[k].cell = cell;
    changed(k, tiles_[k].rect);
}

void TileControls::show(int k)
{
    if (tiles_[k].visible)
        return;
    tiles_[k].visible = true;
    index_.invalidate();
    changed(k, tiles_[k].rect);
}

// The buckets are as large as the largest tile: a new size calls for new buckets.
void TileControls::resized(int k, const TwipsRect& before)
{
    index_.invalidate();
    changed(k, before);
}

// What a visible tile covered before and covers now shows something else.
void TileControls::changed(int k, const TwipsRect& before)
{
    notifier_.areaChanged(united(before, tiles_[k].rect), tiles_[k].visible);
}

}   // namespace zp
