// SPDX-License-Identifier: MIT
// The buckets of the tile index.
#include "platform/tile_index.h"

#include <algorithm>

namespace zp {

void TileIndex::rebucket(int k, const TwipsRect& from, const TwipsRect& to)
{
    erase(k, from);
    buckets_[keyAt(to)].push_back(k);
}

void TileIndex::erase(int k, const TwipsRect& at)
{
    if (!built_)
        return;
    const auto it = buckets_.find(keyAt(at));
    if (it == buckets_.end())
        return;
    std::erase(it->second, k);
    if (it->second.empty())
        buckets_.erase(it);
}

void TileIndex::build(const std::vector<TileRecord>& tiles) const
{
    float w = 1, h = 1;
    for (const TileRecord& t : tiles) {
        if (t.visible) {
            w = std::max(w, t.rect.width);
            h = std::max(h, t.rect.height);
        }
    }
    bucketW_ = w;
    bucketH_ = h;
    buckets_.clear();
    for (int k = 0; k < int(tiles.size()); ++k)
        if (tiles[k].visible)
            buckets_[keyAt(tiles[k].rect)].push_back(k);
    built_ = true;
}

std::vector<int> TileIndex::candidates(const std::vector<TileRecord>& tiles, const TwipsRect& area) const
{
    if (!built_)
        build(tiles);
    // A tile is no larger than a bucket, so one that overlaps the area starts at most
    // one bucket left of or above it.
    const std::int64_t c0 = col(area.left) - 1, c1 = col(area.left + area.width);
    const std::int64_t r0 = row(area.top) - 1, r1 = row(area.top + area.height);
    std::vector<int> found;
    if ((c1 - c0 + 1) * (r1 - r0 + 1) > std::int64_t(buckets_.size())) {
        for (const auto& [key, ks] : buckets_)
            found.insert(found.end(), ks.begin(), ks.end());
    } else {
        for (auto r = r0; r <= r1; ++r)
            for (auto c = c0; c <= c1; ++c)
                if (auto it = buckets_.find(keyOf(c, r)); it != buckets_.end())
                    found.insert(found.end(), it->second.begin(), it->second.end());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}   // namespace zp
