// libFuzzer target: any bytes opened as a puzzle file over a game in play on fake controls; a file
// that opens must leave a sound board, one that fails must leave the old game as it was.
#include "files/puzzle_files.h"
#include "files/puzzle_format.h"
#include "platform/picture_loader.h"
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using zp::test::FakeBoard;

// Three pictures: one with room for many tiles, one just big enough for 7 x 7, one large square.
class FakeLoader : public zp::PictureLoader {
public:
    zp::PicturePtr load(const QString& path, QString& reason) override
    {
        static const std::map<QString, std::pair<int, int>> sizes{
            {QStringLiteral("a.jpg"), {300, 200}},
            {QStringLiteral("b.jpg"), {7, 7}},
            {QStringLiteral("big.jpg"), {400, 400}}};
        const auto it = sizes.find(path);
        if (it == sizes.end()) {
            reason = QStringLiteral("no such picture");
            return nullptr;
        }
        return std::make_shared<zp::test::FakePicture>(it->second.first, it->second.second);
    }
};

// Everything of a game that a failed open must leave as it was.
struct GameState {
    std::vector<std::tuple<int, zp::TwipsRect, int, bool>> tiles;
    std::vector<std::int16_t> history;
    QStringList texts;
    float emptyLeft, emptyTop;
    zp::TwipsRect playArea;
    const zp::Picture* picture;
    int clipCols, clipRows;
    friend bool operator==(const GameState&, const GameState&) = default;
};

GameState stateOf(const FakeBoard& b)
{
    GameState s{{}, b.game.history.entries(),
                {b.game.PicturePath, b.game.Cols, b.game.Rows, b.game.OldCols, b.game.OldRows,
                 b.size.cols, b.size.rows},
                b.game.EmptyLeft, b.game.EmptyTop, b.playArea.rect(), b.clip.picture().get(),
                b.clip.cols(), b.clip.rows()};
    for (int k = 0; k < b.tiles.end(); ++k)
        if (b.tiles.exists(k))
            s.tiles.emplace_back(k, b.tiles[k].rect, b.tiles[k].cell, b.tiles[k].visible);
    return s;
}

void check(bool sound)
{
    if (!sound)
        __builtin_trap();
}

// A 4 x 4 game cut from a.jpg with four moves made and a size dialog since set to 5 x 5.
void startGameInPlay(FakeBoard& b)
{
    check(b.build(300, 200));
    b.game.PicturePath = QStringLiteral("a.jpg");
    for (const std::int16_t tile : {2, 6, 7, 3})
        check(b.game.MoveTile(tile));
    b.size.cols = b.size.rows = QStringLiteral("5");
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
bool opensAsRead(const FakeBoard& b, const zp::ReadResult& read)
{
    return read.data && b.game.PicturePath == read.data->picturePath &&
        b.size.cols == read.data->cols && b.size.rows == read.data->rows &&
        b.game.Cols == read.data->cols && b.game.Rows == read.data->rows &&
        isSubsequence(b.game.history.entries(), read.data->moves);
}

const QString& inputPath()
{
    static const QString path = QDir::temp().filePath(
        QStringLiteral("zp_replay_fuzz_%1.pzl").arg(QCoreApplication::applicationPid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    QFile file(inputPath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size());
    file.close();

    FakeBoard b;
    startGameInPlay(b);
    const GameState before = stateOf(b);
    FakeLoader loader;
    zp::PuzzleFiles(b.game, b.size, b.clip, loader, b.platform).OpenPuzzle(inputPath());

    check(zp::test::boardFault(b.game, b.tiles, b.platform.tppx, b.platform.tppy).isEmpty());
    if (b.platform.messages.empty()) {
        check(opensAsRead(b, zp::readPuzzle(input)));
    } else {
        check(b.platform.messages.size() == 1);
        check(b.platform.messages[0].text == zp::CannotFindMessage);
        check(b.platform.messages[0].style == zp::MsgStyle::Critical);
        check(stateOf(b) == before);
    }
    return 0;
}
