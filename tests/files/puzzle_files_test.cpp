// Tests of opening and saving puzzle files: the bytes on disk, the rebuilt board, the questions
// and messages, and the game in play that no failed open and no save may touch.
#include "files/puzzle_files.h"

#include "platform/picture_loader.h"
#include "tests/fake/board_check.h"
#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zp {
namespace {

using test::boardFault;
using test::FakeBoard;

const QString Boat = u"C:\\Pictures\\boat.jpg"_s;
const QString InPlay = u"/pics/in_play.jpg"_s;
const QString Square = u"/pics/a.jpg"_s;
const QString Thin = u"/pics/thin.jpg"_s;
const QString Horse = u"/tmp/obrázky/kůň.jpg"_s;
const QByteArray WorkedExample = "C:\\Pictures\\boat.jpg\r\n3\r\n3\r\n 2 \r\n 2 \r\n 5 \r\n";

// Pictures known by path, each only a size; every other path fails as a missing file would.
class FakeLoader : public PictureLoader {
public:
    std::map<QString, std::pair<int, int>> sizes{
        {Boat, {300, 300}}, {InPlay, {400, 400}}, {Square, {400, 400}},
        {Thin, {3, 100}},   {Horse, {300, 200}}};

    PicturePtr load(const QString& path, QString& reason) override
    {
        const auto it = sizes.find(path);
        if (it == sizes.end()) {
            reason = u"no such picture"_s;
            return nullptr;
        }
        return std::make_shared<test::FakePicture>(it->second.first, it->second.second);
    }
};

using TileState = std::tuple<int, TwipsRect, int, bool>;   // element, place, cell, visible

// Everything of a game that a failed open and every save must leave as it was.
struct GameState {
    std::vector<TileState> tiles;
    std::vector<std::int16_t> history;
    QStringList texts;   // PicturePath, Cols, Rows, OldCols, OldRows, the two size fields
    float emptyLeft, emptyTop;
    TwipsRect playArea;
    const Picture* picture;
    int clipCols, clipRows;
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

void expectSameState(const GameState& before, const FakeBoard& b)
{
    const GameState after = stateOf(b);
    EXPECT_EQ(after.tiles, before.tiles);
    EXPECT_EQ(after.history, before.history);
    EXPECT_EQ(after.texts, before.texts);
    EXPECT_EQ(after.emptyLeft, before.emptyLeft);
    EXPECT_EQ(after.emptyTop, before.emptyTop);
    EXPECT_EQ(after.playArea, before.playArea);
    EXPECT_EQ(after.picture, before.picture);
    EXPECT_EQ(after.clipCols, before.clipCols);
    EXPECT_EQ(after.clipRows, before.clipRows);
}

void expectOnlyCannotFind(const FakeBoard& b)
{
    ASSERT_EQ(b.platform.messages.size(), 1u);
    EXPECT_EQ(b.platform.messages[0].text, u"Nemohu nalézt potřebný soubor."_s);
    EXPECT_EQ(b.platform.messages[0].style, MsgStyle::Critical);
}

std::pair<long, long> emptySlot(const FakeBoard& b)
{
    const long w = toPixels(b.tiles.width(0), b.platform.tppx);
    const long h = toPixels(b.tiles.height(0), b.platform.tppy);
    return {toPixels(b.game.EmptyLeft, b.platform.tppx) / w,
            toPixels(b.game.EmptyTop, b.platform.tppy) / h};
}

// Slides tiles into the empty slot as clicks would: for each letter the tile right (R), left
// (L), below (D) or above (U) of the empty slot.
void play(FakeBoard& b, std::string_view directions)
{
    for (const char d : directions) {
        auto [x, y] = emptySlot(b);
        x += d == 'R' ? 1 : d == 'L' ? -1 : 0;
        y += d == 'D' ? 1 : d == 'U' ? -1 : 0;
        int tile = 0;
        for (int k = 2; k < b.tiles.end(); ++k)
            if (b.tiles.exists(k) && b.slotOf(k) == std::pair{x, y})
                tile = k;
        ASSERT_NE(tile, 0) << "no tile at " << x << "," << y;
        ASSERT_TRUE(b.game.MoveTile(std::int16_t(tile)));
    }
}

// Every tile 2..n on its home slot, as a solved board has them.
bool solved(const FakeBoard& b, int cols, int rows)
{
    for (int k = 2; k <= cols * rows; ++k)
        if (b.slotOf(k) != std::pair<long, long>{(k - 1) % cols, (k - 1) / cols})
            return false;
    return true;
}

class PuzzleFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A 4 x 4 game in play with moves made, and the size dialog since set to 6 x 5.
        ASSERT_TRUE(board.build(400, 400));
        board.game.PicturePath = InPlay;
        play(board, "RRDLDRU");
        board.size.cols = u"6"_s;
        board.size.rows = u"5"_s;
    }

