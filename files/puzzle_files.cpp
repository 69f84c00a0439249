// SPDX-License-Identifier: MIT
// The puzzle-file commands: read, check, rebuild and replay; ask, write atomically.
#include "files/puzzle_files.h"

#include "engine/game.h"
#include "engine/size_fields.h"
#include "engine/size_rule.h"
#include "files/picture_beside.h"
#include "files/puzzle_format.h"
#include "platform/file_io.h"
#include "platform/picture_clip.h"
#include "platform/picture_loader.h"
#include "platform/platform.h"

namespace zp {

namespace {
// A puzzle file is a few lines; anything that needs more than this is no puzzle file.
constexpr qint64 MaxPuzzleFileBytes = 4 * 1024 * 1024;
}   // namespace

void PuzzleFiles::OpenPuzzle(const QString& PuzzleFile)
{
    QString reason;
    const auto bytes = readFileHead(PuzzleFile, MaxPuzzleFileBytes, reason);
    const ReadResult read = bytes ? readPuzzle(*bytes) : ReadResult{};
    QString picturePath = read.data ? read.data->picturePath : QString();
    PicturePtr picture = read.data ? loadPuzzlePicture(loader_, PuzzleFile, picturePath) : nullptr;
    const bool fits =
        picture && canCutPicture(picture->width(), picture->height(), read.data->cols, read.data->rows);
    if (!fits) {
        platform_.messageBox(CannotFindMessage, MsgStyle::Critical);
        return;
    }
    const PuzzleData& data = *read.data;
    sizeFields_.setColumnsText(data.cols);
    sizeFields_.setRowsText(data.rows);
    game_.PicturePath = picturePath;
    clip_.setPicture(std::move(picture));
    game_.NewPuzzle();   // cannot refuse: picture and size were checked above
    game_.replay(data.moves);
}

bool PuzzleFiles::canSave()
{
    if (!clip_.hasPicture() || game_.OldCols.isEmpty()) {
        platform_.messageBox(QStringLiteral("There is no game to save."), MsgStyle::Exclamation);
        return false;
    }
    if (game_.PicturePath.contains(u'\n') || game_.PicturePath.contains(u'\r')) {
        platform_.messageBox(QStringLiteral("The picture's file name cannot be saved in a puzzle file."),
                             MsgStyle::Critical);
        return false;
    }
    return true;
}

void PuzzleFiles::SavePuzzle(const QString& PuzzleFile)
{
    if (!canSave())
        return;
    QString reason;
    // A folder, FIFO or device is refused before the question: it could never be replaced.
    const bool target = isSaveTarget(PuzzleFile, reason);
    if (target && pathExists(PuzzleFile) &&
        platform_.messageBox(OverwriteQuestion, MsgStyle::QuestionYesNo) != MsgResult::Yes)
        return;
    const PuzzleData data{game_.PicturePath, game_.Cols, game_.Rows, game_.history.entries()};
    const WriteResult written =
        target ? writeFileAtomically(PuzzleFile, writePuzzle(data)) : WriteResult{false, reason};
    if (written.written)
        return;
    QString message = QStringLiteral("Cannot save the file %1: %2").arg(PuzzleFile, written.reason);
    if (!written.oldKept)
        message += QStringLiteral("\nIts old content could not be kept.");
    platform_.messageBox(message, MsgStyle::Critical);
}

}   // namespace zp
