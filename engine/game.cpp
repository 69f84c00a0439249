// SPDX-License-Identifier: MIT
// Input while the board is busy, "Solve It!" and the public pause `delay`, closing, and the replay
// of a puzzle file's moves.
#include "engine/game.h"

#include "engine/board_observer.h"
#include "platform/platform.h"

#include <algorithm>

namespace zp {

Game::Game(const GameParts& parts) : parts_(parts) {}

void Game::pressTile(std::int16_t Index)
{
    if (closing_ || busy() || solving())
        return;
    MoveTile(Index);
    runDeferred();
}

void Game::solveOrStop()
{
    if (closing_)
        return;
    if (solving()) {
        activeSolve_ = 0;   // the tile in flight lands; no further move is played
        return;
    }
    if (busy()) {
        deferred_.push_back([this] { solveOrStop(); });
        return;
    }
    solve();
    runDeferred();
}

void Game::runCommand(std::function<void()> command)
{
    if (closing_)
        return;
    if (busy()) {
        deferred_.push_back(std::move(command));
        return;
    }
    command();
    runDeferred();
}

void Game::runDeferred()
{
    while (!deferred_.empty() && !closing_ && !busy()) {
        auto command = std::move(deferred_.front());
        deferred_.pop_front();
        command();
    }
}

// Each played move comes off the history as it lands, so that a stop, a save or a command
// run in a pause always sees a history that leads the board on screen back to solved.
void Game::solve()
{
    const int id = ++solveCounter_;
    activeSolve_ = id;
    while (activeSolve_ == id && history_.MoveCount() > 0) {
        playBackMove(history_.entry(history_.MoveCount()));
        if (closing_)
            return;
        history_.dropNewest();
        runDeferred();   // commands pressed while the tile was in flight
        if (activeSolve_ != id)
            return;   // stopped, or the board was replaced
        delay(SolvePauseSeconds);
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

void Game::close()
{
    closing_ = true;
    activeSolve_ = 0;
    deferred_.clear();
    parts_.platform.interruptWait();
}

bool Game::replay(const std::vector<std::int16_t>& moves)
{
    replaying_ = true;
    // The history grows as each move lands, so it always leads the board back to solved.
    for (std::int16_t Index : moves) {
        // A move the history could not hold is not played: the board never runs ahead of it.
        if (history_.MoveCount() == MoveHistory::Capacity)
            break;
        if (playBackMove(Index))
            history_.append(Index);
        if (closing_)
            break;
    }
    replaying_ = false;
    notifyBoardChanged();
    return !closing_;
}

void Game::removeObserver(BoardObserver& observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

void Game::notifyBoardChanged()
{
    for (BoardObserver* o : observers_)
        o->boardChanged();
}

}   // namespace zp
