// SPDX-License-Identifier: MIT
// The tile control array and its spatial index.
#include "platform/tile_controls.h"

#include "platform/control_listener.h"

#include <algorithm>
#include <cmath>

namespace zp {

TileControls::TileControls()
{
    tiles_.resize(1);
    tiles_[0] = TileRecord{{0, 0, 408, 408}, -1, true, false};
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
    if (old.visible)
        indexErase(k);
    tiles_[k] = TileRecord{};
    while (tiles_.size() > 1 && !tiles_.back().exists)
        tiles_.pop_back();
    if (old.visible)
        changed(-1, old.rect);
}

void TileControls::move(int k, float left, float top)
{
    TileRecord& t = tiles_[k];
    const TwipsRect before = t.rect;
    if (t.visible && !indexDirty_ && keyOf(before) != keyOf({left, top, 0, 0})) {
        indexErase(k);
        t.rect.left = left;
        t.rect.top = top;
        indexInsert(k);
    } else {
        t.rect.left = left;
        t.rect.top = top;
    }
    changed(k, before);
}

void TileControls::setWidth(int k, float width)
{
    const TwipsRect before = tiles_[k].rect;
    tiles_[k].rect.width = width;
    indexDirty_ = true;
    changed(k, before);
}

void TileControls::setHeight(int k, float height)
{
    const TwipsRect before = tiles_[k].rect;
    tiles_[k].rect.height = height;
    indexDirty_ = true;
    changed(k, before);
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
    indexDirty_ = true;
    changed(k, tiles_[k].rect);
}

void TileControls::endBatch()
{
    if (--batch_ == 0 && batchChanged_) {
        batchChanged_ = false;
        if (listener_)
            listener_->allChanged();
    }
}

void TileControls::changed(int k, const TwipsRect& before)
{
    if (batch_ > 0) {
        batchChanged_ = true;
        return;
    }
    if (!listener_)
        return;
    if (k < 0)
        listener_->areaChanged(before);
    else if (tiles_[k].visible)
        listener_->areaChanged(united(before, tiles_[k].rect));
}

TileControls::Key TileControls::keyOf(const TwipsRect& r) const
{
    const auto col = static_cast<std::int64_t>(std::floor(r.left / bucketW_));
    const auto row = static_cast<std::int64_t>(std::floor(r.top / bucketH_));
    return (row << 32) ^ (col & 0xffffffff);
}

void TileControls::indexInsert(int k) { buckets_[keyOf(tiles_[k].rect)].push_back(k); }

void TileControls::indexErase(int k)
{
    if (indexDirty_)
        return;
    auto it = buckets_.find(keyOf(tiles_[k].rect));
    if (it == buckets_.end())
        return;
    std::erase(it->second, k);
    if (it->second.empty())
        buckets_.erase(it);
}

void TileControls::rebuildIndex() const
{
    float w = 1, h = 1;
    for (const TileRecord& t : tiles_) {
        if (t.visible) {
            w = std::max(w, t.rect.width);
            h = std::max(h, t.rect.height);
        }
    }
    bucketW_ = w;
    bucketH_ = h;
    buckets_.clear();
    for (int k = 0; k < int(tiles_.size()); ++k)
        if (tiles_[k].visible)
            buckets_[keyOf(tiles_[k].rect)].push_back(k);
    indexDirty_ = false;
}

std::vector<int> TileControls::candidates(const TwipsRect& area) const
{
    if (indexDirty_)
        rebuildIndex();
    // A tile is no larger than a bucket, so one that overlaps the area starts at most
    // one bucket left of or above it.
    const auto c0 = static_cast<std::int64_t>(std::floor(area.left / bucketW_)) - 1;
    const auto c1 = static_cast<std::int64_t>(std::floor((area.left + area.width) / bucketW_));
    const auto r0 = static_cast<std::int64_t>(std::floor(area.top / bucketH_)) - 1;
    const auto r1 = static_cast<std::int64_t>(std::floor((area.top + area.height) / bucketH_));
    std::vector<int> found;
    if ((c1 - c0 + 1) * (r1 - r0 + 1) > std::int64_t(buckets_.size())) {
        for (const auto& [key, ks] : buckets_)
            found.insert(found.end(), ks.begin(), ks.end());
    } else {
        for (auto r = r0; r <= r1; ++r)
            for (auto c = c0; c <= c1; ++c)
                if (auto it = buckets_.find((r << 32) ^ (c & 0xffffffff)); it != buckets_.end())
                    found.insert(found.end(), it->second.begin(), it->second.end());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}   // namespace zp
