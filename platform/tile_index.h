// SPDX-License-Identifier: MIT
// Which visible tiles may lie in an area: the spatial index of the tile control array.
#pragma once

#include "platform/tile_record.h"
#include "platform/twips.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zp {

// Visible tiles in buckets of the largest visible tile's size, each in the bucket of its top-left
// corner, so that a lookup costs what the area holds, not what the board holds. Built at the first
// lookup after sizes or visibility changed, then kept as tiles move.
class TileIndex {
public:
    // Sizes or visibility changed: the next lookup builds the index afresh.
    void invalidate() { built_ = false; }
    // Visible tile k's top-left corner went from `from` to `to`. Inline: a slide calls it at every step.
    void moved(int k, const TwipsRect& from, const TwipsRect& to)
    {
        if (built_ && keyAt(from) != keyAt(to))
            rebucket(k, from, to);
    }
    // Visible tile k, at `at`, is gone.
    void erase(int k, const TwipsRect& at);
    // The visible elements of `tiles` that may overlap `area`, in ascending order.
    std::vector<int> candidates(const std::vector<TileRecord>& tiles, const TwipsRect& area) const;

private:
    using Key = std::int64_t;
    static Key keyOf(std::int64_t col, std::int64_t row) { return (row << 32) ^ (col & 0xffffffff); }
    std::int64_t col(float x) const { return static_cast<std::int64_t>(std::floor(x / bucketW_)); }
    std::int64_t row(float y) const { return static_cast<std::int64_t>(std::floor(y / bucketH_)); }
    Key keyAt(const TwipsRect& r) const { return keyOf(col(r.left), row(r.top)); }
    void rebucket(int k, const TwipsRect& from, const TwipsRect& to);
    void build(const std::vector<TileRecord>& tiles) const;

    mutable std::unordered_map<Key, std::vector<int>> buckets_;
    mutable float bucketW_ = 1, bucketH_ = 1;
    mutable bool built_ = false;
};

}   // namespace zp
