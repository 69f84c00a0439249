// SPDX-License-Identifier: MIT
// The window and its dialogs on a scaled screen (run once per QT_SCALE_FACTOR): the board in exact device
// pixels, clicks on the right tile, commands above any picture, the frame corners; the size dialog (OK
// checks the texts, Cancel and Esc put back those of the moment of showing; where it stands; its close
// box is in the commands' tests) and the message boxes as Qt shows them.
#include "tests/fake/fake_platform.h"
#include "tests/ui/window_test.h"

#include <QWindow>

using namespace zp;
using namespace zp::test;

struct ScaledWindow : WindowIn<> {
    QImage image;

    // A w x h picture of distinct pixels cut cols x rows, in the window shown.
    void build(int w, int h, const char* cols, const char* rows)
    {
        image = QImage(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
        form.sizeDialog()->setColumnsText(cols), form.sizeDialog()->setRowsText(rows);
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
        p.fillRect(out.rect(), QBrush(QImage(":/pattern.gif")));   // tiled from the top left
        p.setClipRegion(QRegion(0, 0, 301, 201) - QRegion(empty * 43, 0, 43, 67));
        p.drawImage(0, 0, image);
        if (empty == 1)
            p.drawImage(0, 0, image, 43, 0, 43, 67);
        return out;
    }
    // A press in the middle of board slot (c, r), where a user's pointer would be.
    void pressSlot(int c, int r)
    {
        const QPointF device = form.Picture1()->board().topLeft() + QPointF((c + 0.5) * 43, (r + 0.5) * 67),
                      at = device / form.devicePixelRatioF(), in = at - QPointF(form.Picture1()->pos());
        ASSERT_EQ(form.childAt(at.toPoint()), form.Picture1());
        QMouseEvent e(QEvent::MouseButtonPress, in, form.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(form.Picture1(), &e);
    }
};

// Then the window, told of a screen with twice the scaling mid-game, re-fits the board and moves go on.
TEST_F(ScaledWindow, ThePixelExactBoardTakesClicksAcrossAScreenChange)
{
    EXPECT_EQ(form.devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    build(301, 203, "7", "3");
    EXPECT_TRUE(shown() == expected(0)) << "the picture, exactly";
    ASSERT_TRUE(form.game().MoveTile(2));
    EXPECT_TRUE(shown() == expected(1)) << "the picture, exactly";
    for (auto [c, r, k] : {std::tuple{0, 0, 2}, {2, 0, 3}, {1, 1, 9}}) {
        pressSlot(c, r);
        EXPECT_EQ(form.Picture1()->devicePixels(tiles()[k].rect).topLeft(), QPoint(43, 0)) << "click " << k;
        EXPECT_TRUE(form.game().MoveTile(std::int16_t(k)));   // and back
    }
    EXPECT_TRUE(shown() == expected(1));
    platform.scale = 2;
    emit form.windowHandle()->screenChanged(form.screen());
    EXPECT_EQ(form.Picture1()->devicePixels(tiles()[9].rect), QRect(43, 67, 43, 67)) << "a screen change";
    for (std::int16_t k : {9, 10, 3})
        EXPECT_TRUE(form.game().MoveTile(k)) << k;
    EXPECT_EQ(fault(), "");
}

TEST_F(ScaledWindow, EveryButtonStaysAboveALargePicture)
{
    build(1600, 1200, "4", "4");
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(form.childAt(form.button(n)->geometry().center()), form.button(n)) << n;
}

// The bottom sides end on the right sides' column: the corner pixel once, none past it.
TEST_F(ScaledWindow, FrameCornersEndOnTheRightSides)
{
    form.show();
    const QImage shot = form.grab().toImage();
    const double tx = platform.twipsPerPixelX(), ty = platform.twipsPerPixelY();
    const QSizeF outer = QSizeF(form.frameGeometry().size()) * form.devicePixelRatioF();
    // r, b: the corner's distance from the right and bottom edges, the outer frame's, then the inner's.
    for (auto [r, b, colour] : {std::tuple{19, 42, qRgb(255, 255, 255)}, {23, 47, qRgb(128, 128, 128)}}) {
        const QPoint corner(int(toPixels(float(outer.width() * tx - r * tx), tx)),
                            int(toPixels(float(outer.height() * ty - b * ty), ty)));
        EXPECT_TRUE(shot.pixel(corner) == colour && shot.pixel(corner + QPoint(1, 0)) != colour) << r;
    }
}

// The dialog of a board cut from a 100 x 100 picture; each showing with `user` playing in it.
struct SizeDialog : ::testing::Test {
    QWidget owner;
    FakePlatform platform;
    Form2 dialog{platform, [] { return QSize(100, 100); }, &owner};
    QList<QPoint> centres;   // where each showing began
    void show(const std::function<void()>& user)
    {
        QTimer::singleShot(0, [this, user] { centres.push_back(dialog.geometry().center()), user(); });
        dialog.showModal();
    }
    QAbstractButton *const ok = buttonOf(dialog, "OK"), *const cancel = buttonOf(dialog, "Cancel");
    void type(const QString& c, const QString& r) { dialog.setColumnsText(c), dialog.setRowsText(r); }
    QString texts() const { return dialog.columnsText() + " x " + dialog.rowsText(); }
};

// Empty, letters, zero, tiles under a pixel: "Wrong values" each time, the dialog open, the texts as typed.
TEST_F(SizeDialog, OkWithUnusableValuesSaysWrongValues)
{
    show([&] {
        for (const QStringList& wrong : {QStringList{"5", ""}, {"a", "3"}, {"0", "3"}, {"101", "1"}}) {
            type(wrong[0], wrong[1]);
            ok->click();
            EXPECT_TRUE(dialog.isVisible() && texts() == wrong.join(" x "))
                << "kept: " << qPrintable(texts());
        }
        type("5", "3"), ok->click();
    });
    EXPECT_TRUE(dialog.result() == QDialog::Accepted && texts() == "5 x 3" && platform.messages.size() == 4u);
    for (const ShownMessage& m : platform.messages)
        EXPECT_TRUE(m.text == "Wrong values" && m.style == MsgStyle::Exclamation && m.title == "Error");
}

TEST_F(SizeDialog, CancelOrEscPutsBackTheTextsAsShown)
{
    type("6", "3");
    show([&] { type("x", "5"), ok->click(), cancel->click(); });
    EXPECT_EQ(texts(), "6 x 3") << "Cancel after wrong values";
    show([&] { type("7", "5"), pressKey(&dialog, Qt::Key_Escape); });
    EXPECT_TRUE(texts() == "6 x 3" && !dialog.isVisible()) << "Esc";
}

// Moved, then shown again; closed (discarded), then shown again as at first. Each control inside the
// dialog, on a place of its own.
TEST_F(SizeDialog, StandsCentredOnTheOwnerAtFirstThenWhereTheUserLeftIt)
{
    owner.setGeometry(200, 150, 500, 400);
    show([&] { dialog.move(dialog.pos() + QPoint(60, 40)), ok->click(); });
    show([&] { cancel->click(); });
    show([&] { dialog.close(); });
    show([&] { cancel->click(); });
    const auto controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 6);
    for (const QWidget* a : controls)
        for (const QWidget* b : controls)
            EXPECT_TRUE(dialog.rect().contains(a->geometry()) &&
                        (a == b || !a->geometry().intersects(b->geometry())))
                << "each control inside, on a place of its own";
    const QPoint middle = owner.geometry().center();
    EXPECT_EQ(centres, (QList<QPoint>{middle, middle + QPoint(60, 40), middle + QPoint(60, 40), middle}));
}

// Each style's icon and buttons, the title given or else the program's name; Return presses the default.
TEST(MessageBox, EachStyleHasItsOwnLookWithASafeDefault)
{
    using B = QMessageBox;
    const std::tuple<MsgStyle, B::Icon, B::StandardButtons, MsgResult, QString, QString> cases[] = {
        {MsgStyle::Critical, B::Critical, B::Ok, MsgResult::Ok, {}, "Zornik PUZZLE!"},
        {MsgStyle::Exclamation, B::Warning, B::Ok, MsgResult::Ok, "Error", "Error"},
        {MsgStyle::Information, B::Information, B::Ok, MsgResult::Ok, "About", "About"},
        {MsgStyle::QuestionYesNo, B::Question, B::Yes | B::No, MsgResult::No, {}, "Zornik PUZZLE!"}};
    QtPlatform platform;
    for (const auto& [style, icon, buttons, onReturn, title, shownTitle] : cases) {
        std::tuple<B::Icon, B::StandardButtons, QString> seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seen = {box->icon(), box->standardButtons(), box->windowTitle()};
            pressKey(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
            if (box->isVisible())
                box->done(B::Yes);   // Return did nothing: a wrong answer
        });
        EXPECT_EQ(platform.messageBox("text", style, title), onReturn) << "Return, style " << int(style);
        EXPECT_EQ(seen, std::tuple(icon, buttons, shownTitle)) << "its look, style " << int(style);
    }
}