    PuzzleFiles filesOf(FakeBoard& b) { return PuzzleFiles(b.game, b.size, b.clip, loader, b.platform); }
    void open(FakeBoard& b, const QString& path) { filesOf(b).OpenPuzzle(path); }
    void save(FakeBoard& b, const QString& path) { filesOf(b).SavePuzzle(path); }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path(name);
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    QString fault(const FakeBoard& b) const
    {
        return boardFault(b.game, b.tiles, b.platform.tppx, b.platform.tppy);
    }

    QTemporaryDir dir;
    FakeLoader loader;
    FakeBoard board;
};

// --- The worked example ---

TEST_F(PuzzleFilesTest, WorkedExampleIsWrittenByteForByte)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(300, 300, u"3"_s, u"3"_s));
    b.game.PicturePath = Boat;
    ASSERT_TRUE(b.game.MoveTile(2));
    ASSERT_TRUE(b.game.MoveTile(5));
    save(b, path(u"boat.pzl"_s));
    EXPECT_TRUE(b.platform.messages.empty());
    EXPECT_EQ(contents(path(u"boat.pzl"_s)), WorkedExample);
}

TEST_F(PuzzleFilesTest, WorkedExampleIsReadBackWithTiles2And5Moved)
{
    FakeBoard b;
    open(b, write(u"boat.pzl"_s, WorkedExample));
    EXPECT_TRUE(b.platform.messages.empty());
    EXPECT_EQ(b.game.history.entries(), (std::vector<std::int16_t>{2, 5}));
    EXPECT_EQ(b.game.PicturePath, Boat);
    EXPECT_EQ(b.slotOf(2), (std::pair<long, long>{0, 0}));
    EXPECT_EQ(b.slotOf(5), (std::pair<long, long>{1, 0}));
    EXPECT_EQ(emptySlot(b), (std::pair<long, long>{1, 1}));
    for (int k : {3, 4, 6, 7, 8, 9})
        EXPECT_EQ(b.slotOf(k), (std::pair<long, long>{(k - 1) % 3, (k - 1) / 3})) << k;
    EXPECT_FALSE(b.tiles.exists(10));
    EXPECT_EQ(fault(b), "");
}

// --- Save, then open ---

TEST_F(PuzzleFilesTest, SaveThenOpenGivesTheSameBoardAndSolveItEndsSolved)
{
    play(board, "RDLLDRRUL");
    ASSERT_EQ(board.game.history.MoveCount(), 16);
    const GameState saved = stateOf(board);
    save(board, path(u"game.pzl"_s));
    expectSameState(saved, board);

    FakeBoard b;
    open(b, path(u"game.pzl"_s));
    EXPECT_TRUE(b.platform.messages.empty());
    for (int k = 2; k <= 16; ++k)
        EXPECT_EQ(b.slotOf(k), board.slotOf(k)) << "tile " << k;
    EXPECT_EQ(emptySlot(b), emptySlot(board));
    EXPECT_EQ(b.game.history.entries(), board.game.history.entries());
    EXPECT_EQ(b.game.PicturePath, InPlay);
    b.game.Command3_Click();
    EXPECT_EQ(b.game.history.MoveCount(), 0);
    EXPECT_TRUE(solved(b, 4, 4));
    EXPECT_EQ(fault(b), "");
}

