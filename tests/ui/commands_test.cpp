// SPDX-License-Identifier: MIT
// The commands as the player meets them: the file dialogs' filters and names, About, Setup Size's close
// box, and the arrow keys.
#include "platform/qt/play_area_widget.h"
#include "tests/fake/board_check.h"
#include "tests/ui/window_test.h"
#include "ui/form2.h"

#include <QLineEdit>
#include <QTimer>

using namespace zp;
using namespace zp::test;
using Moves = std::vector<std::int16_t>;
using Commands = WindowIn<>;

// A picture chosen, Open cancelled, the game saved, then opened: each dialog with its command's filter,
// each shown with an empty name.
TEST_F(Commands, EachFileDialogHasItsFilterAndNoNameChosenBeforeIsOfferedAgain)
{
    const QString game = dir.filePath("g.pzl");
    dialog.answers = {picture("p.bmp"), "", game, game};
    for (auto command :
         {&Form1::Command5_Click, &Form1::Command2_Click, &Form1::Command4_Click, &Form1::Command2_Click})
        (form.*command)();
    const QString puzzles = QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
    const QString pictures = QString::fromUtf8(
        "Bitmapy (*.bmp)|*.bmp|TIFF formát (*.tif)|*.tif|Gify (*.gif)|*.gif|JPEG soubory (*.jpg)|*.jpg|"
        "Všechny soubory soubory (*.*)|*.*");
    EXPECT_EQ(dialog.filterTexts, (std::vector<QString>{pictures, puzzles, puzzles, puzzles}));
    EXPECT_EQ(dialog.presetsSeen, std::vector<QString>(4));
    EXPECT_TRUE(platform.messages.empty() && form.game().board().PicturePath == dir.filePath("p.bmp"));
}

// Two non-empty lines, a credit and the maker's page, joined by CR LF.
TEST_F(Commands, AboutShowsTwoLinesWithAnInformationIconUnderItsTitle)
{
    form.button(6)->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    const auto [text, style, title] = platform.messages[0];
    const QStringList lines = text.split("\r\n");
    EXPECT_TRUE(lines.size() == 2 && text.count('\n') == 1 && text.count('\r') == 1 && !lines[0].isEmpty() &&
                !lines[1].isEmpty())
        << qPrintable(text);
    EXPECT_TRUE(style == MsgStyle::Information && title == "About this game");
}

TEST_F(Commands, SetupSizeLeftByTheCloseBoxCutsAFourByFourBoard)
{
    start();
    QTimer::singleShot(0, [this] {
        form.sizeDialog()->Text1->setText("5");
        form.sizeDialog()->close();
    });
    form.Command1_Click();
    EXPECT_TRUE(form.Image1().exists(16) && !form.Image1().exists(17));
}

// The empty slot in column 1, row 1 of the 4 x 4 board: Left slides the tile right of it (7) left, Right
// slides 7 back, Up the tile below (10) up, Down 10 back.
TEST_F(Commands, EachArrowKeyMovesTheTileOnTheFarSideOfTheEmptySlotThatWay)
{
    start();
    ASSERT_TRUE(form.game().MoveTile(2) && form.game().MoveTile(6));
    for (auto [key, history] : {std::pair{Qt::Key_Left, Moves{2, 6, 7}},
                                {Qt::Key_Right, Moves{2, 6}},
                                {Qt::Key_Up, Moves{2, 6, 10}},
                                {Qt::Key_Down, Moves{2, 6}}}) {
        pressKey(form.Picture1(), key);
        EXPECT_EQ(form.game().history().entries(), history) << key;
    }
}

// Up would slide tile 5 into the slot tile 2 is sliding into.
TEST_F(Commands, AKeyDuringASlideChangesNothing)
{
    start();
    platform.onEvents = [this] { pressKey(form.Picture1(), Qt::Key_Up); };
    form.Image1_MouseDown(2);
    platform.onEvents = nullptr;
    EXPECT_EQ(form.game().history().entries(), Moves{2});
    EXPECT_EQ(boardFault(form.game(), form.Image1(), platform.twipsPerPixelX(), platform.twipsPerPixelY()),
              "");
}
