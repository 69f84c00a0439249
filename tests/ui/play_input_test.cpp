// The main window without a mouse or a file dialog: arrow keys, dropped files, start-up anywhere.
#include "platform/qt/play_area_widget.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {

struct PlayInput : ::testing::Test {
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    ScriptedPlatform platform;
    QtPictureLoader loader;
    ScriptedDialog dialog;
    Form1 form{platform, loader, &dialog};

    PlayInput() { QDir::setCurrent(dir.path()); }
    ~PlayInput() override { QDir::setCurrent(oldCwd); }
    QString picture(const QString& path, int w = 480, int h = 360)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()) && image.save(path, "BMP"));
        return path;
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    // Drags `mime` onto the window and drops it there.
    void drop(QMimeData& mime)
    {
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QDropEvent e(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &e);
    }
    void drop(const QStringList& files)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        mime.setUrls(urls);
        drop(mime);
    }
};

} // namespace

TEST_F(PlayInput, ArrowKeysPressTheTileThatMovesThatWayAndAreIgnoredDuringASlide)
{
    picture(dir.filePath("intro.jpg"));
    form.Form_Load({});
    EXPECT_EQ(form.Picture1()->focusPolicy(), Qt::StrongFocus);
    // 4 x 4, empty top left. Down takes 6 back as a second click on it would; then no tile is above.
    const std::pair<Qt::Key, Moves> steps[] = {{Qt::Key_Left, {2}}, {Qt::Key_Up, {2, 6}},
        {Qt::Key_Down, {2}}, {Qt::Key_Down, {2}}, {Qt::Key_Left, {2, 3}}};
    for (const auto& [k, moves] : steps) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(form.Picture1(), &e);
        EXPECT_EQ(form.game().history.entries(), moves) << k;
    }
    // Arrives while tile 4 slides into the slot that tile 7 would take.
    QApplication::postEvent(form.Picture1(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
    EXPECT_TRUE(form.game().MoveTile(4));
    EXPECT_EQ(form.game().history.entries(), (Moves{2, 3, 4}));
    EXPECT_EQ(boardFault(form.game(), form.Image1(), 15, 15), "");
}

TEST_F(PlayInput, ADroppedPictureOrPuzzleFileDoesWhatItsCommandDoesAndAnythingElseNothing)
{
    const QString intro = picture(dir.filePath("intro.jpg"));
    form.Form_Load({});
    const QString pic = picture(dir.filePath("other.bmp"), 200, 100);
    QMimeData words;
    words.setText(pic);
    drop(words);
    drop({pic, pic});
    drop({file("notes.txt", "not a picture")});
    EXPECT_EQ(form.game().PicturePath, intro);
    EXPECT_FALSE(form.button(4)->isEnabled());
    drop({pic});
    EXPECT_EQ(form.game().PicturePath, pic);
    EXPECT_EQ(form.PictureClip1().width(), 200);
    EXPECT_TRUE(form.button(4)->isEnabled());
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
    EXPECT_EQ(form.game().PicturePath, installed);
    EXPECT_TRUE(form.Image1().exists(16));
    dialog.answers = {dir.filePath("saved.pzl")};
    form.Command4_Click();
    QFile saved(dir.filePath("saved.pzl"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (installed + "\r\n4\r\n4\r\n 0 \r\n").toUtf8());
}
