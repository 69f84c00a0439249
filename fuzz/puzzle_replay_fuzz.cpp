// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes opened as a puzzle file over a game in play on fake controls; a file
// that opens must leave a sound board, one that fails must leave the old game as it was.
#include "files/puzzle_files.h"
#include "files/puzzle_format.h"
#include "tests/fake/fake_board.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using zp::test::FakeBoard;

void check(bool sound)
{
    if (!sound)
        __builtin_trap();
}

// A 4 x 4 game cut from a.jpg with four moves made and a size dialog since set to 5 x 5.
void startGameInPlay(FakeBoard& b)
{
    check(b.build(300, 200, QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("a.jpg")));
    for (const std::int16_t tile : {2, 6, 7, 3})
        check(b.game.MoveTile(tile));
    b.size.cols = b.size.rows = QStringLiteral("5");
}

// Three pictures: one with room for many tiles, one just big enough for 7 x 7, one large square.
zp::test::FakeLoader fuzzLoader()
{
    zp::test::FakeLoader loader;
    loader.pictures = {{QStringLiteral("a.jpg"), {300, 200}},
                       {QStringLiteral("b.jpg"), {7, 7}},
                       {QStringLiteral("big.jpg"), {400, 400}}};
    return loader;
}

// Whether `part` can be had from `whole` by leaving entries out.
bool isSubsequence(const std::vector<std::int16_t>& part, const std::vector<std::int16_t>& whole)
{
    std::size_t i = 0;
    for (const std::int16_t entry : whole)
        if (i < part.size() && part[i] == entry)
            ++i;
    return i == part.size();
}

// An opened file: its texts in the game and the dialog, and a history made of its moves.
bool opensAsRead(const FakeBoard& b, const zp::Result<zp::PuzzleData>& read)
{
    const zp::BoardState& board = b.game.board();
    return read && board.PicturePath == read->picturePath && b.size.cols == read->cols &&
        b.size.rows == read->rows && board.Cols == read->cols && board.Rows == read->rows &&
        isSubsequence(b.game.history().entries(), read->moves);
}

const QString& inputPath()
{
    static const QString path = QDir::temp().filePath(
        QStringLiteral("zp_replay_fuzz_%1.pzl").arg(QCoreApplication::applicationPid()));
    return path;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    QFile file(inputPath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size());
    file.close();

    FakeBoard b;
    startGameInPlay(b);
    const zp::test::GameSnapshot before = b.snapshot();
    zp::test::FakeLoader loader = fuzzLoader();
    zp::PuzzleFiles(b.game, b.size, loader, b.platform).OpenPuzzle(inputPath());

    check(b.fault().isEmpty());
    if (b.platform.messages.empty()) {
        check(opensAsRead(b, zp::readPuzzle(input)));
    } else {
        check(b.platform.messages.size() == 1);
        check(b.platform.messages[0].text == zp::test::CannotFindText);
        check(b.platform.messages[0].style == zp::MsgStyle::Critical);
        check(b.snapshot() == before);
    }
    return 0;
}
