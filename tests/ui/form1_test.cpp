// The main window under the offscreen platform: start-up, the commands, geometry and clicks.
#include "platform/qt/play_area_widget.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/layout.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;

namespace {

// A fresh window in a temporary working folder that holds the given pictures.
struct Window : ::testing::Test {
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    ScriptedPlatform platform;
    QtPictureLoader loader;
    ScriptedDialog dialog;
    Form1 form{platform, loader, &dialog};

    Window() { QDir::setCurrent(dir.path()); }
    ~Window() override { QDir::setCurrent(oldCwd); }
    QString picture(const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(dir.filePath(name)));
        return dir.filePath(name);
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    void setupSize(const QString& cols, const QString& rows)
    {
        QTimer::singleShot(0, [this, cols, rows] {
            form.sizeDialog()->Text1->setText(cols);
            form.sizeDialog()->Text2->setText(rows);
            form.sizeDialog()->Command1->click();
        });
        form.Command1_Click();
    }
    int tileCount()
    {
        int n = 0;
        for (int k = 2; k < form.Image1().end(); ++k)
            n += form.Image1().exists(k);
        return n;
    }
    bool saveEnabled() { return form.button(4)->isEnabled(); }
};

} // namespace

TEST_F(Window, StartsInTheDesignedGeometryFromIntroJpgWithSaveDisabledAndAnyButtonMovesTiles)
{
    EXPECT_EQ(form.size(), QSize(506, 447));   // 7584 x 6708 twips at 15 twips a pixel
    EXPECT_EQ(form.button(5)->geometry(), QRect(8, 16, 73, 41));
    EXPECT_EQ(form.button(6)->geometry(), QRect(344, 16, 41, 41));
    EXPECT_EQ(form.button(5)->text(), "Other Image");
    EXPECT_TRUE(form.windowTitle().startsWith("Zornik PUZZLE!, "));
    QWidget* expected[] = {form.button(5), form.button(4), form.button(3), form.Picture1(),
                           form.button(2), form.button(1), form.button(6)};
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_EQ(expected[i]->nextInFocusChain(), expected[i + 1]) << i;
    picture("intro.jpg", 480, 360);
    form.Form_Load({});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(tileCount(), 15);
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(form.game().PicturePath, QDir(dir.path()).absoluteFilePath("intro.jpg"));
    form.show();
    // Tiles are 120 pixels wide: a right click on tile 2, then a middle click on tile 3.
    for (auto [x, button] : {std::pair{130, Qt::RightButton}, std::pair{250, Qt::MiddleButton}}) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 10), QPointF(x, 10), button, button, {});
        QApplication::sendEvent(form.Picture1(), &e);
    }
    EXPECT_EQ(form.game().history.entries(), (Moves{2, 3}));
    EXPECT_EQ(boardFault(form.game(), form.Image1(), 15, 15), "");
}

TEST_F(Window, StartsWithoutIntroJpgOrFromAnUnreadablePathWithAMessageAndNoTiles)
{
    form.Form_Load({});
    EXPECT_FALSE(saveEnabled());
    form.Form_Load({"/no/such/file.pzl"});
    EXPECT_TRUE(saveEnabled());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "I Can't find the file intro.jpg");
    EXPECT_EQ(platform.messages[0].style, MsgStyle::Critical);
    EXPECT_EQ(platform.messages[0].title, "");
    EXPECT_EQ(platform.messages[1].text, "Nemohu nalézt potřebný soubor.");
    EXPECT_EQ(tileCount(), 0);
    setupSize("5", "4");   // kept for the next picture
    EXPECT_EQ(tileCount(), 0);
    dialog.answers = {picture("p.bmp", 100, 100)};
    form.Command5_Click();
    EXPECT_EQ(tileCount(), 19);
}

