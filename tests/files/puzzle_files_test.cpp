// SPDX-License-Identifier: MIT
// Opening and saving puzzle files: the overwrite question, the 1000-move limit, a byte-order mark, the
// picture found beside a puzzle file from another computer; unusable files and FIFOs opened leave the game
// in play and show the message. A save where a file size limit, a full disk, a link, a sticky folder,
// another user or a long name is in the way writes the game whole, or says why and leaves the file there
// its bytes; each such save runs in a child process started as the program starts, as a second user where
// that matters.
#include "files/puzzle_files.h"

#include "platform/file_io.h"
#include "platform/file_name.h"
#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

const QByteArray Old = "old game\n", Unreadable = "(cannot be read)";
const QByteArray Saved = "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 6 \r\n";   // the 4 x 4 game in play
constexpr uid_t Nobody = 65534;                                              // the second user
// A page shared with the child processes that save: each leaves its messages there.
char* const Shared =
    static_cast<char*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));

struct Child {
    uid_t user = 0;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    int failingCall = -1;   // a system call that fails with EIO (-1: none)
    // Saves on a file system of 64 KiB, filled up before, a game whose picture's long name makes it two
    // pages.
    bool fullDisk = false;
    gid_t group = 0;                           // a group of the user's besides its own (0: none)
    QByteArray bindFrom = {}, bindOnto = {};   // a file mounted onto another, as containers do (empty: none)
    bool setUp() const
    {
        sock_filter filter[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                                BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(failingCall), 0, 1),
                                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
                                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
        const sock_fprog failing{4, filter};
        const rlimit limit{fileSizeLimit, RLIM_INFINITY};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
            (bindOnto.isEmpty() ||
             (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
              mount(bindFrom, bindOnto, nullptr, MS_BIND, nullptr) == 0)) &&
            (!user || (setgroups(group ? 1 : 0, &group) == 0 && setgid(user) == 0 && setuid(user) == 0)) &&
            prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
            prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &failing) == 0;
    }
};

// The output of shell commands run in `dir`.
QByteArray shell(const QTemporaryDir& dir, const QString& commands)
{
    QProcess sh;
    sh.setWorkingDirectory(dir.path());
    sh.start("sh", {"-c", "set -e; export LC_ALL=C; " + commands});
    EXPECT_TRUE(sh.waitForFinished() && sh.exitCode() == 0)
        << qPrintable(commands) << sh.readAllStandardError().data();
    return sh.readAllStandardOutput();
}

// Every entry under `dir`, a link with what it leads to.
QByteArray listing(const QTemporaryDir& dir) { return shell(dir, "find . -printf '%p %l\\n' | sort"); }

// The bytes of a regular file under `dir`, also through a link.
QByteArray contents(const QTemporaryDir& dir, const QString& f)
{
    return shell(dir, "test -f " + f + " && cat " + f + " || printf '" + Unreadable + "'");
}

// Writes `bytes` to `file`, making its folders; the file's name.
QString put(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    EXPECT_TRUE(QDir().mkpath(QFileInfo(file).path()) && f.open(QIODevice::WriteOnly) &&
                f.write(bytes) == bytes.size());
    return file;
}

// A message as run() gives it: its text, its style's code, and its title if it has one.
const QString Question = test::OverwriteText + u" [292]\n"_s;   // question icon, Yes and No, No the default

class PuzzleFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        alarm(20);   // a save or read that blocks on a FIFO ends the run here instead of hanging it
        loader.pictures[u"/pics/a.jpg"_s] = {400, 400};
        ASSERT_TRUE(board.build(400, 400, "4", "4", u"/pics/a.jpg"_s) && board.game.replay({2, 6}));
        board.size.cols = u"6"_s;   // the size dialog, changed since: a failed open must not touch it
    }
    void TearDown() override { alarm(0); }

    QString path(const QString& name) const { return dir.filePath(name); }
    // Saves a game of a 4 x 4 board cut from the child's picture, tiles 2 and 6 moved, to `file`, in a child
    // process started as the program starts, every question answered Yes; the messages shown as run() gives
    // them (the overwrite question as "?", "Cannot save the file <file>: " left out), or how the child ended.
    std::string save(const QString& file, const Child& child)
    {
        if (fork() == 0) {
            alarm(20);
            QString shown = "cannot set the child up";
            const QString picture = child.fullDisk ? QString(5000, u'p') : u"/pics/a.jpg"_s;
            if (child.setUp() && board.build(400, 400, "4", "4", picture) && board.game.replay({2, 6})) {
                ignoreFileSizeLimitSignal();
                board.platform.answers.assign(2, MsgResult::Yes);
                shown = run(&PuzzleFiles::SavePuzzle, file).replace(Question, u"?"_s);
                shown.replace("Cannot save the file " + file + ": ", u""_s);
            }
            _exit(qstrncpy(Shared, shown.toUtf8(), 4096) ? 0 : 1);
        }
        int status = 0;
        wait(&status);
        return WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status)) : Shared;
    }
    // Runs `command` with `file` on the game in play; the messages it showed, one a line, then a note if the
    // game changed.
    QString run(void (PuzzleFiles::*command)(const QString&), const QString& file)
    {
        const test::GameSnapshot before = board.snapshot();
        board.platform.messages.clear();
        (PuzzleFiles(board.game, board.size, loader, board.platform).*command)(file);
        QString shown;
        for (const test::ShownMessage& m : board.platform.messages)
            shown += QString("%1 [%2]%3\n").arg(m.text).arg(int(m.style)).arg(m.title);
        return board.snapshot() == before ? shown : shown + u"the game changed"_s;
    }

    QTemporaryDir dir;
    test::FakeLoader loader;
    test::FakeBoard board;
};

// Each reason a puzzle file cannot be opened, a FIFO among them: opening one without a writer would wait for
// ever. 1001 good moves are refused; the same file saying 1000 opens, and its last line is never read.
TEST_F(PuzzleFilesTest, OpenTakesAGoodFileOrRefusesItWithTheOneMessage)
{
    shell(dir, u"mkfifo idle.pzl fed.pzl; mkdir folder.pzl"_s);
    QFile writer(path(u"fed.pzl"_s));   // holds a good game
    ASSERT_TRUE(writer.open(QIODevice::ReadWrite) && writer.write(Saved) == Saved.size() && writer.flush());
    // 1001 moves: 2, 6, 5 round and round, each borders the empty slot in its turn
    const QByteArray moves = "/pics/a.jpg\r\n4\r\n4\r\n 1001 \r\n" +
        QByteArray(" 2 \r\n 6 \r\n 5 \r\n").repeated(333) + " 2 \r\n 6 \r\n";
    const std::tuple<const char*, QString, int> cases[] = {
        // rule, file, moves afterwards (-1: refused)
        {"AFifoWithoutAWriter", path(u"idle.pzl"_s), -1},
        {"AFifoWithAWriter", path(u"fed.pzl"_s), -1},
        {"AFolder", path(u"folder.pzl"_s), -1},
        {"AMissingFile", path(u"missing.pzl"_s), -1},
        {"AMissingPicture", put(path(u"gone.pzl"_s), "/pics/gone.jpg\r\n4\r\n4\r\n 0 \r\n"), -1},
        {"ATileOffTheBoard", put(path(u"17.pzl"_s), "/pics/a.jpg\r\n4\r\n4\r\n 2 \r\n 2 \r\n 17 \r\n"), -1},
        {"TilesUnderAPixel", put(path(u"thin.pzl"_s), "/pics/a.jpg\r\n401\r\n1\r\n 0 \r\n"), -1},
        {"APuzzleFileWithMoreThan1000MovesDoesNotOpen", put(path(u"1001.pzl"_s), moves), -1},
        {"AFileOf1000MovesOpens", put(path("1000.pzl"), QByteArray(moves).replace(" 1001 ", " 1000 ")), 1000},
        {"AFileThatStartsWithAUtf8ByteOrderMarkOpens", put(path(u"bom.pzl"_s), "\xEF\xBB\xBF" + Saved), 2}};
    const QString refused = test::CannotFindText + u" [16]\n"_s;   // critical icon, OK
    for (const auto& [rule, file, count] : cases) {
        SCOPED_TRACE(rule);
        EXPECT_EQ(run(&PuzzleFiles::OpenPuzzle, file), count < 0 ? refused : u"the game changed"_s);
        EXPECT_EQ(board.game.history().MoveCount(), count < 0 ? 2 : count);
    }
}

