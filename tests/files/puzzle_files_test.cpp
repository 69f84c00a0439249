// SPDX-License-Identifier: MIT
// Opening and saving puzzle files that fails: a file size limit, a full disk, odd targets, a locked
// folder, unusable files and FIFOs. The old file keeps its bytes, the game in play stays, the message says
// why.
#include "files/puzzle_files.h"

#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
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
    // In a child process: saves to each file in turn and prints what each showed for the parent to
    // match. SizeLimit: a file write stops after 8 bytes. Unprivileged: as root, runs as "nobody".
    enum class Child { SizeLimit, Unprivileged };
    [[noreturn]] void saveAndExit(const QStringList& files, Child child)
    {
        rlimit unlimited{}, limit{8, 0};
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit.rlim_max = unlimited.rlim_max;
        const bool ready = child == Child::SizeLimit
            ? setrlimit(RLIMIT_FSIZE, &limit) == 0
            : geteuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0);
        QString shown;
        for (const QString& file : files)
            shown += ready ? save(file) : u"cannot start the child\n"_s;
        setrlimit(RLIMIT_FSIZE, &unlimited);   // the parent reads what is printed from a file
        std::fprintf(stderr, "%s", qPrintable(shown));
        std::_Exit(0);
    }
    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    test::FakeLoader loader;
    test::FakeBoard board;
};

TEST_F(PuzzleFilesTest, AWriteCutShortByTheFileSizeLimitKeepsTheOldFile)
{
    const QString old = write(u"old.pzl"_s);
    EXPECT_EXIT(
        saveAndExit({old, path(u"new.pzl"_s)}, Child::SizeLimit), ::testing::ExitedWithCode(0),
        "^The file you selected already exists[^\n]*\nCannot save the file .*/old.pzl: File too large\n"
        "Cannot save the file .*/new.pzl: File too large\n$");
    EXPECT_EQ(contents(old), Old);
    EXPECT_EQ(entries(dir.path()), QStringList{u"old.pzl"_s});   // no temporary file, no new file
}

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
    EXPECT_EQ(entries(dir.path()).size(), 4);
}

TEST_F(PuzzleFilesTest, AWritableFileInAFolderThatIsNotIsOverwrittenInPlace)
{
    const QString folder = path(u"locked"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString file = write(u"locked/game.pzl"_s), readOnly = write(u"locked/read-only.pzl"_s);
    ASSERT_TRUE(chmod(QFile::encodeName(file).constData(), 0666) == 0 &&
                chmod(QFile::encodeName(readOnly).constData(), 0444) == 0 &&
                chmod(QFile::encodeName(folder).constData(), 0555) == 0 &&
                chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    EXPECT_EXIT(saveAndExit({file, readOnly}, Child::Unprivileged), ::testing::ExitedWithCode(0),
                "^(The file you selected already exists[^\n]*\n){2}Cannot save the file .*/read-only.pzl: "
                "Permission denied\n$");
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(contents(file), Saved);
    EXPECT_EQ(contents(readOnly), Old);
    EXPECT_EQ(entries(folder).size(), 2);
}

TEST_F(PuzzleFilesTest, AFullDiskKeepsTheOldFile)
{
    const QString disk = path(u"disk"_s);
    ASSERT_TRUE(QDir().mkdir(disk));
    if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here: " << std::strerror(errno);
    const QString old = write(u"disk/old.pzl"_s);
    QFile filler(path(u"disk/filler"_s));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);   // no early return: the disk must go
    while (filler.write(QByteArray(512, 'f')) == 512) {
    }
    const QString onOld = save(old), onNew = save(path(u"disk/new.pzl"_s));
    const QByteArray kept = contents(old);
    const QStringList left = entries(disk);
    filler.close();
    EXPECT_EQ(umount2(QFile::encodeName(disk).constData(), MNT_DETACH), 0);
    EXPECT_EQ(onOld, Question + "Cannot save the file " + old + ": No space left on device\n");
    EXPECT_EQ(onNew, "Cannot save the file " + path(u"disk/new.pzl"_s) + ": No space left on device\n");
    EXPECT_EQ(kept, Old);
    EXPECT_EQ(left, QStringList({u"filler"_s, u"old.pzl"_s}));
}

// What the format refuses is tabled with the format; here one file stands for each other reason.
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
