// SPDX-License-Identifier: MIT
// The pixel positions of a tile that slides to and fro between two slots.
#pragma once

namespace zp::bench {

// Starts at `span` (the tile's home) and moves one pixel per step towards 0 (the empty slot),
// turning at either end, so a tile can be stepped forever without leaving its two slots.
// Requires span >= 1.
class StepWalk {
public:
    explicit StepWalk(long span) : span_(span), position_(span) {}

    // The next position, one pixel from the last one.
    long next()
    {
        if (position_ + direction_ < 0 || position_ + direction_ > span_)
            direction_ = -direction_;
        position_ += direction_;
        return position_;
    }

private:
    long span_;
    long position_;
    long direction_ = -1;
};

}   // namespace zp::bench
