// Which tile an arrow key moves: found by position, as a click finds it.
#include "engine/arrow_key.h"

#include "platform/tile_controls.h"

namespace zp {

std::int16_t tileForArrow(const TileControls& tiles, float emptyLeft, float emptyTop, Arrow arrow)
{
    const float w = tiles.width(0), h = tiles.height(0);
    const float dx = arrow == Arrow::Left ? w : arrow == Arrow::Right ? -w : 0;
    const float dy = arrow == Arrow::Up ? h : arrow == Arrow::Down ? -h : 0;
    const TwipsRect slot{emptyLeft + dx, emptyTop + dy, w, h};
    std::int16_t found = 0;
    tiles.forEachVisibleIn(slot, [&](int k) {
        if (k >= 2 && tiles.left(k) == slot.left && tiles.top(k) == slot.top)
            found = std::int16_t(k);
    });
    return found;
}

} // namespace zp