TEST_F(PuzzleFilesTest, OpeningOverTheGameInPlayReplacesItWhole)
{
    FakeBoard other;
    ASSERT_TRUE(other.build(400, 400, u"5"_s, u"3"_s));
    other.game.PicturePath = Square;
    play(other, "DRRUL");
    save(other, path(u"five.pzl"_s));

    open(board, path(u"five.pzl"_s));
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.game.history.entries(), other.game.history.entries());
    EXPECT_FALSE(board.tiles.exists(16));   // the old 4 x 4 board had 16; 5 x 3 has 15
    for (int k = 2; k <= 15; ++k)
        EXPECT_EQ(board.slotOf(k), other.slotOf(k)) << "tile " << k;
    EXPECT_EQ(fault(board), "");
}

TEST_F(PuzzleFilesTest, EmptyHistoryIsFourLinesAndOpensSolved)
{
    FakeBoard b;
    ASSERT_TRUE(b.build(400, 400));
    b.game.PicturePath = Square;
    save(b, path(u"solved.pzl"_s));
    EXPECT_EQ(contents(path(u"solved.pzl"_s)), "/pics/a.jpg\r\n4\r\n4\r\n 0 \r\n");

    open(board, path(u"solved.pzl"_s));   // the game in play has moves; they go
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.game.history.MoveCount(), 0);
    EXPECT_TRUE(solved(board, 4, 4));
    EXPECT_EQ(board.game.PicturePath, Square);
}

// --- The overwrite question ---

TEST_F(PuzzleFilesTest, AnswerNoLeavesTheOldBytes)
{
    const QString file = write(u"old.pzl"_s, "old bytes\r\n");
    const GameState before = stateOf(board);
    board.platform.answers = {MsgResult::No};
    save(board, file);
    ASSERT_EQ(board.platform.messages.size(), 1u);
    EXPECT_EQ(board.platform.messages[0].text, OverwriteQuestion);
    EXPECT_EQ(board.platform.messages[0].style, MsgStyle::QuestionYesNo);
    EXPECT_EQ(contents(file), "old bytes\r\n");
    expectSameState(before, board);
}

TEST_F(PuzzleFilesTest, AnswerYesReplacesALongerFileCompletely)
{
    const QString file = write(u"old.pzl"_s, QByteArray(5000, 'x'));
    save(board, path(u"fresh.pzl"_s));
    ASSERT_TRUE(board.platform.messages.empty());   // a new name asks nothing
    const GameState before = stateOf(board);
    board.platform.answers = {MsgResult::Yes};
    save(board, file);
    ASSERT_EQ(board.platform.messages.size(), 1u);
    EXPECT_EQ(board.platform.messages[0].text, OverwriteQuestion);
    EXPECT_EQ(contents(file), contents(path(u"fresh.pzl"_s)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);   // no temporary left behind
    expectSameState(before, board);
}

TEST_F(PuzzleFilesTest, AnExistingFileThatCannotBeReadIsStillAskedAbout)
{
    const QString file = write(u"locked.pzl"_s, "locked\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::Permissions{}));
    const bool stillReadable = QFile(file).open(QIODevice::ReadOnly);
    save(board, file);   // answered No
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_EQ(board.platform.messages.size(), 1u);
    EXPECT_EQ(board.platform.messages[0].text, OverwriteQuestion);
    EXPECT_EQ(contents(file), "locked\r\n");
    if (stillReadable)
        GTEST_SKIP() << "permissions do not stop reading here (root): the file was not unreadable";
}

// --- Writing that fails ---

TEST_F(PuzzleFilesTest, SavingIntoAReadOnlyFolderKeepsTheOldFile)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"ro"_s));
    const QString file = write(u"ro/game.pzl"_s, "old bytes\r\n");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path(u"ro"_s), readOnly));
    QFile probe(path(u"ro/probe"_s));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(path(u"ro"_s), readOnly | QFileDevice::WriteOwner);
        GTEST_SKIP() << "permissions do not stop writing here (root); see the next test";
    }
    const GameState before = stateOf(board);
    board.platform.answers = {MsgResult::Yes};
    save(board, file);
    QFile::setPermissions(path(u"ro"_s), readOnly | QFileDevice::WriteOwner);
    ASSERT_EQ(board.platform.messages.size(), 2u);
    EXPECT_EQ(board.platform.messages[1].style, MsgStyle::Critical);
    EXPECT_TRUE(board.platform.messages[1].text.contains(file));
    EXPECT_EQ(contents(file), "old bytes\r\n");
    EXPECT_EQ(QDir(path(u"ro"_s)).entryList(QDir::Files).size(), 1);
    expectSameState(before, board);
}

