// The main window under the offscreen platform: start-up, the commands, geometry and clicks.
#include "platform/qt/play_area_widget.h"
#include "platform/qt/qt_picture.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>

using namespace zp;
using zp::test::ScriptedDialog;
using zp::test::ScriptedPlatform;
using zp::test::Shown;

namespace {

// A fresh window in a temporary working folder that holds the given pictures.
struct Window : ::testing::Test {
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    ScriptedPlatform platform;
    QtPictureLoader loader;
    ScriptedDialog dialog;
    std::unique_ptr<Form1> form;

    Window()
    {
        platform.setWindow(nullptr);
        QDir::setCurrent(dir.path());
        form = std::make_unique<Form1>(platform, loader, &dialog);
    }
    ~Window() override
    {
        form.reset();
        QDir::setCurrent(oldCwd);
    }
    QString picture(const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x ^ y) & 255));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    int tileCount() const
    {
        int n = 0;
        for (int k = 2; k < form->Image1().end(); ++k)
            n += form->Image1().exists(k);
        return n;
    }
    QString fault() { return test::boardFault(form->game(), form->Image1(), 15, 15); }
};

} // namespace

TEST_F(Window, StartsFromIntroJpgWithSaveDisabled)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(tileCount(), 15);
    EXPECT_FALSE(form->button(4)->isEnabled());
    EXPECT_EQ(form->game().PicturePath, QDir(dir.path()).absoluteFilePath("intro.jpg"));
}

TEST_F(Window, StartsWithoutIntroJpgWithAnEmptyPlayArea)
{
    form->Form_Load({});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "I Can't find the file intro.jpg");
    EXPECT_EQ(platform.messages[0].style, MsgStyle::Critical);
    EXPECT_EQ(platform.messages[0].title, "");
    EXPECT_EQ(tileCount(), 0);
    EXPECT_FALSE(form->button(4)->isEnabled());
    // Setup Size without a picture builds nothing and keeps the size for the next picture.
    QTimer::singleShot(0, [&] {
        form->sizeDialog()->Text1->setText("5");
        form->sizeDialog()->Command1->click();
    });
    form->Command1_Click();
    EXPECT_EQ(tileCount(), 0);
    dialog.answers = {picture("p.bmp", 100, 100)};
    form->Command5_Click();
    EXPECT_EQ(tileCount(), 19);
}

TEST_F(Window, StartsFromAPuzzleFileNamedWithBlanks)
{
    const QString pic = picture("boat picture.bmp", 90, 60);
    QFile file(dir.filePath("my game.pzl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((pic + "\r\n3\r\n2\r\n 1 \r\n 2 \r\n").toUtf8());
    file.close();
    form->Form_Load({dir.filePath("my"), "game.pzl"});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(tileCount(), 5);
    EXPECT_EQ(form->game().history.entries(), std::vector<std::int16_t>{2});
    EXPECT_TRUE(form->button(4)->isEnabled());
    EXPECT_EQ(form->sizeDialog()->rowsText(), "2");
}

TEST_F(Window, StartsFromAnUnreadablePathWithTheMessageAndSaveEnabled)
{
    form->Form_Load({"/no/such/file.pzl"});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QString::fromUtf8("Nemohu nalézt potřebný soubor."));
    EXPECT_TRUE(form->button(4)->isEnabled());
    EXPECT_EQ(tileCount(), 0);
}

TEST_F(Window, CancelledDialogsChangeNothingAndNamesDoNotCarryOver)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    form->game().MoveTile(2);
    dialog.answers = {"", "", ""};
    form->Command2_Click();
    form->Command4_Click();
    form->Command5_Click();
    EXPECT_EQ(form->game().history.entries(), std::vector<std::int16_t>{2});
    EXPECT_FALSE(form->button(4)->isEnabled());
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(dialog.filtersSeen.size(), 3u);
    EXPECT_EQ(dialog.filtersSeen[0],
              (QStringList{"Puzzle file (*.pzl)", QString::fromUtf8("Všechny soubory soubory (*.*)")}));
    EXPECT_EQ(dialog.filtersSeen[2].size(), 5);
    EXPECT_EQ(dialog.filtersSeen[2][1], QString::fromUtf8("TIFF formát (*.tif)"));
    dialog.answers = {picture("x.bmp", 80, 80), ""};
    form->Command5_Click();
    form->Command2_Click();
    EXPECT_EQ(dialog.presetsSeen.back(), "");
    EXPECT_EQ(dialog.FileName, "");
}

