// SPDX-License-Identifier: MIT
// "Solve It!": the history played back in reverse, and the public pause `delay`.
#include "engine/game.h"

#include "platform/platform.h"

namespace zp {

// Each played move comes off the history as it lands, so that a stop, a save or a command
// run in a pause always sees a history that leads the board on screen back to solved.
void Game::solve()
{
    const int id = ++solveCounter_;
    activeSolve_ = id;
    while (activeSolve_ == id && history.MoveCount() > 0) {
        playBackMove(history.entry(history.MoveCount()));
        if (closing_)
            return;
        history.dropNewest();
        runDeferred();   // commands pressed while the tile was in flight
        if (activeSolve_ != id)
            return;   // stopped, or the board was replaced
        delay(0.3);
    }
    if (activeSolve_ == id)
        activeSolve_ = 0;
}

void Game::delay(double Doba)
{
    Platform& platform = parts_.platform;
    const double deadline = platform.clock() + Doba;
    while (!closing_ && platform.clock() < deadline)
        platform.waitUntil(deadline);
}

}   // namespace zp