TEST_F(Window, CancelledDialogsAndUnusablePicturesChangeNothingAndNamesDoNotCarryOver)
{
    picture("intro.jpg", 480, 360);
    form.Form_Load({});
    form.game().MoveTile(2);
    dialog.answers = {"", "", ""};
    form.Command2_Click();
    form.Command4_Click();
    form.Command5_Click();
    ASSERT_EQ(dialog.filtersSeen.size(), 3u);
    EXPECT_EQ(dialog.filtersSeen[0],
              (QStringList{"Puzzle file (*.pzl)", "Všechny soubory soubory (*.*)"}));
    EXPECT_EQ(dialog.filtersSeen[2].size(), 5);
    EXPECT_EQ(dialog.filtersSeen[2][1], "TIFF formát (*.tif)");
    QDir(dir.path()).mkdir("x.jpg");
    dialog.answers = {file("text.jpg", "not a picture"), dir.filePath("x.jpg"),
                      picture("thin.bmp", 3, 100)};
    for (int i = 0; i < 3; ++i)
        form.Command5_Click();
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const Shown& m : platform.messages)
        EXPECT_TRUE(m.text == "Nemohu nalézt potřebný soubor." && m.style == MsgStyle::Critical);
    EXPECT_EQ(form.game().PicturePath, QDir(dir.path()).absoluteFilePath("intro.jpg"));
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(form.game().history.entries(), Moves{2});
    EXPECT_EQ(form.PictureClip1().width(), 480);
    dialog.answers = {picture("x.bmp", 80, 80), ""};
    form.Command5_Click();
    form.Command2_Click();
    EXPECT_EQ(dialog.presetsSeen.back(), "");
    EXPECT_EQ(dialog.FileName, "");
}

TEST_F(Window, SetupSizeFiveByThreeThenOtherImageKeepsItEnablesSaveAndSaveNamesIt)
{
    picture("intro.jpg", 480, 360);
    form.Form_Load({});
    setupSize("5", "3");
    EXPECT_EQ(tileCount(), 14);
    EXPECT_EQ(form.game().Cols, "5");
    EXPECT_EQ(QSizeF(form.Image1().width(0), form.Image1().height(0)), QSizeF(96 * 15, 120 * 15));
    const QString pic = picture("other.bmp", 200, 100), saved = dir.filePath("saved.pzl");
    dialog.answers = {pic, saved};
    form.Command5_Click();
    EXPECT_TRUE(saveEnabled());
    EXPECT_EQ(tileCount(), 14);
    form.game().MoveTile(6);
    form.Command4_Click();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (pic + "\r\n5\r\n3\r\n 1 \r\n 6 \r\n").toUtf8());
}

// The frame lines are painted where the layout puts them, grey or white, and follow the window
// with the play area.
TEST_F(Window, ResizingMovesTheFrameLinesAndThePlayArea)
{
    picture("intro.jpg", 240, 180);
    form.Form_Load({});
    form.show();
    for (const QSize size : {QSize(506, 447), QSize(656, 537)}) {
        form.resize(size);
        LayoutTargets t;
        layOut({form.frameGeometry().width() * 15.0, form.frameGeometry().height() * 15.0, 15.0, 15.0, 240, 180}, t);
        const QImage shot = form.grab().toImage();
        for (int i = 0; i < 8; ++i) {
            const FrameLine& l = t.lines[i];
            const QPoint middle(int(toPixels((l.X1 + l.X2) / 2, 15)), int(toPixels((l.Y1 + l.Y2) / 2, 15)));
            EXPECT_EQ(QColor(shot.pixel(middle)), i < 2 || i > 5 ? QColor(128, 128, 128) : QColor(Qt::white)) << i;
        }
        EXPECT_EQ(form.Picture1()->geometry(), form.Picture1()->devicePixels(t.playArea));
    }
}

// On the real platform: "Solve It!" pressed, the window closed in its first pause; no wait outlasts the close.
TEST_F(Window, ClosingInASolveItPauseStopsTheSolution)
{
    picture("intro.jpg", 480, 360);
    form.Form_Load({});
    form.show();
    for (std::int16_t k : {2, 3})
        ASSERT_TRUE(form.game().MoveTile(k));
    QTimer closer;
    closer.callOnTimeout([this] { if (form.game().solving() && !form.game().sliding()) form.close(); });
    closer.start(1);
    QElapsedTimer waited;
    waited.start();
    form.button(3)->click();
    EXPECT_EQ(form.game().history.entries(), Moves{2});
    platform.waitUntil(platform.clock() + 30);
    EXPECT_LT(waited.elapsed(), 10000);
}

TEST(RealPlatform, AnInterruptEndsTheRunningWaitAndEveryLaterOne)
{
    QtPlatform platform;
    QTimer::singleShot(20, [&] { platform.interruptWait(); });
    QElapsedTimer waited;
    waited.start();
    platform.waitUntil(platform.clock() + 30);
    platform.waitUntil(platform.clock() + 30);
    EXPECT_LT(waited.elapsed(), 10000);
}
