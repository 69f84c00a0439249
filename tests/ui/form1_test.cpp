// SPDX-License-Identifier: MIT
// The main window under the offscreen platform: start-up, geometry and clicks, and the commands as the
// player meets them: the file dialogs' filters and names, About, Setup Size, the arrow keys. (Drops:
// hostile_files_test.cpp.)
#include "engine/board_observer.h"
#include "tests/ui/window_test.h"

using namespace zp;
using namespace zp::test;
using Window = WindowIn<>;
using Commands = WindowIn<>;

TEST_F(Window, StartsInItsFixedSizeWithSaveDisabled)
{
    EXPECT_EQ(form.size(), QSize(506, 447));   // 7584 x 6708 twips at 15 twips a pixel
    start();
    EXPECT_TRUE(form.windowTitle().startsWith("Zornik PUZZLE!, ")) << "the title";
    EXPECT_FALSE(saveEnabled());
}

TEST_F(Window, TabVisitsTheControlsInTheirOrder)
{
    start();
    form.show();
    const auto tabs = [this](int n) {   // where Tab takes the focus, n times from "Other Image"
        QWidgetList seen;
        for (form.button(5)->setFocus(); n--; seen.push_back(form.focusWidget()))
            pressKey(form.focusWidget(), Qt::Key_Tab);
        return seen;
    };
    EXPECT_EQ(tabs(6),
              (QWidgetList{form.button(3), form.Picture1(), form.button(2), form.button(1), form.button(6),
                           form.button(5)}));
    form.button(4)->setEnabled(true);
    EXPECT_EQ(tabs(2), (QWidgetList{form.button(4), form.button(3)})) << "Save, once enabled";
}

// Tiles are 120 pixels wide: a right click on tile 2, then a middle click on tile 3.
TEST_F(Window, AnyMouseButtonMovesATile)
{
    start();
    for (auto [x, button] : {std::pair{130, Qt::RightButton}, std::pair{250, Qt::MiddleButton}}) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 10), QPointF(x, 10), button, button, {});
        QApplication::sendEvent(form.Picture1(), &e);
    }
    EXPECT_EQ(moves(), (Moves{2, 3}));
}

// Then a puzzle file named at start that is missing.
TEST_F(Window, StartsWithAMessageWhereIntroJpgIsMissing)
{
    form.Form_Load({});
    EXPECT_TRUE(!saveEnabled() && !tiles().exists(2)) << "no tiles, Save disabled";
    form.Form_Load({"/no/such/file.pzl"});
    ASSERT_TRUE(saveEnabled() && platform.messages.size() == 2u);
    const auto [text, style, title] = platform.messages[0];
    EXPECT_TRUE(text == "I Can't find the file intro.jpg" && style == MsgStyle::Critical && title.isEmpty());
    EXPECT_EQ(platform.messages[1].text, CannotFindText) << "a missing puzzle file";
}

// Without a picture the size set is kept for the one chosen next; with one, the board is cut again at once;
// Setup Size left by its close box cuts 4 x 4 again.
TEST_F(Commands, SetupSizeCutsTheNextBoardOrTheOneInPlay)
{
    form.Form_Load({});
    setupSize("5");
    dialog.answers = {picture("p.bmp", 100, 100)};
    form.Command5_Click();
    EXPECT_TRUE(tiles().exists(20) && !tiles().exists(21)) << "5 x 4, kept for the next picture";
    setupSize("3");
    EXPECT_TRUE(tiles().exists(12) && !tiles().exists(13)) << "3 x 4, cut at once";
    setupSize("5", true);
    EXPECT_TRUE(tiles().exists(16) && !tiles().exists(17)) << "the close box: 4 x 4";
}

// At 15 twips a pixel the layout's margins are pixels: for a window of outer size W x H, the outer
// frame's right and bottom sides at W - 19 and H - 42, the inner frame's at W - 23 and H - 47, grey at top
// and left outside, at bottom and right inside; the 240 x 180 play area centred on W / 2 and between the
// inner top side (91.2) and bottom.
TEST_F(Window, ResizingMovesTheFramesAroundACentredPlayArea)
{
    start(240, 180);
    form.show();
    for (auto [outer, outerRight, outerBottom, innerRight, innerBottom, playArea] :
         {std::tuple{QSize(510, 451), 491, 409, 487, 404, QRect(135, 158, 240, 180)},
          {QSize(660, 541), 641, 499, 637, 494, QRect(210, 203, 240, 180)}}) {
        form.resize(outer - (form.frameGeometry().size() - form.size()));
        const QImage shot = form.grab().toImage();
        const int x = (12 + innerRight) / 2, y = (91 + innerBottom) / 2;   // on each side, off the corners
        // Grey: outer left and top, inner right and bottom; white: the other sides.
        for (QPoint p : {QPoint(8, y), {x, 88}, {innerRight, y}, {x, innerBottom}})
            EXPECT_EQ(shot.pixel(p), qRgb(128, 128, 128)) << p.x() << ", " << p.y();
        for (QPoint p : {QPoint(outerRight, y), {x, outerBottom}, {12, y}, {x, 91}})
            EXPECT_EQ(shot.pixel(p), qRgb(255, 255, 255)) << p.x() << ", " << p.y();
        EXPECT_EQ(form.Picture1()->geometry(), playArea) << "the play area, centred";
    }
}