TEST_F(PuzzleFilesTest, SavingUnderAFileAsIfItWereAFolderFailsWithAMessage)
{
    const QString notAFolder = write(u"plain"_s, "old bytes\r\n");
    const QString file = notAFolder + u"/game.pzl"_s;
    const GameState before = stateOf(board);
    save(board, file);
    ASSERT_EQ(board.platform.messages.size(), 1u);   // nothing there, so no question
    EXPECT_EQ(board.platform.messages[0].style, MsgStyle::Critical);
    EXPECT_TRUE(board.platform.messages[0].text.contains(file));
    EXPECT_EQ(contents(notAFolder), "old bytes\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    expectSameState(before, board);
}

TEST_F(PuzzleFilesTest, SaveWithNoBoardWritesNothing)
{
    FakeBoard b;
    save(b, path(u"nothing.pzl"_s));
    EXPECT_EQ(b.platform.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(u"nothing.pzl"_s)));
}

// --- Files that cannot be opened, each leaving the game in play as it was ---

struct BadFile {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const BadFile& file, std::ostream* os) { *os << file.name; }

class PuzzleFilesRefused : public PuzzleFilesTest, public ::testing::WithParamInterface<BadFile> {};

QByteArray thousandAndOneMoves()
{
    QByteArray out = "/pics/a.jpg\r\n4\r\n4\r\n 1001 \r\n";
    for (int i = 0; i < 1001; ++i)
        out += " 2 \r\n";
    return out;
}

const BadFile BadFiles[] = {
    {"MissingPicture", "/pics/gone.jpg\r\n4\r\n4\r\n 0 \r\n"},
    {"Empty", ""},
    {"EndsBeforeTheCount", "/pics/a.jpg\r\n4\r\n4\r\n"},
    {"ShortOfMoves", "/pics/a.jpg\r\n4\r\n4\r\n 3 \r\n 2 \r\n 3 \r\n"},
    {"NegativeCount", "/pics/a.jpg\r\n4\r\n4\r\n -1 \r\n"},
    {"FractionCount", "/pics/a.jpg\r\n4\r\n4\r\n 1.0 \r\n 2 \r\n"},
    {"WordCount", "/pics/a.jpg\r\n4\r\n4\r\n two \r\n 2 \r\n 3 \r\n"},
    {"ThousandAndOneMoves", thousandAndOneMoves()},
    {"EntryOne", "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 1 \r\n"},
    {"EntryPastTheLastTile", "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 17 \r\n"},
    {"EntryNotANumber", "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n x \r\n"},
    {"ZeroColumns", "/pics/a.jpg\r\n0\r\n4\r\n 0 \r\n"},
    {"WordRows", "/pics/a.jpg\r\n4\r\nabc\r\n 0 \r\n"},
    {"PictureNarrowerThanItsColumns", "/pics/thin.jpg\r\n4\r\n4\r\n 0 \r\n"},
};

