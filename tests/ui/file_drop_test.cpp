// SPDX-License-Identifier: MIT
// Files dragged over the window are judged by name and kind alone; a dropped one is read after the drop.
#include "tests/fake/board_check.h"
#include "tests/ui/window_test.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zp;
using namespace zp::test;

namespace {

// Drags `file` onto the window, moves it there and drops it; which of the three the window took, as
// "enter move drop" with "-" for each refused.
QString dragAndDrop(Form1& form, const QString& file)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDragMoveEvent move(QPoint(120, 110), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QDropEvent drop(QPointF(120, 110), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QStringList taken;
    for (auto [name, e] :
         {std::pair<const char*, QDropEvent*>{"enter", &enter}, {"move", &move}, {"drop", &drop}}) {
        e->setAccepted(false);
        QApplication::sendEvent(&form, e);
        taken << (e->isAccepted() ? name : "-");
    }
    return taken.join(u' ');
}

struct FileDrop : WindowIn<> {
    void SetUp() override
    {
        picture("intro.jpg");
        form.Form_Load({});
        alarm(30);   // a drag that waits on a FIFO or a terminal ends the run here instead of hanging it
    }
    void TearDown() override { alarm(0); }
};

// A FIFO with no writer, one whose writer sends nothing, a terminal (also under a picture's name) and
// a folder: opening or reading any of them could wait for ever. Each is refused, and the game stays.
TEST_F(FileDrop, AFifoATerminalOrAFolderDraggedOverTheWindowIsRefusedWithoutWaiting)
{
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const QString tty = QString::fromLocal8Bit(ptsname(terminal));
    ASSERT_TRUE(mkfifo("idle.png", 0600) == 0 && mkfifo("quiet.gif", 0600) == 0 &&
                QDir().mkdir("folder.bmp") && QFile::link(tty, "tty.jpg"));
    const int silentWriter = ::open("quiet.gif", O_RDWR);
    const GameSnapshot before = snapshotOf(form.game(), form.Image1());
    for (const QString name : {"idle.png", "quiet.gif", "tty.jpg", "folder.bmp"})
        EXPECT_EQ(dragAndDrop(form, dir.filePath(name)), "- - -") << qPrintable(name);
    EXPECT_EQ(dragAndDrop(form, tty), "- - -");
    QCoreApplication::processEvents();
    EXPECT_TRUE(snapshotOf(form.game(), form.Image1()) == before);
    EXPECT_TRUE(platform.messages.empty());
    ::close(silentWriter);
    ::close(terminal);
}

// Dragging opens nothing; the drop is taken at once, and the file is read and played only after the drop
// event has returned, so that the program the file came from is not kept waiting.
TEST_F(FileDrop, ADraggedFileIsOpenedOnlyAfterItsDropHasReturned)
{
    const QString pic = picture("other.bmp", 200, 100);
    const int opens = inotify_init1(IN_NONBLOCK);
    ASSERT_TRUE(opens >= 0 && inotify_add_watch(opens, QFile::encodeName(pic), IN_OPEN) >= 0);
    EXPECT_EQ(dragAndDrop(form, pic), "enter move drop");
    inotify_event event[4];
    EXPECT_LT(::read(opens, event, sizeof event), 0) << "opened while dragged or dropped";
    EXPECT_TRUE(form.game().PicturePath != pic);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.game().PicturePath, pic);
    EXPECT_TRUE(platform.messages.empty());
    ::close(opens);
}

}   // namespace
