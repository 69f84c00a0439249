// SPDX-License-Identifier: MIT
// Opening and saving puzzle files that fails: odd targets, unusable files and FIFOs. The old file keeps
// its bytes, the game in play stays, the message says why.
#include "files/puzzle_files.h"

#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

const QByteArray Old = "old game, to be kept byte for byte\r\n";
const QByteArray Saved = "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 6 \r\n";   // the game in play
const QString Question = OverwriteQuestion + u'\n';

class PuzzleFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        alarm(20);   // a save or read that blocks on a FIFO ends the run here instead of hanging it
        loader.pictures[u"/pics/a.jpg"_s] = {400, 400};
        ASSERT_TRUE(dir.isValid() && board.build(400, 400));
        board.game.PicturePath = u"/pics/a.jpg"_s;
        ASSERT_TRUE(board.game.MoveTile(2) && board.game.MoveTile(6));
        board.size.cols = u"6"_s;   // the size dialog, changed since: a failed open must not touch it
        board.platform.answers.assign(4, MsgResult::Yes);
    }
    void TearDown() override { alarm(0); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes = Old)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path(name);
    }
    static QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "(cannot be read)";
    }
    // Runs `command` on the game in play; the messages it showed, one a line, or a note that the game
    // changed.
    template <typename Command> QString run(Command command)
    {
        const test::GameSnapshot before = board.snapshot();
        board.platform.messages.clear();
        PuzzleFiles files(board.game, board.size, board.clip, loader, board.platform);
        command(files);
        QString shown;
        for (const test::ShownMessage& m : board.platform.messages)
            shown += m.text + u'\n';
        return board.snapshot() == before ? shown : u"the game changed"_s;
    }
    QString save(const QString& file)
    {
        return run([&](PuzzleFiles& f) { f.SavePuzzle(file); });
    }

    QTemporaryDir dir;
    test::FakeLoader loader;
    test::FakeBoard board;
};

TEST_F(PuzzleFilesTest, OnlyRegularFilesAreReplacedAndASymlinkIsWrittenThrough)
{
    const QString fifo = path(u"fifo.pzl"_s), folder = path(u"folder.pzl"_s), link = path(u"link.pzl"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QDir().mkdir(folder));
    ASSERT_TRUE(QFile::link(write(u"target.pzl"_s), link));
    EXPECT_EQ(save(fifo), "Cannot save the file " + fifo + ": not a regular file\n");
    EXPECT_EQ(save(folder), "Cannot save the file " + folder + ": Is a directory\n");
    EXPECT_EQ(save(link), Question);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path(u"target.pzl"_s));
    EXPECT_EQ(contents(path(u"target.pzl"_s)), Saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), 4);
}

// One file for each reason a puzzle file cannot be opened.
TEST_F(PuzzleFilesTest, AnUnusableFileOrAFifoShowsTheOneMessageAndChangesNothing)
{
    const QString idle = path(u"idle.pzl"_s), fed = path(u"fed.pzl"_s), folder = path(u"folder.pzl"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(idle).constData(), 0600) == 0 &&
                mkfifo(QFile::encodeName(fed).constData(), 0600) == 0 && QDir().mkdir(folder));
    const int writer = ::open(QFile::encodeName(fed).constData(), O_RDWR);   // holds a good game
    ASSERT_TRUE(writer >= 0 && ::write(writer, Saved.data(), Saved.size()) == Saved.size());
    const QStringList files{
        idle,
        fed,
        folder,
        path(u"missing.pzl"_s),
        write(u"gone.pzl"_s, "/pics/gone.jpg\r\n4\r\n4\r\n 0 \r\n"),
        write(u"17.pzl"_s, "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 17 \r\n"),
        write(u"thin.pzl"_s, "/pics/a.jpg\r\n401\r\n1\r\n 0 \r\n")};   // tiles under a pixel
    for (const QString& file : files)   // a FIFO without a writer: opening would wait for one for ever
        EXPECT_EQ(run([&](PuzzleFiles& f) { f.OpenPuzzle(file); }), CannotFindMessage + u'\n')
            << qPrintable(file);
    ::close(writer);
}

}   // namespace
}   // namespace zp