// The question asks in its words, with Yes and No, No the default, under the program's name: No keeps every
// byte of the old file, Yes replaces it whole, though the game is shorter. A new name is written without a
// question.
TEST_F(PuzzleFilesTest, SavingOverAFileAsksFirst)
{
    const QString file = put(path(u"old.pzl"_s), Old + Old);
    board.platform.answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(run(&PuzzleFiles::SavePuzzle, file), Question);
    EXPECT_EQ(contents(dir, file), Old + Old) << "No keeps every byte of the old file";
    EXPECT_EQ(run(&PuzzleFiles::SavePuzzle, file), Question);
    EXPECT_EQ(contents(dir, file), Saved) << "Yes replaces it whole";
    EXPECT_EQ(run(&PuzzleFiles::SavePuzzle, path(u"new.pzl"_s)), "") << "a new name: no question";
    EXPECT_EQ(contents(dir, path(u"new.pzl"_s)), Saved);
}

// Only regular files are replaced; "ro" is a folder that the second user may not write to, "mine" one of
// the second user's, "s" a sticky folder. Nothing is left behind, nothing removed, a link stays a link. On
// a full disk the new size is claimed before the old bytes change: the file keeps them, whether a new file
// was to take its place or it was to be overwritten in place (the picture's long name makes a game of two
// pages). A failure once the old bytes have begun to change says that they are lost.
TEST_F(PuzzleFilesTest, ASaveWritesTheFileWholeOrKeepsItsBytesSayingWhy)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to make files of a second user and to become that user";
    const QString longName = QString(245, u'g') + ".pzl", longest = QString(251, u'g') + ".pzl";
    const std::string lost = "Its old content could not be kept. [16]\n";
    const std::tuple<QString, QString, Child, std::string, QByteArray> cases[] = {
        // made by the shell, besides the files "old", "ro/old" and "s/old" holding Old and "ro/long" holding
        // it five times (mode 0666); the file saved to; the child; the messages as save() gives them; the
        // file's bytes afterwards, read through any link
        {"mkfifo f", "f", {}, "not a regular file [16]\n", Unreadable},
        {"mkdir f", "f", {}, "Is a directory [16]\n", Unreadable},
        {"ln -s a b; ln -s b a", "a", {}, "Too many levels of symbolic links [16]\n", Unreadable},
        {"ln -s old l", "l", {}, "?", Saved},
        {"ln -s ../ro/old mine/l", "mine/l", {Nobody}, "?", Saved},
        {"", "old", {.fileSizeLimit = 8}, "?File too large [16]\n", Old},
        {"", "ro/old", {Nobody, 8}, "?File too large [16]\n", Old},
        {"", "ro/long", {Nobody, 8}, "?File too large [16]\n", Old.repeated(5)},
        {"", "s/old", {Nobody}, "?", Saved},
        {"cp old " + longName, longName, {}, "?", Saved},
        {"cp old " + longest, longest, {}, "?", Saved},
        {"", "old", {.fullDisk = true}, "?No space left on device [16]\n", Old},
        {"", "ro/old", {.user = Nobody, .fullDisk = true}, "?No space left on device [16]\n", Old},
        {"", "ro/old", {.user = Nobody, .failingCall = SYS_fsync}, "?Input/output error\n" + lost, Saved},
    };
    for (const auto& [made, file, child, shown, after] : cases) {
        SCOPED_TRACE(file.left(40).toStdString());
        QTemporaryDir dir;
        if (child.fullDisk && QProcess::execute("mount", {"-t", "tmpfs", "-osize=64k", "zp", dir.path()})) {
            std::printf("skipped: a full disk, as no small file system can be mounted here\n");
            continue;
        }
        shell(dir,
              "chmod 755 .; echo old game >old; chmod 666 old; mkdir ro mine; mkdir -m 1777 s; cp -p old ro;"
              "cp -p old s; cat old old old old old >ro/long; chmod 666 ro/long; chown nobody mine\n" +
                  made + (child.fullDisk ? "\ncat /dev/zero >fill || true" : "") + "\nchmod 555 ro");
        const QByteArray before = listing(dir);
        EXPECT_EQ(save(dir.filePath(file), child), shown);
        EXPECT_EQ(contents(dir, file), after);
        EXPECT_EQ(listing(dir), before);
        if (child.fullDisk)
            QProcess::execute("umount", {"-l", dir.path()});
    }
}

