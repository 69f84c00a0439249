// SPDX-License-Identifier: MIT
// Opening and saving a game as a puzzle file, with the user's questions and messages.
#pragma once

#include "platform/picture.h"
#include "platform/result.h"

#include <QString>
#include <QStringView>

namespace zp {

class Game;
class SizeFields;
class PictureLoader;
class Platform;
enum class MsgStyle;
struct PuzzleData;

// The one message for any puzzle file (or picture) that cannot be used.
inline constexpr QStringView CannotFindMessage = u"Nemohu nalézt potřebný soubor.";
inline constexpr QStringView OverwriteQuestion =
    u"The file you selected already exists. Do you want to overwrite it?";

class PuzzleFiles {
public:
    PuzzleFiles(Game& game, SizeFields& sizeFields, PictureLoader& loader, Platform& platform)
        : game_(game), sizeFields_(sizeFields), loader_(loader), platform_(platform)
    {}

    // Restores the game saved in `PuzzleFile`. The whole file and its picture are read and
    // checked first; any failure shows CannotFindMessage, logs why in zp.files and leaves the game
    // in play exactly as it was. On success: size fields, PicturePath, picture, new board, then the moves
    // replayed without pauses; the history is the moves that moved a tile. A picture that does
    // not load from its recorded path is looked for beside the file (loadPuzzlePicture), and
    // PicturePath then names the file found.
    void OpenPuzzle(const QString& PuzzleFile);

    // Writes the game to `PuzzleFile`, asking before replacing anything that exists there (a
    // folder, device, FIFO or circle of links is refused before the question). The file is
    // replaced as writeFileAtomically does: a failure shows a message naming the file and the
    // reason, and says so if the old content was lost. A name the file dialog gave with its letters
    // lost (checkExactName) is refused before anything, so no file of another name is written.
    // Each refusal is logged in zp.files.
    // Nothing in the game changes.
    void SavePuzzle(const QString& PuzzleFile);

private:
    // Sets the size fields to the file's size and builds its solved board from `picture`.
    // Refused, with the fields as they were and the game unchanged, when the fields cannot hold
    // the size whole or the board cannot be built.
    Result<> buildBoard(const PuzzleData& data, PicturePtr picture);
    // Logs why `what` was refused and shows the player `message`, or else the reason.
    void refuse(const QString& what, const QString& reason, MsgStyle style, const QString& message = {});

    Game& game_;
    SizeFields& sizeFields_;
    PictureLoader& loader_;
    Platform& platform_;
};

}   // namespace zp
