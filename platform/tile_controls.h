// SPDX-License-Identifier: MIT
// The tile control array (Image1): light records of position, size, cell and visibility.
#pragma once

#include "platform/control_listener.h"
#include "platform/tile_index.h"
#include "platform/tile_record.h"
#include "platform/twips.h"

#include <vector>

namespace zp {

// The base tile's designed side, in twips.
inline constexpr float BaseTileTwips = 408;

// Element 0 always exists; it is the hidden base tile at (0, 0), BaseTileTwips square until changed.
// Element numbers are 16-bit: 0..32767. The records are kept here; where visible tiles lie is
// the TileIndex's to tell, and what a change repaints is the ChangeNotifier's to hand on.
class TileControls {
public:
    TileControls();

    bool exists(int k) const { return k >= 0 && k < int(tiles_.size()) && tiles_[k].exists; }
    // Requires exists(k).
    const TileRecord& operator[](int k) const { return tiles_[k]; }
    float left(int k) const { return tiles_[k].rect.left; }
    float top(int k) const { return tiles_[k].rect.top; }
    float width(int k) const { return tiles_[k].rect.width; }
    float height(int k) const { return tiles_[k].rect.height; }

    // Creates element k as a hidden copy of element 0 (size, cell, position).
    // Requires 1 <= k <= 32767 and !exists(k).
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

    void setListener(ControlListener* listener) { notifier_.setListener(listener); }
    // Between beginBatch and endBatch, changes are reported once, as allChanged, at the end.
    void beginBatch() { notifier_.beginBatch(); }
    void endBatch() { notifier_.endBatch(); }

private:
    void resized(int k, const TwipsRect& before);
    void changed(int k, const TwipsRect& before);

    std::vector<TileRecord> tiles_;
    TileIndex index_;
    ChangeNotifier notifier_;
};

template <class F> void TileControls::forEachVisibleIn(const TwipsRect& area, F&& f) const
{
    for (int k : index_.candidates(tiles_, area)) {
        const TwipsRect& r = tiles_[k].rect;
        if (r.left < area.left + area.width && area.left < r.left + r.width &&
            r.top < area.top + area.height && area.top < r.top + r.height)
            f(k);
    }
}

}   // namespace zp