TEST_F(Window, SetupSizeFiveByThree)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    QTimer::singleShot(0, [&] {
        form->sizeDialog()->Text1->setText("5");
        form->sizeDialog()->Text2->setText("3");
        form->sizeDialog()->Command1->click();
    });
    form->Command1_Click();
    EXPECT_EQ(tileCount(), 14);
    EXPECT_EQ(form->game().Cols, "5");
    EXPECT_EQ(form->Image1().width(0), 96 * 15.f);
    EXPECT_EQ(form->Image1().height(0), 120 * 15.f);
}

TEST_F(Window, OtherImageKeepsTheSizeEnablesSaveAndSaveNamesIt)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    const QString pic = picture("other.bmp", 200, 100);
    const QString saved = dir.filePath("saved.pzl");
    dialog.answers = {pic, saved};
    form->Command5_Click();
    EXPECT_TRUE(form->button(4)->isEnabled());
    EXPECT_EQ(tileCount(), 15);
    form->game().MoveTile(5);
    form->Command4_Click();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (pic + "\r\n4\r\n4\r\n 1 \r\n 5 \r\n").toUtf8());
}

TEST_F(Window, UnusablePicturesChangeNothing)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    form->game().MoveTile(2);
    QFile text(dir.filePath("text.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    QDir(dir.path()).mkdir("x.jpg");
    const QString before = form->game().PicturePath;
    dialog.answers = {text.fileName(), dir.filePath("x.jpg"), picture("thin.bmp", 3, 100)};
    for (int i = 0; i < 3; ++i)
        form->Command5_Click();
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const Shown& m : platform.messages) {
        EXPECT_EQ(m.text, QString::fromUtf8("Nemohu nalézt potřebný soubor."));
        EXPECT_EQ(m.style, MsgStyle::Critical);
    }
    EXPECT_EQ(form->game().PicturePath, before);
    EXPECT_FALSE(form->button(4)->isEnabled());
    EXPECT_EQ(form->game().history.entries(), std::vector<std::int16_t>{2});
    EXPECT_EQ(form->PictureClip1().width(), 480);
}

TEST_F(Window, DesignedGeometryAndTabOrder)
{
    EXPECT_EQ(form->size(), QSize(506, 447));   // 7584 x 6708 twips at 15 twips a pixel
    EXPECT_EQ(form->button(5)->geometry(), QRect(8, 16, 73, 41));
    EXPECT_EQ(form->button(6)->geometry(), QRect(344, 16, 41, 41));
    EXPECT_EQ(form->button(5)->text(), "Other Image");
    EXPECT_FALSE(form->button(4)->isEnabled());
    EXPECT_TRUE(form->windowTitle().startsWith("Zornik PUZZLE!, "));
    QWidget* expected[] = {form->button(5), form->button(4), form->button(3), form->Picture1(),
                           form->button(2), form->button(1), form->button(6)};
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_EQ(expected[i]->nextInFocusChain(), expected[i + 1]) << i;
}

TEST_F(Window, AnyMouseButtonOnATileMovesIt)
{
    picture("intro.jpg", 480, 360);
    form->Form_Load({});
    form->show();
    PlayAreaWidget* area = form->Picture1();
    const QPointF onTile2(120 + 10, 10), onTile3(240 + 10, 10);
    QMouseEvent right(QEvent::MouseButtonPress, onTile2, area->mapToGlobal(onTile2), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(area, &right);
    EXPECT_EQ(form->game().history.entries(), std::vector<std::int16_t>{2});
    QMouseEvent middle(QEvent::MouseButtonPress, onTile3, area->mapToGlobal(onTile3), Qt::MiddleButton,
                       Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(area, &middle);
    EXPECT_EQ(form->game().history.entries(), (std::vector<std::int16_t>{2, 3}));
    EXPECT_EQ(fault(), "");
}
