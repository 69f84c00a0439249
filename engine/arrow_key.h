// SPDX-License-Identifier: MIT
// Which tile an arrow key moves.
#pragma once

#include <cstdint>

namespace zp {

class TileControls;

enum class Arrow { Left, Right, Up, Down };

// The visible tile that sits exactly on the slot bordering the empty slot (at emptyLeft,
// emptyTop) on the side the arrow points away from, so that it would move in the arrow's
// direction: Left gives the tile right of the empty slot, Up the one below it. 0 when no tile
// sits there (the empty slot is at that edge of the board, or no board is built).
std::int16_t tileForArrow(const TileControls& tiles, float emptyLeft, float emptyTop, Arrow arrow);

}   // namespace zp
