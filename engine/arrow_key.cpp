// SPDX-License-Identifier: MIT
// Which tile an arrow key moves: found by position, as a click finds it.
#include "engine/arrow_key.h"

#include "platform/tile_controls.h"

namespace zp {

std::int16_t tileForArrow(const TileControls& tiles, float emptyLeft, float emptyTop, Arrow arrow)
{
    const float w = tiles.width(0), h = tiles.height(0);
    const float dx = arrow == Arrow::Left ? w : arrow == Arrow::Right ? -w : 0;
    const float dy = arrow == Arrow::Up ? h : arrow == Arrow::Down ? -h : 0;
    // The tile whose rectangle holds the middle of that slot: a probe at the middle, not an exact
    // comparison of positions, finds it at any screen factor; the move rule then decides.
    const TwipsRect middle{emptyLeft + dx + w / 2, emptyTop + dy + h / 2, 0.0001f, 0.0001f};
    std::int16_t found = 0;
    tiles.forEachVisibleIn(middle, [&](int k) {
        if (k >= 2)
            found = std::int16_t(k);
    });
    return found;
}

}   // namespace zp
