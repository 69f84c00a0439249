// SPDX-License-Identifier: MIT
// The main window under the offscreen platform: start-up, the commands, geometry and clicks. (Drops:
// hostile_files_test.cpp.)
#include "platform/qt/play_area_widget.h"
#include "tests/ui/window_test.h"
#include "ui/form2.h"
#include "ui/layout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;
using Window = WindowIn<>;

TEST_F(Window, StartsInItsGeometryAndFocusOrderWithSaveDisabledAndAnyButtonMovesTiles)
{
    EXPECT_EQ(form.size(), QSize(506, 447));   // 7584 x 6708 twips at 15 twips a pixel
    EXPECT_EQ(form.windowTitle(), "Zornik PUZZLE!, a picture puzzle by the Zornik developers");
    EXPECT_EQ(form.button(1)->iconSize(), QSize(16, 16));
    EXPECT_EQ(form.button(1)->focusPolicy(), Qt::StrongFocus);
    QWidget* expected[] = {form.button(5), form.button(4), form.button(3), form.Picture1(),
                           form.button(2), form.button(1), form.button(6)};
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_EQ(expected[i]->nextInFocusChain(), expected[i + 1]) << i;
    picture("intro.jpg");
    form.Form_Load({});
    EXPECT_FALSE(saveEnabled());
    form.show();
    // Tiles are 120 pixels wide: a right click on tile 2, then a middle click on tile 3.
    for (auto [x, button] : {std::pair{130, Qt::RightButton}, std::pair{250, Qt::MiddleButton}}) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 10), QPointF(x, 10), button, button, {});
        QApplication::sendEvent(form.Picture1(), &e);
    }
    EXPECT_EQ(form.game().history.entries(), (Moves{2, 3}));
}

TEST_F(Window, StartsWithoutIntroJpgWithAMessageAndNoTilesAndTheSizeSetIsKeptForThePicture)
{
    form.Form_Load({});
    EXPECT_FALSE(saveEnabled());
    EXPECT_FALSE(form.Image1().exists(2));
    form.Form_Load({"/no/such/file.pzl"});
    EXPECT_TRUE(saveEnabled());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "I Can't find the file intro.jpg");
    EXPECT_EQ(platform.messages[0].style, MsgStyle::Critical);
    const auto setColumns = [this](const char* cols) {
        QTimer::singleShot(0, [this, cols] {
            form.sizeDialog()->Text1->setText(cols);
            form.sizeDialog()->Command1->click();
        });
        form.Command1_Click();
    };
    setColumns("5");   // 5 x 4, kept for the next picture
    dialog.answers = {picture("p.bmp", 100, 100)};
    form.Command5_Click();
    EXPECT_TRUE(form.Image1().exists(20) && !form.Image1().exists(21));
    setColumns("3");   // and with a picture, the board is cut again at once
    EXPECT_TRUE(form.Image1().exists(12) && !form.Image1().exists(13));
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
        layOut(
            {form.frameGeometry().width() * 15.0, form.frameGeometry().height() * 15.0, 15.0, 15.0, 240, 180},
            t);
        const QImage shot = form.grab().toImage();
        for (int i = 0; i < 8; ++i) {
            const FrameLine& l = t.lines[i];
            const QPoint middle(int(toPixels((l.X1 + l.X2) / 2, 15)), int(toPixels((l.Y1 + l.Y2) / 2, 15)));
            EXPECT_EQ(QColor(shot.pixel(middle)), i < 2 || i > 5 ? QColor(128, 128, 128) : QColor(Qt::white))
                << i;
        }
        EXPECT_EQ(form.Picture1()->geometry(), form.Picture1()->devicePixels(t.playArea));
    }
}

// On the real platform: "Solve It!" pressed, the window closed in its first pause; no wait outlasts the
// close.
TEST_F(Window, ClosingInASolveItPauseStopsTheSolution)
{
    picture("intro.jpg");
    form.Form_Load({});
    form.show();
    for (std::int16_t k : {2, 3})
        ASSERT_TRUE(form.game().MoveTile(k));
    QTimer closer;
    closer.callOnTimeout([this] {
        if (form.game().solving() && !form.game().sliding())
            form.close();
    });
    closer.start(1);
    QElapsedTimer waited;
    waited.start();
    form.button(3)->click();
    EXPECT_EQ(form.game().history.entries(), Moves{2});
    platform.waitUntil(platform.clock() + 30);
    EXPECT_LT(waited.elapsed(), 10000);
    // Closing ends the program's loop: until one runs again, every modal loop would return at once.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
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