TEST_P(PuzzleFilesRefused, ShowsTheMessageAndChangesNothing)
{
    const QString file = write(u"bad.pzl"_s, GetParam().bytes);
    const GameState before = stateOf(board);
    open(board, file);
    expectOnlyCannotFind(board);
    expectSameState(before, board);
}

INSTANTIATE_TEST_SUITE_P(BadFiles, PuzzleFilesRefused, ::testing::ValuesIn(BadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PuzzleFilesTest, AMissingFileOrAFolderIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.pzl"_s));
    for (const QString& file : {path(u"missing.pzl"_s), path(u"folder.pzl"_s)}) {
        SCOPED_TRACE(file.toStdString());
        board.platform.messages.clear();
        const GameState before = stateOf(board);
        open(board, file);
        expectOnlyCannotFind(board);
        expectSameState(before, board);
    }
}

// --- What a readable file gives ---

TEST_F(PuzzleFilesTest, AnEntryThatMovesNothingIsLeftOutOfTheHistory)
{
    // Tile 9 (bottom right) borders no empty slot, before or after tile 2 has moved.
    FakeBoard b;
    open(b, write(u"noop.pzl"_s, "C:\\Pictures\\boat.jpg\r\n3\r\n3\r\n 4 \r\n 9 \r\n 2 \r\n 9 \r\n 5 \r\n"));
    EXPECT_TRUE(b.platform.messages.empty());
    EXPECT_EQ(b.game.history.entries(), (std::vector<std::int16_t>{2, 5}));
    EXPECT_EQ(b.slotOf(9), (std::pair<long, long>{2, 2}));
    EXPECT_EQ(emptySlot(b), (std::pair<long, long>{1, 1}));
    EXPECT_EQ(fault(b), "");
    b.game.Command3_Click();
    EXPECT_TRUE(solved(b, 3, 3));
}

TEST_F(PuzzleFilesTest, AWindows1250PathWithCzechLettersIsReadAndWrittenBackAsUtf8)
{
    // "/tmp/obrázky/kůň.jpg" in windows-1250: á E1, ů F9, ň F2.
    open(board, write(u"cz.pzl"_s, "/tmp/obr\xE1zky/k\xF9\xF2.jpg\r\n3\r\n2\r\n 1 \r\n 2 \r\n"));
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.game.PicturePath, Horse);
    EXPECT_EQ(board.game.history.entries(), (std::vector<std::int16_t>{2}));
    save(board, path(u"again.pzl"_s));
    EXPECT_EQ(contents(path(u"again.pzl"_s)), Horse.toUtf8() + "\r\n3\r\n2\r\n 1 \r\n 2 \r\n");
}

TEST_F(PuzzleFilesTest, AnLfOnlyFileWithoutAFinalLineEndIsRead)
{
    open(board, write(u"lf.pzl"_s, "/pics/a.jpg\n4\n4\n 2 \n 2 \n 6 "));
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.game.history.entries(), (std::vector<std::int16_t>{2, 6}));
    EXPECT_EQ(emptySlot(board), (std::pair<long, long>{1, 1}));
    EXPECT_EQ(fault(board), "");
}

TEST_F(PuzzleFilesTest, TheSizeFieldsShowTheFilesTextsUnchanged)
{
    open(board, write(u"odd.pzl"_s, "/pics/a.jpg\r\n 05\r\n4\t\r\n 0 \r\n"));
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.size.cols, u" 05"_s);
    EXPECT_EQ(board.size.rows, u"4\t"_s);
    EXPECT_EQ(board.game.Cols, u" 05"_s);
    EXPECT_TRUE(board.tiles.exists(20));   // 5 x 4
    EXPECT_FALSE(board.tiles.exists(21));
    save(board, path(u"odd_again.pzl"_s));
    EXPECT_EQ(contents(path(u"odd_again.pzl"_s)), "/pics/a.jpg\r\n 05\r\n4\t\r\n 0 \r\n");
}

} // namespace
} // namespace zp