// On the real platform: "Solve It!" pressed, the window closed in its first pause; neither that wait nor
// any later one outlasts the close.
TEST_F(Window, ClosingInASolveItPauseEndsEveryWait)
{
    start();
    form.show();
    ASSERT_TRUE(form.game().MoveTile(2) && form.game().MoveTile(3));
    QTimer closer;
    closer.callOnTimeout([this] {
        if (form.game().solving() && !form.game().sliding())
            form.close();
    });
    closer.start(1);
    const auto began = std::chrono::steady_clock::now();
    form.button(3)->click();
    EXPECT_EQ(moves(), Moves{2}) << "the solution stops";
    // Closing ended the program's loop, and every modal loop would return at once until one runs again:
    // run it, so that only the platform's own interrupt can end the next wait.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    platform.waitUntil(platform.clock() + 30);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10));
}

// The window's public pause lasts the seconds asked, and the window plays on in it: a tile
// pressed during the pause slides.
TEST_F(Window, DelayWaitsItsSecondsWhileTheWindowPlaysOn)
{
    start();
    form.show();
    QTimer::singleShot(20, [this] { form.Image1_MouseDown(2); });
    const auto began = std::chrono::steady_clock::now();
    form.delay(0.25);
    EXPECT_GE(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(250));
    EXPECT_EQ(moves(), Moves{2});
}

// After each move of a replay, heard after the window's own view of the board: the landed tile
// and whether the screen shows it whole in its slot, where a tile drawn short of its slot would
// leave the background showing.
TEST_F(Window, EveryMoveOfAReplayIsOnTheScreenInItsLastPositionWhenItLands)
{
    struct : BoardObserver {
        Form1* form;
        QStringList seen;
        void moveLanded(std::int16_t k) override
        {
            QImage tile(75, 50, QImage::Format_RGB32);
            tile.fill(Qt::darkCyan);   // the picture's colour
            const QImage shown =
                form->screen()->grabWindow(form->winId()).toImage().convertToFormat(tile.format());
            const PlayAreaWidget* area = form->Picture1();
            const QRect slot =
                area->devicePixels(WindowAccess::tiles(*form)[k].rect).translated(area->board().topLeft());
            seen << QString("%1:%2").arg(k).arg(shown.copy(slot) == tile);
        }
        void boardChanged() override {}
    } check;
    check.form = &form;
    form.show();
    form.game().addObserver(check);
    // Tiles of 75 x 50 pixels moved left, up, right, down, and round the top-left block again.
    const QString pzl =
        picture("p.bmp", 300, 200) + "\r\n4\r\n4\r\n 6 \r\n 2 \r\n 6 \r\n 5 \r\n 2 \r\n 6 \r\n 5 \r\n";
    form.openPuzzleFile(file("round.pzl", pzl.toUtf8()));
    form.game().removeObserver(check);
    EXPECT_EQ(check.seen.join(' ').toStdString(), "2:1 6:1 5:1 2:1 6:1 5:1");
}

// A picture chosen, Open cancelled, the game saved, then opened: each dialog with its command's filter,
// each shown with an empty name.
TEST_F(Commands, EachFileDialogShowsItsFilterWithAnEmptyName)
{
    const QString game = dir.filePath("g.pzl");
    dialog.answers = {picture("p.bmp"), "", game, game};
    for (auto command :
         {&Form1::Command5_Click, &Form1::Command2_Click, &Form1::Command4_Click, &Form1::Command2_Click})
        (form.*command)();
    const QString puzzles = QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
    const QString pictures = "Bitmapy (*.bmp)|*.bmp|TIFF formát (*.tif)|*.tif|Gify (*.gif)|*.gif|"
                             "JPEG soubory (*.jpg)|*.jpg|Všechny soubory soubory (*.*)|*.*";
    EXPECT_EQ(dialog.filterTexts, (std::vector<QString>{pictures, puzzles, puzzles, puzzles}));
    EXPECT_EQ(dialog.presetsSeen, std::vector<QString>(4)) << "no name chosen before is offered again";
    EXPECT_TRUE(platform.messages.empty() && form.game().board().PicturePath == dir.filePath("p.bmp"));
}

// Two non-empty lines, a credit and the maker's page, joined by CR LF.
TEST_F(Commands, AboutShowsTwoLinesWithAnInformationIconUnderItsTitle)
{
    form.button(6)->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    const auto [text, style, title] = platform.messages[0];
    EXPECT_TRUE(style == MsgStyle::Information && title == "About this game");
    EXPECT_TRUE(text.contains(QRegularExpression("^[^\r\n]+\r\n[^\r\n]+$"))) << qPrintable(text);
}

// The empty slot in column 1, row 1 of the 4 x 4 board: Left slides the tile right of it (7) left, Right
// slides 7 back, Up the tile below (10) up, Down 10 back. Up during the slide of tile 2 would slide tile 5
// into the slot tile 2 is sliding into.
TEST_F(Commands, EachArrowKeyMovesTheTileBesideTheEmptySlotThatWay)
{
    start();
    platform.onEvents = [this] { pressKey(form.Picture1(), Qt::Key_Up); };
    form.Image1_MouseDown(2);
    platform.onEvents = nullptr;
    EXPECT_TRUE(moves() == Moves{2} && fault() == "") << "a key during a slide: " << qPrintable(fault());
    ASSERT_TRUE(form.game().MoveTile(6));
    const std::pair<int, Moves> keys[] = {
        {Qt::Key_Left, {2, 6, 7}}, {Qt::Key_Right, {2, 6}}, {Qt::Key_Up, {2, 6, 10}}, {Qt::Key_Down, {2, 6}}};
    for (auto [key, history] : keys) {
        pressKey(form.Picture1(), key);
        EXPECT_EQ(moves(), history) << key;
    }
}
