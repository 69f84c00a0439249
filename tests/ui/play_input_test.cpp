// SPDX-License-Identifier: MIT
// The main window without a mouse or a file dialog: arrow keys, dropped files, start-up anywhere.
#include "platform/qt/play_area_widget.h"
#include "tests/ui/window_test.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {

struct PlayInput : WindowIn<> {
    // Drags `files`, or else `text`, onto the window and drops them there.
    void drop(const QStringList& files, const QString& text = {})
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        files.isEmpty() ? mime.setText(text) : mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QDropEvent e(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &e);
    }
};

}   // namespace

TEST_F(PlayInput, ArrowKeysPressTheTileThatMovesThatWayAndAreIgnoredDuringASlide)
{
    picture("intro.jpg");
    form.Form_Load({});
    EXPECT_EQ(form.Picture1()->focusPolicy(), Qt::StrongFocus);
    // 4 x 4, empty top left. Down takes 6 back as a second click on it would; then no tile is above.
    const std::pair<Qt::Key, Moves> steps[] = {{Qt::Key_Left, {2}},
                                               {Qt::Key_Up, {2, 6}},
                                               {Qt::Key_Down, {2}},
                                               {Qt::Key_Down, {2}},
                                               {Qt::Key_Left, {2, 3}}};
    for (const auto& [k, moves] : steps) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(form.Picture1(), &e);
        EXPECT_EQ(form.game().history.entries(), moves) << k;
    }
    // Arrives while tile 4 slides into the slot that tile 7 would take.
    QApplication::postEvent(form.Picture1(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
    EXPECT_TRUE(form.game().MoveTile(4));
    EXPECT_EQ(form.game().history.entries(), (Moves{2, 3, 4}));
}

TEST_F(PlayInput, ADroppedPictureOrPuzzleFileDoesWhatItsCommandDoesAndAnythingElseNothing)
{
    const QString intro = picture("intro.jpg");
    form.Form_Load({});
    const QString pic = picture("other.bmp", 200, 100);
    drop({}, pic);
    drop({pic, pic});
    drop({file("notes.txt", "not a picture")});
    EXPECT_EQ(form.game().PicturePath, intro);
    drop({pic});
    EXPECT_EQ(form.game().PicturePath, pic);
    EXPECT_TRUE(saveEnabled());
    drop({file("game.PZL", (pic + "\r\n2\r\n2\r\n 1 \r\n 2 \r\n").toUtf8())});
    EXPECT_EQ(form.game().history.entries(), Moves{2});
    EXPECT_TRUE(platform.messages.empty());
    drop({dir.filePath("missing.pzl")});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Nemohu nalézt potřebný soubor.");
}

// As from a desktop menu: an empty writable folder, the picture only where the game is installed.
TEST_F(PlayInput, StartsInAnEmptyFolderFromTheInstalledPictureAndSavesThere)
{
    QTemporaryDir prefix;
    const QString installed = picture(prefix.filePath("share/zornik-puzzle/intro.jpg"));
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    const QString oldName = QApplication::applicationName();
    qputenv("XDG_DATA_DIRS", prefix.filePath("share").toUtf8());
    QApplication::setApplicationName("zornik-puzzle");
    form.Form_Load({});
    qputenv("XDG_DATA_DIRS", oldDirs);
    QApplication::setApplicationName(oldName);
    EXPECT_TRUE(platform.messages.empty());
    dialog.answers = {dir.filePath("saved.pzl")};
    form.Command4_Click();
    QFile saved(dir.filePath("saved.pzl"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (installed + "\r\n4\r\n4\r\n 0 \r\n").toUtf8());
}
