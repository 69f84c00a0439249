// Tests of opening and saving puzzle files: the bytes on disk, the rebuilt board, the questions
// and messages, and the game in play that no failed open and no save may touch.
#include "files/puzzle_files.h"

#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zp {
namespace {

using test::FakeBoard;

const QString InPlay = u"/pics/in_play.jpg"_s;
const QByteArray Square4x4 = "/pics/a.jpg\r\n4\r\n4\r\n";   // lines 1-3 of a 4 x 4 game

// Runs `action` and checks that it left everything of the game in play as it was.
template <typename Action>
void expectGameUnchanged(const FakeBoard& b, Action action)
{
    const test::GameSnapshot before = b.snapshot();
    action();
    EXPECT_TRUE(b.snapshot() == before);
}

// Checks that `count` messages were shown, the last in `style`, and gives that one's text.
QString lastShown(const FakeBoard& b, std::size_t count, MsgStyle style)
{
    EXPECT_EQ(b.platform.messages.size(), count);
    const auto last = b.platform.messages.empty() ? test::ShownMessage{} : b.platform.messages.back();
    EXPECT_EQ(last.style, style);
    return last.text;
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "(cannot be read)";
}

class PuzzleFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A 4 x 4 game in play with moves made, and the size dialog since set to 6 x 5.
        for (const QString& known : {u"C:\\Pictures\\boat.jpg"_s, InPlay, u"/pics/a.jpg"_s, u"/tmp/obrázky/kůň.jpg"_s})
            loader.pictures[known] = {400, 400};
        ASSERT_TRUE(dir.isValid() && board.build(400, 400));
        board.game.PicturePath = InPlay;
        for (const std::int16_t k : {2, 6, 10, 14, 15, 11, 12, 8, 7})
            ASSERT_TRUE(board.game.MoveTile(k)) << k;
        board.size.cols = u"6"_s;
        board.size.rows = u"5"_s;
    }

    PuzzleFiles filesOf(FakeBoard& b) { return {b.game, b.size, b.clip, loader, b.platform}; }
    void open(FakeBoard& b, const QString& file) { filesOf(b).OpenPuzzle(file); }
    void save(FakeBoard& b, const QString& file) { filesOf(b).SavePuzzle(file); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path(name);
    }

    QTemporaryDir dir;
    test::FakeLoader loader;
    FakeBoard board;
};

// --- Saving, over a file or not, and saving that fails ---

TEST_F(PuzzleFilesTest, ASaveThatCannotBeDoneShowsAMessageAndWritesNothing)
{
    FakeBoard none;
    save(none, path(u"nothing.pzl"_s));
    EXPECT_EQ(none.platform.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(u"nothing.pzl"_s)));

    const QString plain = write(u"plain"_s, "old bytes\r\n");   // saved under as if a folder: no question
    expectGameUnchanged(board, [&] { save(board, plain + u"/game.pzl"_s); });
    EXPECT_TRUE(lastShown(board, 1, MsgStyle::Critical).contains(plain + u"/game.pzl"_s));
    EXPECT_EQ(contents(plain), "old bytes\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"plain"_s});
}

// --- Files that cannot be opened ---

// What the format refuses is tabled with the format; here one such file stands for them all.
const std::pair<const char*, QByteArray> BadFiles[] = {
    {"MissingPicture", "/pics/gone.jpg\r\n4\r\n4\r\n 0 \r\n"}, {"Entry17", Square4x4 + " 2 \r\n 2 \r\n 17 \r\n"},
    {"PictureTooSmall", "/pics/a.jpg\r\n401\r\n1\r\n 0 \r\n"},   // tiles under a pixel wide
};

TEST_F(PuzzleFilesTest, AnUnusableFileShowsTheOneMessageAndChangesNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.pzl"_s));
    QStringList files{path(u"missing.pzl"_s), path(u"folder.pzl"_s)};
    for (const auto& [name, bytes] : BadFiles)
        files << write(QString::fromLatin1(name) + u".pzl"_s, bytes);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        board.platform.messages.clear();
        expectGameUnchanged(board, [&] { open(board, file); });
        EXPECT_EQ(lastShown(board, 1, MsgStyle::Critical), u"Nemohu nalézt potřebný soubor."_s);
    }
}

} // namespace
} // namespace zp