// A save changes the file's bytes and nothing else it has: its owner, its group (shared with the group
// "users"), its access list, its extended attributes, its other names, a file mounted onto its name.
TEST_F(PuzzleFilesTest, ASaveLeavesOwnerGroupAccessListAttributesLinksMountsAsTheyWere)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to make files of a second user and to become that user";
    const Child nobody{.user = Nobody, .group = 100}, bound{.bindFrom = "src"};
    const std::tuple<const char*, QString, Child, QString> cases[] = {
        // rule, made by the shell besides a folder "g" of nobody and the group users holding "old" (Old, mode
        // 0664, root's, the group users), and "src"; the child that saves to g/old; what must hold after
        {"AnotherUsersFile", "", nobody, "stat -c %U:%G:%a:%h g/old | grep -x root:users:664:1"},
        {"TheGroupsFile", "chown nobody g/old", nobody, "stat -c %U:%G g/old | grep -x nobody:users"},
        {"AnAccessList", "setfacl -m u:daemon:rw g/old", {}, "getfacl -c g/old | grep -x user:daemon:rw-"},
        {"AnAttribute", "setfattr -n user.a -v b g/old", nobody,
         "getfattr -d g/old | grep -x 'user.a=\"b\"'"},
        {"AHardLink", "ln g/old twin", {}, "cmp g/old twin"},
        {"ABindMount", "", bound, "! cmp -s g/old src"},
    };
    for (auto [rule, made, child, check] : cases) {
        SCOPED_TRACE(rule);
        QTemporaryDir dir;
        shell(dir,
              "chmod 755 .; mkdir -m 775 g; echo old game >g/old; chmod 664 g/old; echo >src; chmod 666 src;"
              "chown nobody:users g g/old; chown root g/old\n" +
                  made);
        if (!child.bindFrom.isEmpty())
            child = {.bindFrom = QFile::encodeName(dir.filePath("src")),
                     .bindOnto = QFile::encodeName(dir.filePath("g/old"))};
        const QByteArray before = listing(dir);
        EXPECT_EQ(save(dir.filePath("g/old"), child), "?");
        EXPECT_EQ(contents(dir, child.bindFrom.isEmpty() ? "g/old" : "src"), Saved);
        shell(dir, check);
        EXPECT_EQ(listing(dir), before);
    }
}

// A name from another system or an old archive, "s\xE9.pzl" in Latin-1, is opened as the bytes it is, and a
// save to it asks and writes that file. The file dialog shows it as "s\uFFFD.pzl"; a save to that name is
// refused rather than write a file of that other name.
TEST_F(PuzzleFilesTest, ANameThatIsNoUtf8IsUsedAsItsBytesNeverAsAnotherName)
{
    shell(dir, u"printf '/pics/a.jpg\\r\\n4\\r\\n4\\r\\n 0 \\r\\n' >\"$(printf 's\\351.pzl')\""_s);
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/s\xE9.pzl";
    const QString name = fileNameFromBytes(bytes), lossy = QFile::decodeName(bytes);
    EXPECT_EQ(run(&PuzzleFiles::OpenPuzzle, name), u"the game changed"_s);
    const QByteArray before = listing(dir);
    board.platform.answers = {MsgResult::Yes};
    EXPECT_EQ(run(&PuzzleFiles::SavePuzzle, name), Question);
    EXPECT_EQ(listing(dir), before);
    EXPECT_EQ(run(&PuzzleFiles::SavePuzzle, lossy),
              "Cannot save the file " + lossy +
                  ": the file's name is not UTF-8 and was given with its letters lost; rename the file or "
                  "choose another name [16]\n");
    EXPECT_EQ(listing(dir), before);
    ::unlink(bytes.constData());   // which QTemporaryDir cannot name
}

QStringList logged;   // the messages of the log

// A file's name and its line 1 are logged with every control character (ESC, BEL, CR, LF, the C1 CSI)
// and every invisible format character (a right-to-left override) shown as an escape: one line for the
// refusal, which cannot clear the screen, set the terminal's title or forge a line of its own.
TEST_F(PuzzleFilesTest, ALoggedNameOrLineHasItsControlCharactersEscapedOnOneLine)
{
    const QString file = path(u"a\x1b]2;pwned\x07\r\nzp.files: fine\u202e.pzl"_s);
    put(file,
        "\x1b[2J\xc2\x9b"
        "1m/pics/gone.jpg\r\n4\r\n4\r\n 0 \r\n");
    logged.clear();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
    run(&PuzzleFiles::OpenPuzzle, file);
    qInstallMessageHandler(nullptr);
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0].contains(u"a\\x1b]2;pwned\\x07\\x0d\\x0azp.files: fine\\u202e.pzl"_s))
        << qPrintable(logged[0]);
    EXPECT_TRUE(logged[0].contains(u"picture \"\\x1b[2J\\x9b1m/pics/gone.jpg\""_s)) << qPrintable(logged[0]);
}

