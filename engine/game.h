// SPDX-License-Identifier: MIT
// The game in play: board state, tile moves, history, "Solve It!" and input while busy.
#pragma once

#include "engine/move_history.h"
#include "platform/picture.h"
#include "platform/result.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace zp {

// The pause "Solve It!" makes after each move it plays back, in seconds.
inline constexpr double SolvePauseSeconds = 0.3;

class BoardObserver;
class Platform;
class TileControls;
class PlayAreaControl;
class PictureClip;
class FormFrame;
class SizeFields;
struct GridSize;

// The controls and services the game works on; all outlive the Game.
struct GameParts {
    Platform& platform;
    TileControls& tiles;   // the tiles, element 0 the hidden base tile
    PlayAreaControl& playArea;
    PictureClip& pictureClip;   // holds the picture the board is cut from
    FormFrame& form;
    SizeFields& sizeFields;
};

// The board in play. Cols/Rows are texts as typed or read; OldCols/OldRows the size of the board
// built now (empty before the first); EmptyLeft/EmptyTop the empty slot, in play-area twips.
struct BoardState {
    QString Cols, Rows, OldCols, OldRows, PicturePath;
    float EmptyLeft = 0, EmptyTop = 0;
};

class Game {
public:
    explicit Game(const GameParts& parts);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    const BoardState& board() const { return board_; }
    const MoveHistory& history() const { return history_; }

    // --- Input, with the rules for a busy board ---
    // A press on tile Index, by any mouse button, key or assistive technology. Ignored while the
    // board is busy or closing.
    void pressTile(std::int16_t Index);
    // "Solve It!" pressed: stops a running solution, is deferred while a tile slides or a
    // file replays, and starts a solution otherwise.
    void solveOrStop();
    // Any other command: deferred while a tile slides or a file replays, run at once otherwise
    // (also in a solution's pause). Dropped once the program is closing.
    void runCommand(std::function<void()> command);
    // Whether the board is on screen (until told otherwise, it is). A slide of a board no one can
    // see puts the tile at once where its last step would; on screen it goes pixel by pixel.
    void setBoardShown(bool shown) { boardShown_ = shown; }
    // A picture is being read (the program's events go on meanwhile): until told otherwise,
    // input is treated as during a slide, presses ignored and commands deferred.
    void setReadingPicture(bool reading) { readingPicture_ = reading; }
    // The window is closing: every loop ends at once, deferred commands are dropped.
    void close();
    bool closing() const { return closing_; }
    bool solving() const { return activeSolve_ != 0; }
    bool sliding() const { return sliding_; }
    // A puzzle file's moves are being played back; the board is complete again at boardChanged.
    bool replaying() const { return replaying_; }

    // --- The engine's operations ---
    // Slides tile Index into the empty slot if it borders it, then records the move.
    // A move that would be the 1001st is refused with a beep before anything moves.
    // Returns whether the tile moved.
    bool MoveTile(std::int16_t Index);
    // Plays `moves` back in order without pauses, on the board just built; the history becomes
    // the moves that moved a tile. Once the history is full the rest is not played. Returns
    // false if the program started closing meanwhile.
    bool replay(const std::vector<std::int16_t>& moves);
    // Waits Doba seconds while events go on; never returns earlier (unless closing).
    void delay(double Doba);

    // Builds the solved board from the picture-clip service's picture at the size fields' size.
    // Refuses, changing nothing at all, without a usable picture (present, sides 1..32767) or
    // size (the shared size rule, cutGrid).
    Result<> NewPuzzle();
    // Puts `picture` into the picture-clip service and builds the board from it, which comes from the
    // file `path`. Refused, changing nothing at all, if it cannot be cut at the size the fields hold.
    Result<> newPuzzleFrom(PicturePtr picture, const QString& path);

    // The screen's twips-per-pixel factors may have changed (another screen, another scaling).
    // Every tile keeps its slot: tile size, tile places, the empty slot, the play area and its
    // pattern are laid out again for the new factors, at once or, while a tile slides, as soon
    // as it has landed. Nothing moves on the board and the history stays.
    void factorsChanged();

    // `observer` hears of every landed move and every new board until it is removed; it must
    // be removed before it goes away.
    void addObserver(BoardObserver& observer) { observers_.push_back(&observer); }
    void removeObserver(BoardObserver& observer);

private:
    // The grid a w x h picture is cut into at the size the fields hold.
    Result<GridSize> gridFor(int w, int h) const;
    enum class Record { Yes, No };
    // MoveTile without the recording.
    bool playBackMove(std::int16_t Index);
    bool move(std::int16_t Index, Record record);
    bool slide(std::int16_t Index, float fromLeft, float fromTop, bool vertical);
    void solve();
    void runDeferred();
    // A tile slides, a file replays or a picture is being read: commands wait.
    bool busy() const { return sliding_ || replaying_ || readingPicture_; }
    void placePlayArea(double tppx, double tppy);
    // Fills the play area with copies of the background pattern.
    void PaintBackground();
    void refit();
    void removeOldTiles();
    void createTiles(int cols, int rows);
    void notifyBoardChanged();

    GameParts parts_;
    BoardState board_;
    MoveHistory history_;
    bool sliding_ = false;
    bool replaying_ = false;
    bool readingPicture_ = false;
    bool closing_ = false;
    bool refitDue_ = false;
    bool boardShown_ = true;
    double boardTppx_ = 0, boardTppy_ = 0;   // the factors the board was laid out with
    int activeSolve_ = 0;                    // id of the running solution, 0: none
    int solveCounter_ = 0;
    std::deque<std::function<void()>> deferred_;
    std::vector<BoardObserver*> observers_;
};

}   // namespace zp
