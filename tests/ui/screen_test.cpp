// SPDX-License-Identifier: MIT
// The window on a scaled screen (run once per QT_SCALE_FACTOR): the board in exact device
// pixels, clicks on the right tile, commands above any picture, the frame corners.
#include "platform/qt/play_area_widget.h"
#include "tests/fake/board_check.h"
#include "tests/ui/window_test.h"
#include "ui/form2.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using namespace zp;
using namespace zp::test;

namespace {

struct ScaledWindow : WindowIn<> {
    QImage image;

    // A w x h picture of distinct pixels cut cols x rows, in the window shown.
    void build(int w, int h, const char* cols, const char* rows)
    {
        image = QImage(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
        form.sizeDialog()->setColumnsText(cols);
        form.sizeDialog()->setRowsText(rows);
        ASSERT_TRUE(form.game().newPuzzleFrom(std::make_shared<QtPicture>(image), {}));
        form.show();
        QCoreApplication::processEvents();
    }
    // The board as the window paints it, one device pixel each.
    QImage shown()
    {
        return form.grab().toImage().copy(form.Picture1()->board()).convertToFormat(QImage::Format_RGB32);
    }
    // The 301 x 203 picture cut 7 x 3 (tiles of 43 x 67) as it must look with the empty slot at
    // column `empty` of the top row, tile 2 moved left when that is 1: the pattern shows there
    // and in the two rows below the tiles.
    QImage expected(int empty)
    {
        QImage out(301, 203, QImage::Format_RGB32);
        QPainter p(&out);
        const QImage pattern(":/pattern.gif");
        for (int x = 0; x < out.width(); x += pattern.width())
            for (int y = 0; y < out.height(); y += pattern.height())
                p.drawImage(x, y, pattern);
        p.setClipRegion(QRegion(0, 0, 301, 201) - QRegion(empty * 43, 0, 43, 67));
        p.drawImage(0, 0, image);
        if (empty == 1)
            p.drawImage(0, 0, image, 43, 0, 43, 67);
        return out;
    }
    // A press in the middle of board slot (c, r), where a user's pointer would be.
    void pressSlot(int c, int r)
    {
        const QPointF device = form.Picture1()->board().topLeft() + QPointF((c + 0.5) * 43, (r + 0.5) * 67);
        const QPointF at = device / form.devicePixelRatioF();
        QWidget* under = form.childAt(at.toPoint());
        ASSERT_EQ(under, form.Picture1());
        const QPointF local = at - QPointF(under->pos());
        QMouseEvent e(QEvent::MouseButtonPress, local, under->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, {});
        QApplication::sendEvent(under, &e);
    }
};

// Then the window, told of a screen with twice the scaling mid-game, re-fits the board and moves go on.
TEST_F(ScaledWindow,
       TheBoardIsThePictureExactlyEveryNeighbourOfTheEmptySlotTakesAClickAndAScreenChangeKeepsTiles)
{
    EXPECT_EQ(form.devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    build(301, 203, "7", "3");
    EXPECT_TRUE(shown() == expected(0));
    ASSERT_TRUE(form.game().MoveTile(2));
    EXPECT_TRUE(shown() == expected(1));
    for (auto [c, r, k] : {std::tuple{0, 0, 2}, {2, 0, 3}, {1, 1, 9}}) {
        pressSlot(c, r);
        EXPECT_EQ(form.Picture1()->devicePixels(form.Image1()[k].rect).topLeft(), QPoint(43, 0)) << k;
        EXPECT_TRUE(form.game().MoveTile(std::int16_t(k)));   // and back
    }
    EXPECT_TRUE(shown() == expected(1));
    platform.scale = 2;
    QEvent change(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(&form, &change);
    EXPECT_EQ(form.Picture1()->devicePixels(form.Image1()[9].rect),
              QRect(43, 67, 43, 67));   // in device pixels
    for (std::int16_t k : {9, 10, 3})
        EXPECT_TRUE(form.game().MoveTile(k)) << k;
    EXPECT_EQ(boardFault(form.game(), form.Image1(), platform.twipsPerPixelX(), platform.twipsPerPixelY()),
              "");
}

TEST_F(ScaledWindow, EveryButtonStaysOnTopOfAPictureLargerThanTheWindow)
{
    build(1600, 1200, "4", "4");
    for (int n = 1; n <= 6; ++n) {
        QToolButton* b = form.button(n);
        EXPECT_EQ(form.childAt(b->mapTo(&form, b->rect().center())), b) << n;
    }
}

// The bottom sides end on the right sides' column: the corner pixel once, none past it.
TEST_F(ScaledWindow, FrameCornersEndOnTheRightSides)
{
    form.show();
    const QImage shot = form.grab().toImage();
    const double tx = platform.twipsPerPixelX(), ty = platform.twipsPerPixelY();
    const double W = form.frameGeometry().width() * tx * form.devicePixelRatioF();
    const double H = form.frameGeometry().height() * ty * form.devicePixelRatioF();
    for (auto [right, bottom, colour] :
         {std::tuple{19, 42, qRgb(255, 255, 255)}, {23, 47, qRgb(128, 128, 128)}}) {
        const QPoint corner(int(toPixels(float(W - right * tx), tx)),
                            int(toPixels(float(H - bottom * ty), ty)));
        EXPECT_EQ(shot.pixel(corner), colour) << right;
        EXPECT_NE(shot.pixel(corner + QPoint(1, 0)), colour) << right;
    }
}

}   // namespace
