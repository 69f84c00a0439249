// SPDX-License-Identifier: MIT
// Opening and saving puzzle files: the overwrite question, the 1000-move limit, a byte-order mark; odd
// targets, unusable files, FIFOs and a full disk, where the old file keeps its bytes, the game stays, a
// message says why.
#include "files/puzzle_files.h"

#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

const QByteArray Old = "old game, to be kept byte for byte\r\n";
const QByteArray Saved = "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 6 \r\n";   // the game in play
// A message as run() gives it: its text, its style's code, and its title if it has one.
const QString Question = test::OverwriteText + u" [292]\n"_s;   // question icon, Yes and No, No the default
const QString Refused = test::CannotFindText + u" [16]\n"_s;    // critical icon, OK

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
    // Runs `command` with `file` on the game in play; the messages it showed, one a line, or a note that
    // the game changed.
    QString run(void (PuzzleFiles::*command)(const QString&), const QString& file)
    {
        const test::GameSnapshot before = board.snapshot();
        board.platform.messages.clear();
        PuzzleFiles files(board.game, board.size, board.clip, loader, board.platform);
        (files.*command)(file);
        QString shown;
        for (const test::ShownMessage& m : board.platform.messages)
            shown += QString("%1 [%2]%3\n").arg(m.text).arg(int(m.style)).arg(m.title);
        return board.snapshot() == before ? shown : u"the game changed"_s;
    }
    QString save(const QString& file) { return run(&PuzzleFiles::SavePuzzle, file); }
    QString open(const QString& file) { return run(&PuzzleFiles::OpenPuzzle, file); }

    QTemporaryDir dir;
    test::FakeLoader loader;
    test::FakeBoard board;
};

TEST_F(PuzzleFilesTest, OnlyRegularFilesAreReplacedAndASymlinkIsWrittenThrough)
{
    const QString fifo = path(u"fifo.pzl"_s), folder = path(u"folder.pzl"_s), link = path(u"link.pzl"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QDir().mkdir(folder));
    ASSERT_TRUE(QFile::link(write(u"target.pzl"_s), link));
    EXPECT_EQ(save(fifo), "Cannot save the file " + fifo + ": not a regular file [16]\n");
    EXPECT_EQ(save(folder), "Cannot save the file " + folder + ": Is a directory [16]\n");
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
        EXPECT_EQ(open(file), Refused) << qPrintable(file);
    ::close(writer);
}

// The file size limit cuts the new file short (Yes to the question): the old file keeps every byte, the
// game stays, and the message says why.
TEST_F(PuzzleFilesTest, ASaveCutShortLeavesTheOldFileWholeAndSaysWhy)
{
    const QString file = write(u"kept.pzl"_s);
    std::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails instead of ending the run
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{8, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const QString shown = save(file);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(shown, Question + "Cannot save the file " + file + ": File too large [16]\n");
    EXPECT_EQ(contents(file), Old);
}

// The question asks in its words, with Yes and No, No the default, under the program's name: No keeps every
// byte of the old file, Yes replaces it whole, though the game is shorter. A new name is written without a
// question.
TEST_F(PuzzleFilesTest, NoAtTheOverwriteQuestionKeepsTheOldFileAndYesReplacesItWhole)
{
    const QString file = write(u"old.pzl"_s, Old + Old);
    board.platform.answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(save(file), Question);
    EXPECT_EQ(contents(file), Old + Old);
    EXPECT_EQ(save(file), Question);
    EXPECT_EQ(contents(file), Saved);
    EXPECT_EQ(save(path(u"new.pzl"_s)), "");
    EXPECT_EQ(contents(path(u"new.pzl"_s)), Saved);
}

// 1001 moves, good ones, are refused with the reader's message under the program's name; the same file
// saying 1000 opens, and its last line is never read.
TEST_F(PuzzleFilesTest, AFileOf1000MovesOpensAndOneOf1001IsRefused)
{
    QByteArray game = "/pics/a.jpg\r\n4\r\n4\r\n 1001 \r\n";
    for (int i = 0; i < 1001; ++i)   // 2, 6, 5 round and round: each borders the empty slot in its turn
        game += QByteArray(" ") + "265"[i % 3] + " \r\n";
    EXPECT_EQ(open(write(u"1001.pzl"_s, game)), Refused);
    EXPECT_EQ(open(write(u"1000.pzl"_s, game.replace(" 1001 ", " 1000 "))), u"the game changed"_s);
    EXPECT_EQ(board.game.history.MoveCount(), 1000);
    EXPECT_TRUE(board.platform.messages.empty());
}

TEST_F(PuzzleFilesTest, AFileThatStartsWithAUtf8ByteOrderMarkOpens)
{
    EXPECT_EQ(open(write(u"bom.pzl"_s, "\xEF\xBB\xBF" + Saved)), u"the game changed"_s);
    EXPECT_TRUE(board.platform.messages.empty());
    EXPECT_EQ(board.game.history.entries(), (std::vector<std::int16_t>{2, 6}));
}

}   // namespace
}   // namespace zp
