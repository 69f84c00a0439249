// SPDX-License-Identifier: MIT
// What a view of the board learns from the game besides the tiles' one-pixel steps.
#pragma once

#include <cstdint>

namespace zp {

// Registered with Game::addObserver; every call comes on the user-interface thread.
class BoardObserver {
public:
    virtual ~BoardObserver() = default;
    // Tile Index has landed in the slot that was empty, which is now the slot it left. Once per
    // move, after its last step: clicks, keys, and the moves of a replay and of "Solve It!".
    virtual void moveLanded(std::int16_t Index) = 0;
    // The board was built anew, laid out again for other screen factors, or a replay ended:
    // any tile may stand elsewhere than the last moveLanded said.
    virtual void boardChanged() = 0;
};

}   // namespace zp
