// SPDX-License-Identifier: MIT
// Saving where a file size limit, a full disk, a link, a sticky folder, another user or a long name is in
// the way: the game is written whole, or a message says why and the file there keeps its bytes.
#include "files/puzzle_files.h"

#include "platform/file_io.h"
#include "tests/fake/fake_board.h"
#include "tests/files/child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

const QByteArray Old = "old game, to be kept byte for byte\r\n";
const QByteArray Game = "/pics/a.jpg\r\n2\r\n2\r\n 3 \r\n 2 \r\n 4 \r\n 3 \r\n";   // the game in play
const std::string Question = (OverwriteQuestion + u'\n').toStdString();

class SaveTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid() && chmod(QFile::encodeName(dir.path()), 0755) == 0 &&
                    board.build(400, 400, "2", "2"));
        board.game.PicturePath = u"/pics/a.jpg"_s;
        board.game.replay({2, 4, 3});
    }
    void TearDown() override { umount2(QFile::encodeName(dir.path()), MNT_DETACH); }

    QString path(const QString& name) const { return dir.filePath(name); }
    // A folder or (with bytes) a file, with its mode and owner; its path.
    QString make(const QString& name, mode_t mode, uid_t owner = 0, const QByteArray* bytes = &Old)
    {
        QFile file(path(name));
        EXPECT_TRUE(bytes ? file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()
                          : QDir().mkdir(file.fileName()));
        file.close();
        EXPECT_TRUE(chmod(QFile::encodeName(file.fileName()), mode) == 0 &&
                    chown(QFile::encodeName(file.fileName()), owner, owner) == 0);
        return file.fileName();
    }
    QString folder(const QString& name, mode_t mode, uid_t owner = 0)
    {
        return make(name, mode, owner, nullptr);
    }
    static QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "(cannot be read)";
    }
    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    // Saves the game in play to `file`, every question answered Yes, in a child process started as the
    // program starts; the messages shown, one a line.
    std::string save(const QString& file, const test::ChildSetup& setup = {})
    {
        return test::inChild(setup, [&] { return saveAtOnce(file); }).toStdString();
    }
    QString saveAtOnce(const QString& file)
    {
        ignoreFileSizeLimitSignal();
        board.platform.answers.assign(2, MsgResult::Yes);
        PuzzleFiles(board.game, board.size, board.clip, loader, board.platform).SavePuzzle(file);
        QString shown;
        for (const test::ShownMessage& m : board.platform.messages)
            shown += m.text + u'\n';
        return shown;
    }
    static std::string cannotSave(const QString& file, const QString& reason)
    {
        return ("Cannot save the file " + file + ": " + reason + u'\n').toStdString();
    }

    QTemporaryDir dir;
    test::FakeLoader loader;
    test::FakeBoard board;
};

// A file that can be written and whose folder can (a new file is swapped in) or cannot (the file is
// overwritten in place): a limit below the game's size fails the save without ending the program, also
// where the old file is the longer, so that no write would grow it.
TEST_F(SaveTarget, AFileSizeLimitFailsTheSaveWithItsReasonAndTheOldFileKeepsItsBytes)
{
    const QByteArray longer = Old + Old;
    const QString beside = make(u"beside.pzl"_s, 0666);
    folder(u"ro"_s, 0555);
    const QString inPlace = make(u"ro/in_place.pzl"_s, 0666),
                  longerInPlace = make(u"ro/longer.pzl"_s, 0666, 0, &longer);
    EXPECT_EQ(save(beside, {.fileSizeLimit = 8}), Question + cannotSave(beside, u"File too large"_s));
    for (const QString& file : {inPlace, longerInPlace})
        EXPECT_EQ(save(file, {.user = test::Nobody, .fileSizeLimit = 8}),
                  Question + cannotSave(file, u"File too large"_s));
    EXPECT_EQ(contents(beside), Old);
    EXPECT_EQ(contents(inPlace), Old);
    EXPECT_EQ(contents(longerInPlace), longer);
    EXPECT_EQ(entries(dir.path()).size(), 2);
}

// The folder that decides is the one of the file a link leads to; a circle of links is refused before
// the question, and stays as it was.
TEST_F(SaveTarget, ALinkIsFollowedToTheFileItLeadsToAndACircleOfLinksIsRefused)
{
    folder(u"ro"_s, 0555);
    const QString target = make(u"ro/game.pzl"_s, 0666);
    const QString link = folder(u"mine"_s, 0755, test::Nobody) + u"/link.pzl"_s;
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(save(link, {.user = test::Nobody}), Question);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(contents(target), Game);

    const QString a = path(u"a.pzl"_s), b = path(u"b.pzl"_s);
    ASSERT_TRUE(QFile::link(b, a) && QFile::link(a, b));
    EXPECT_EQ(save(a), cannotSave(a, u"Too many levels of symbolic links"_s));
    EXPECT_TRUE(QFileInfo(a).isSymLink() && QFileInfo(a).symLinkTarget() == b);
}

// The rename over a file of another user is forbidden in a folder such as /tmp; the file may be written.
TEST_F(SaveTarget, AWritableFileOfAnotherUserInAStickyFolderIsWrittenInPlace)
{
    const QString theirs = folder(u"sticky"_s, 01777) + u"/theirs.pzl"_s;
    make(u"sticky/theirs.pzl"_s, 0666);
    EXPECT_EQ(save(theirs, {.user = test::Nobody}), Question);
    EXPECT_EQ(contents(theirs), Game);
    EXPECT_EQ(entries(path(u"sticky"_s)), QStringList{u"theirs.pzl"_s});
}

TEST_F(SaveTarget, AFileNamedWith249To255BytesIsReplacedLikeAnyOther)
{
    for (const int length : {249, 255}) {
        const QString file = make(QString(length - 4, u'g') + u".pzl"_s, 0644);
        EXPECT_EQ(save(file), Question) << length;
        EXPECT_EQ(contents(file), Game);
        EXPECT_EQ(entries(dir.path()).size(), 1);
        QFile::remove(file);
    }
}

// On a full disk the new size is claimed before the old bytes change: the file keeps them and stays,
// whether a new file was to take its place or it was to be overwritten in place. A failure once the old
// bytes have begun to change says that they are lost.
TEST_F(SaveTarget, AFullDiskKeepsTheOldFileAndALaterFailureSaysItsOldBytesAreLost)
{
    if (mount("zp-test", QFile::encodeName(dir.path()), "tmpfs", 0, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << strerror(errno) << "); needs root";
    const QString beside = make(u"beside.pzl"_s, 0666);
    folder(u"ro"_s, 0555);
    const QString inPlace = make(u"ro/in_place.pzl"_s, 0666);
    QFile filler(path(u"filler"_s));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
    }
    board.game.PicturePath = QString(5000, u'p');   // a game of two pages, where no page is left
    EXPECT_EQ(save(beside), Question + cannotSave(beside, u"No space left on device"_s));
    EXPECT_EQ(save(inPlace, {.user = test::Nobody}),
              Question + cannotSave(inPlace, u"No space left on device"_s));
    EXPECT_EQ(contents(beside), Old);
    EXPECT_EQ(contents(inPlace), Old);
    EXPECT_EQ(entries(dir.path()), (QStringList{u"beside.pzl"_s, u"filler"_s, u"ro"_s}));

    filler.close();
    QFile::remove(filler.fileName());   // room for the game again
    EXPECT_EQ(save(inPlace, {.user = test::Nobody, .failingCall = SYS_fsync}),
              Question + cannotSave(inPlace, u"Input/output error"_s) +
                  "Its old content could not be kept.\n");
}

}   // namespace
}   // namespace zp
