// SPDX-License-Identifier: MIT
// The tile control array (Image1): light records of position, size, cell and visibility.
#pragma once

#include "platform/twips.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zp {

class ControlListener;

struct TileRecord {
    TwipsRect rect;
    int cell = -1;   // picture-clip cell shown; -1: no picture
    bool exists = false;
    bool visible = false;
};

// Element 0 always exists; it is the hidden base tile at (0, 0), 408 x 408 twips until changed.
// Element numbers are 16-bit: 0..32767.
class TileControls {
public:
    static constexpr int MaxElement = 32767;

    TileControls();

    bool exists(int k) const { return k >= 0 && k < int(tiles_.size()) && tiles_[k].exists; }
    // Requires exists(k).
    const TileRecord& operator[](int k) const { return tiles_[k]; }
    float left(int k) const { return tiles_[k].rect.left; }
    float top(int k) const { return tiles_[k].rect.top; }
    float width(int k) const { return tiles_[k].rect.width; }
    float height(int k) const { return tiles_[k].rect.height; }

    // Creates element k as a hidden copy of element 0 (size, cell, position).
    // Requires 1 <= k <= MaxElement and !exists(k).
    void create(int k);
    // Removes element k. Requires k >= 1 and exists(k).
    void remove(int k);

    // All of these require exists(k).
    void move(int k, float left, float top);   // keeps the size; one operation
    void setWidth(int k, float width);
    void setHeight(int k, float height);
    void setPicture(int k, int cell);
    void show(int k);

    // One past the highest element number that may exist.
    int end() const { return int(tiles_.size()); }

    // Calls f(k) for every visible element that overlaps `area`. Cost grows with the
    // number of tiles in the area, not with the number of tiles.
    template <class F> void forEachVisibleIn(const TwipsRect& area, F&& f) const;

    void setListener(ControlListener* listener) { listener_ = listener; }
    // Between beginBatch and endBatch, changes are reported once, as allChanged, at the end.
    void beginBatch() { ++batch_; }
    void endBatch();

private:
    using Key = std::int64_t;
    Key keyOf(const TwipsRect& r) const;
    void changed(int k, const TwipsRect& before);
    void indexInsert(int k);
    void indexErase(int k);
    void rebuildIndex() const;
    std::vector<int> candidates(const TwipsRect& area) const;

    std::vector<TileRecord> tiles_;
    ControlListener* listener_ = nullptr;
    int batch_ = 0;
    bool batchChanged_ = false;

    // Spatial index of visible tiles: buckets of one (largest) tile size, keyed by top-left corner.
    mutable std::unordered_map<Key, std::vector<int>> buckets_;
    mutable float bucketW_ = 1, bucketH_ = 1;
    mutable bool indexDirty_ = true;
};

template <class F> void TileControls::forEachVisibleIn(const TwipsRect& area, F&& f) const
{
    for (int k : candidates(area)) {
        const TwipsRect& r = tiles_[k].rect;
        if (r.left < area.left + area.width && area.left < r.left + r.width &&
            r.top < area.top + area.height && area.top < r.top + r.height)
            f(k);
    }
}

}   // namespace zp