// Only whole texts reach the board: a size that its fields cannot hold whole (here cut at 32,767
// characters, as a line edit cuts) is refused with the message, and the game in play, its history full,
// stays as it was.
TEST_F(PuzzleFilesTest, ASizeTheFieldsCannotHoldWholeIsRefusedLeavingTheFullHistory)
{
    struct CuttingFields : test::FakeSizeFields {
        void setColumnsText(const QString& t) override { cols = t.left(32767); }
    } fields;
    ASSERT_TRUE(board.game.replay(std::vector<std::int16_t>(MoveHistory::Capacity - 2, 6)));   // 1000 moves
    const test::GameSnapshot before = board.snapshot();
    PuzzleFiles(board.game, fields, loader, board.platform)
        .OpenPuzzle(
            put(path(u"l.pzl"_s), "/pics/a.jpg\r\n" + QByteArray(32767, ' ') + "4\r\n4\r\n 1 \r\n 2 \r\n"));
    EXPECT_TRUE(board.platform.messages.size() == 1 &&
                board.platform.messages[0].text == test::CannotFindText);
    EXPECT_TRUE(board.snapshot() == before && board.game.history().MoveCount() == 1000 &&
                fields.cols == u"4"_s);
}

// Anything that exists loads, folders too, so a candidate outside the puzzle's folder would show; only a
// file with bytes in it is no picture.
class ExistingLoader : public PictureLoader {
    Result<PicturePtr> load(const QString& path) override
    {
        if (QFileInfo(path).exists() && QFileInfo(path).size() == 0)
            return PicturePtr(std::make_shared<test::FakePicture>(400, 400));
        return Refusal{u"no picture"_s};
    }
};

// A puzzle file whose picture path is from another computer opens with the picture beside it.
TEST(PictureBeside, IsFoundByItsNameInAnyCaseOnlyInThePuzzlesFolder)
{
    const QByteArray windows1250 = "C:\\Obr\xE1zky\\Lo\xEF.jpg";   // "C:\Obrázky\Loď.jpg"
    const std::tuple<const char*, QByteArray, QStringList, QString> cases[] = {
        // rule, line 1 of game/g.pzl, files made under the folder ("!" first: no picture), the picture
        // path afterwards under the folder (empty: the file is refused)
        {"SameName", windows1250, {u"game/Loď.jpg"_s, u"game/LOĎ.JPG"_s}, u"game/Loď.jpg"_s},
        {"OtherCase", windows1250, {u"game/LOĎ.JPG"_s}, u"game/LOĎ.JPG"_s},
        {"SameNameNoPicture", windows1250, {u"!game/Loď.jpg"_s, u"game/LOĎ.JPG"_s}, {}},
        {"PosixPath", "/home/player/Pictures/boat.jpg", {u"game/boat.jpg"_s}, u"game/boat.jpg"_s},
        {"RecordedPathWins", "@/pics/boat.jpg", {u"pics/boat.jpg"_s, u"game/boat.jpg"_s}, u"pics/boat.jpg"_s},
        {"DotDot", "C:\\pics\\..", {u"game/x"_s}, {}},
        {"NoName", "/pics/", {u"game/x"_s}, {}},
        {"FolderPart", "..\\secret.jpg", {u"secret.jpg"_s, u"game/x"_s}, {}},
        {"NowhereAtAll", windows1250, {u"game/Lod.jpg"_s}, {}},
    };
    for (const auto& [rule, line1, files, picture] : cases) {
        SCOPED_TRACE(rule);
        QTemporaryDir dir;
        for (const QString& f : files)
            put(dir.filePath(QString(f).remove(u'!')), f.startsWith(u'!') ? "no picture" : "");
        test::FakeBoard b;
        ExistingLoader loader;
        const QByteArray bytes =
            QByteArray(line1).replace("@", dir.path().toUtf8()) + "\r\n4\r\n4\r\n 1 \r\n 2 \r\n";
        PuzzleFiles(b.game, b.size, loader, b.platform).OpenPuzzle(put(dir.filePath(u"game/g.pzl"_s), bytes));
        EXPECT_EQ(b.game.board().PicturePath, picture.isEmpty() ? QString() : dir.filePath(picture));
        EXPECT_EQ(b.game.history().MoveCount(), picture.isEmpty() ? 0 : 1);
        EXPECT_EQ(b.platform.messages.size(), picture.isEmpty() ? 1u : 0u);
    }
}

}   // namespace
}   // namespace zp
