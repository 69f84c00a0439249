// SPDX-License-Identifier: MIT
// The puzzle-file commands: read, check, rebuild and replay; ask, write atomically.
#include "files/puzzle_files.h"

#include "engine/game.h"
#include "engine/size_fields.h"
#include "engine/size_rule.h"
#include "files/picture_beside.h"
#include "files/puzzle_format.h"
#include "platform/file_io.h"
#include "platform/file_name.h"
#include "platform/log_text.h"
#include "platform/platform.h"

#include <QLoggingCategory>

namespace zp {

namespace {
// A puzzle file is a few lines; anything that needs more than this is no puzzle file.
constexpr qint64 MaxPuzzleFileBytes = 4 * 1024 * 1024;
Q_LOGGING_CATEGORY(filesLog, "zp.files")
}   // namespace

void PuzzleFiles::OpenPuzzle(const QString& PuzzleFile)
{
    // Each step runs on what the one before it gave, or passes its refusal on.
    const Result<QByteArray> bytes = readFileHead(PuzzleFile, MaxPuzzleFileBytes);
    Result<PuzzleData> data = bytes ? readPuzzle(*bytes) : bytes.refusal();
    Result<PicturePtr> picture =
        data ? loadPuzzlePicture(loader_, PuzzleFile, data->picturePath) : data.refusal();
    const Result<GridSize> grid = picture
        ? cutGrid((*picture)->width(), (*picture)->height(), data->cols, data->rows)
        : picture.refusal();
    const Result<> built = grid ? buildBoard(*data, std::move(*picture)) : grid.refusal();
    if (!built)
        return refuse(QStringLiteral("cannot open \"%1\"").arg(PuzzleFile), built.reason(),
                      MsgStyle::Critical, CannotFindMessage.toString());
    game_.replay(data->moves);
}

Result<> PuzzleFiles::buildBoard(const PuzzleData& data, PicturePtr picture)
{
    const QString oldCols = sizeFields_.columnsText(), oldRows = sizeFields_.rowsText();
    sizeFields_.setColumnsText(data.cols);
    sizeFields_.setRowsText(data.rows);
    // The board is cut at what the fields hold: that must be the size checked, not a part of it.
    Result<> built = Refusal{QStringLiteral("the size dialog cannot hold lines 2 and 3 whole")};
    if (sizeFields_.columnsText() == data.cols && sizeFields_.rowsText() == data.rows)
        built = game_.newPuzzleFrom(std::move(picture), data.picturePath);
    if (!built) {
        sizeFields_.setColumnsText(oldCols);
        sizeFields_.setRowsText(oldRows);
    }
    return built;
}

void PuzzleFiles::SavePuzzle(const QString& PuzzleFile)
{
    const BoardState& board = game_.board();
    const QString what = QStringLiteral("cannot save \"%1\"").arg(PuzzleFile);
    if (board.OldCols.isEmpty())
        return refuse(what, QStringLiteral("There is no game to save."), MsgStyle::Exclamation);
    if (const Result<> exact = checkExactName(PuzzleFile); !exact)
        return refuse(what, exact.reason(), MsgStyle::Critical,
                      QStringLiteral("Cannot save the file %1: %2").arg(PuzzleFile, exact.reason()));
    // The file's UTF-8 lines cannot hold a line end or a name's byte that is no UTF-8.
    if (board.PicturePath.contains(u'\n') || board.PicturePath.contains(u'\r') ||
        holdsKeptBytes(board.PicturePath))
        return refuse(what, QStringLiteral("The picture's file name cannot be saved in a puzzle file."),
                      MsgStyle::Critical);
    // A folder, FIFO or device is refused before the question: it could never be replaced.
    Result<> written = checkSaveTarget(PuzzleFile);
    if (written && pathExists(PuzzleFile) &&
        platform_.messageBox(OverwriteQuestion.toString(), MsgStyle::QuestionYesNo) != MsgResult::Yes)
        return;
    if (written)
        written = writeFileAtomically(
            PuzzleFile, writePuzzle({board.PicturePath, board.Cols, board.Rows, game_.history().entries()}));
    if (!written)
        refuse(what, written.reason(), MsgStyle::Critical,
               QStringLiteral("Cannot save the file %1: %2").arg(PuzzleFile, written.reason()));
}

void PuzzleFiles::refuse(const QString& what, const QString& reason, MsgStyle style, const QString& message)
{
    qCWarning(filesLog).noquote() << logText(what + QStringLiteral(": ") + reason);
    platform_.messageBox(message.isEmpty() ? reason : message, style);
}

}   // namespace zp
