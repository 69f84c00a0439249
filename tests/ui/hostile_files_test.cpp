// SPDX-License-Identifier: MIT
// What a file can do to the window: dragged over it, it is judged by name and kind alone and read only
// after the drop; as a picture, JPEG data of too many scans is refused before decoding; as a puzzle file
// opened at start-up, its replay spends no time on steps no one can see.
#include "tests/ui/window_test.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zp;
using namespace zp::test;

// Drags `files` (names with a blank between; none: a text) onto the window, moves them there and drops
// them; for each of the three events "+" if the window took it, "-" if not.
QString dragAndDrop(Form1& form, const QString& files)
{
    QMimeData mime;
    files.isEmpty() ? mime.setText("a text")
                    : mime.setUrls(QUrl::fromStringList(
                          files.split(u' ').replaceInStrings(QRegularExpression("^"), "file:")));
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDragMoveEvent move(QPoint(120, 110), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDropEvent drop(QPointF(120, 110), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QString taken;
    for (QDropEvent* e : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
        e->setAccepted(false);
        QApplication::sendEvent(&form, e);
        taken += e->isAccepted() ? u'+' : u'-';
    }
    return taken;
}

using HostileFile = WindowIn<>;

// A text, two files, a file of another kind, a FIFO with no writer and one whose writer sends nothing, a
// terminal (also under a picture's name) and a folder: opening or reading the FIFOs or the terminal could
// wait for ever. Each is refused, and the game stays.
TEST_F(HostileFile, ADropTakesOnlyOneRegularPictureOrPuzzleFile)
{
    alarm(30);   // a wait on a FIFO or a terminal ends the run here instead of hanging it
    start();
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const QString tty = QString::fromLocal8Bit(ptsname(terminal)), pic = picture("p.bmp");
    ASSERT_TRUE(mkfifo("idle.png", 0600) == 0 && mkfifo("quiet.gif", 0600) == 0 &&
                QDir().mkdir("folder.bmp") && QFile::link(tty, "tty.jpg") &&
                !file("notes.txt", "not a picture").isEmpty());
    const int silentWriter = ::open("quiet.gif", O_RDWR);
    const GameSnapshot before = snapshotOf(form.game(), tiles());
    for (const QString& files : {QString(), pic + ' ' + pic, QString("notes.txt"), QString("idle.png"),
                                 QString("quiet.gif"), tty, QString("tty.jpg"), QString("folder.bmp")})
        EXPECT_EQ(dragAndDrop(form, files), "---") << qPrintable(files);
    QCoreApplication::processEvents();
    EXPECT_TRUE(snapshotOf(form.game(), tiles()) == before && platform.messages.empty());
    ::close(silentWriter), ::close(terminal), alarm(0);
}

// Dragging opens nothing; the drop is taken at once, and the file is read, as Other Image or Open would
// read it, only after the drop event has returned, so that the program it came from is not kept waiting.
TEST_F(HostileFile, ADroppedFileIsReadOnlyAfterTheDropHasReturned)
{
    start();
    const QString pic = picture("other.bmp", 200, 100);
    const int opens = inotify_init1(IN_NONBLOCK);
    ASSERT_TRUE(opens >= 0 && inotify_add_watch(opens, QFile::encodeName(pic), IN_OPEN) >= 0);
    EXPECT_EQ(dragAndDrop(form, pic), "+++");
    inotify_event event[4];
    EXPECT_LT(::read(opens, event, sizeof event), 0) << "opened while dragged or dropped";
    EXPECT_TRUE(form.game().board().PicturePath != pic && !saveEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.game().board().PicturePath == pic && saveEnabled()) << "a picture: as Other Image";
    ::close(opens);
    for (const char* pzl : {"game.PZL", "broken.pzl"}) {   // the second no puzzle file
        dragAndDrop(form, file(pzl, pzl[0] == 'g' ? (pic + "\r\n2\r\n2\r\n 1 \r\n 2 \r\n").toUtf8() : ""));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(moves(), Moves{2}) << "a puzzle file: as Open";
    ASSERT_TRUE(platform.messages.size() == 1u && platform.messages[0].text == CannotFindText);
}

// Progressive 64 x 64 JPEGs of the corpus whose last scan is repeated: 500 scans are taken; a 501st, or
// scans that walk more than 32 times a picture of 64 megapixels (frames claiming 8192 x 8192, the last
// a grey strip of a TIFF), are refused before decoding, which would take seconds to minutes.
TEST_F(HostileFile, JpegDataOfTooManyScansIsRefusedBeforeDecoding)
{
    const std::pair<const char*, bool> files[] = {{"scans500.jpg", true},
                                                  {"scans501.jpg", false},
                                                  {"scans33_8192.jpg", false},
                                                  {"scans33_8192.tif", false}};
    for (const auto& [name, loads] : files) {
        const auto loaded = loadPicture(HostileDir + '/' + name);
        EXPECT_TRUE(bool(loaded) == loads && loaded.reason() == (loads ? "" : "too many scans to decode"))
            << name << ": " << qPrintable(loaded.reason());
    }
}

// A 32767 x 1 picture in 2 columns: tiles of 16383 pixels. 999 moves of tile 2 slide it 16.4 million
// pixels, which took 40 s step by step before the window showed. Tile 2 ends in the left slot, as after
// any odd number of moves; once the window shows, a move slides pixel by pixel again.
TEST_F(HostileFile, AReplayBeforeTheWindowShowsSpendsNoTimeOnStepsNoOneCanSee)
{
    picture("wide.bmp", 32767, 1);
    QElapsedTimer replay;
    replay.start();
    form.Form_Load(
        {file("wide.pzl", "wide.bmp\r\n2\r\n1\r\n 999 \r\n" + QByteArray(" 2 \r\n").repeated(999))});
    EXPECT_TRUE(replay.elapsed() < 10000 && tiles().left(2) == 0 &&
                form.game().history().MoveCount() == 999 &&
                form.game().board().EmptyLeft == toTwips(16383, platform.twipsPerPixelX()));
    form.show();
    QSet<float> places;
    QTimer watch;
    watch.callOnTimeout([&] { places << tiles().left(2); });
    watch.start(0);
    ASSERT_TRUE(form.game().MoveTile(2));
    EXPECT_GT(places.size(), 100);
}
