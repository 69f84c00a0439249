// Saves that fail for real (a file size limit, a full disk, odd targets, a locked folder) and
// puzzle files that are FIFOs: the old file keeps its bytes and the message gives the reason.
#include "files/puzzle_files.h"

#include "platform/picture_loader.h"
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

class AnyPicture : public PictureLoader {
    PicturePtr load(const QString&, QString&) override { return std::make_shared<test::FakePicture>(400, 400); }
};

class SaveFailuresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        alarm(20);   // a save or read that blocks on a FIFO ends the run here instead of hanging it
        ASSERT_TRUE(dir.isValid() && board.build(400, 400));
        board.game.PicturePath = u"/pics/a.jpg"_s;
        ASSERT_TRUE(board.game.MoveTile(2) && board.game.MoveTile(6));
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
    // Runs `command` on the game in play; the last message it showed, or a note that the game changed.
    template <typename Command>
    QString run(Command command)
    {
        const auto state = [this] {
            return std::tuple(board.game.history.entries(), board.game.EmptyLeft, board.game.EmptyTop,
                              board.game.PicturePath, board.game.Cols, board.clip.picture().get());
        };
        const auto before = state();
        board.platform.messages.clear();
        PuzzleFiles files(board.game, board.size, board.clip, loader, board.platform);
        command(files);
        return state() != before              ? u"the game changed"_s
            : board.platform.messages.empty() ? QString() : board.platform.messages.back().text;
    }
    QString save(const QString& file) { return run([&](PuzzleFiles& f) { f.SavePuzzle(file); }); }
    // In a child process: saves to each file in turn, then prints the last message of each, one
    // a line, for the parent to match. SizeLimit: a file write stops after 8 bytes during the
    // saves. Unprivileged: as root, runs as "nobody", for whom file permissions bind.
    enum class Child { SizeLimit, Unprivileged };
    [[noreturn]] void saveAndExit(const QStringList& files, Child child)
    {
        rlimit unlimited{}, limit{8, 0};
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit.rlim_max = unlimited.rlim_max;
        const bool ready = child == Child::SizeLimit ? setrlimit(RLIMIT_FSIZE, &limit) == 0
            : geteuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0);
        QStringList shown;
        for (const QString& file : files)
            shown << (ready ? save(file) : u"cannot start the child"_s);
        setrlimit(RLIMIT_FSIZE, &unlimited);   // the parent reads what is printed from a file
        std::fprintf(stderr, "%s\n", qPrintable(shown.join(u'\n')));
        std::_Exit(0);
    }
    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    AnyPicture loader;
    test::FakeBoard board;
};

TEST_F(SaveFailuresTest, AWriteCutShortByTheFileSizeLimitKeepsTheOldFile)
{
    const QString old = write(u"old.pzl"_s);
    EXPECT_EXIT(saveAndExit({old, path(u"new.pzl"_s)}, Child::SizeLimit), ::testing::ExitedWithCode(0),
        "^Cannot save the file .*/old.pzl: File too large\nCannot save the file .*/new.pzl: File too large\n$");
    EXPECT_EQ(contents(old), Old);
    EXPECT_EQ(entries(dir.path()), QStringList{u"old.pzl"_s});   // no temporary file, no new file
}

TEST_F(SaveFailuresTest, OnlyRegularFilesAreReplacedAndASymlinkIsWrittenThrough)
{
    const QString fifo = path(u"fifo.pzl"_s), folder = path(u"folder.pzl"_s), link = path(u"link.pzl"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QDir().mkdir(folder));
    ASSERT_TRUE(QFile::link(write(u"target.pzl"_s), link));
    EXPECT_EQ(save(fifo), "Cannot save the file " + fifo + ": not a regular file");
    EXPECT_EQ(save(folder), "Cannot save the file " + folder + ": Is a directory");
    EXPECT_EQ(board.platform.messages.size(), 1u);   // no question about what cannot be replaced
    EXPECT_EQ(save(link), OverwriteQuestion);
    EXPECT_TRUE(QFileInfo(fifo).isFile() == false && QFileInfo(fifo).exists() && QFileInfo(folder).isDir());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path(u"target.pzl"_s));
    EXPECT_EQ(contents(path(u"target.pzl"_s)), Saved);
    EXPECT_EQ(entries(dir.path()).size(), 4);
}

TEST_F(SaveFailuresTest, AWritableFileInAFolderThatIsNotIsOverwrittenInPlace)
{
    const QString folder = path(u"locked"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString file = write(u"locked/game.pzl"_s), readOnly = write(u"locked/read-only.pzl"_s);
    ASSERT_TRUE(chmod(QFile::encodeName(file).constData(), 0666) == 0 &&
                chmod(QFile::encodeName(readOnly).constData(), 0444) == 0 &&
                chmod(QFile::encodeName(folder).constData(), 0555) == 0 &&
                chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    EXPECT_EXIT(saveAndExit({file, readOnly}, Child::Unprivileged), ::testing::ExitedWithCode(0),
        "^The file you selected already exists[^\n]*\nCannot save the file .*/read-only.pzl: Permission denied\n$");
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(contents(file), Saved);
    EXPECT_EQ(contents(readOnly), Old);
    EXPECT_EQ(entries(folder).size(), 2);
}

TEST_F(SaveFailuresTest, AFullDiskKeepsTheOldFile)
{
    const QString disk = path(u"disk"_s);
    ASSERT_TRUE(QDir().mkdir(disk));
    if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here: " << std::strerror(errno);
    const QString old = write(u"disk/old.pzl"_s);
    QFile filler(path(u"disk/filler"_s));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);   // no early return: the disk must go
    while (filler.write(QByteArray(512, 'f')) == 512) {}
    const QString onOld = save(old), onNew = save(path(u"disk/new.pzl"_s));
    const QByteArray kept = contents(old);
    const QStringList left = entries(disk);
    filler.close();
    EXPECT_EQ(umount2(QFile::encodeName(disk).constData(), MNT_DETACH), 0);
    EXPECT_EQ(onOld, "Cannot save the file " + old + ": No space left on device");
    EXPECT_TRUE(onNew.endsWith(u"new.pzl: No space left on device"_s)) << qPrintable(onNew);
    EXPECT_EQ(kept, Old);
    EXPECT_EQ(left, QStringList({u"filler"_s, u"old.pzl"_s}));
}

TEST_F(SaveFailuresTest, AFifoIsNeverReadAsAPuzzleFile)
{
    const QString idle = path(u"idle.pzl"_s), fed = path(u"fed.pzl"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(idle).constData(), 0600) == 0 &&
                mkfifo(QFile::encodeName(fed).constData(), 0600) == 0);
    const int writer = ::open(QFile::encodeName(fed).constData(), O_RDWR);   // holds a good game
    ASSERT_TRUE(writer >= 0 && ::write(writer, Saved.data(), Saved.size()) == Saved.size());
    for (const QString& file : {idle, fed})   // no writer: opening would wait for one for ever
        EXPECT_EQ(run([&](PuzzleFiles& f) { f.OpenPuzzle(file); }), CannotFindMessage) << qPrintable(file);
    ::close(writer);
}

} // namespace
} // namespace zp
