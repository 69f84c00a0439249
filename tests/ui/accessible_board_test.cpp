// SPDX-License-Identifier: MIT
// The play area as assistive technology sees it: a table of slots to read and play, and its events.
#include "tests/ui/window_test.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace zp;
using namespace zp::test;

struct Sent {
    QAccessible::Event type;
    int slot;   // -1: the board itself
    auto operator<=>(const Sent&) const = default;
};
using Events = std::vector<Sent>;
constexpr auto Name = QAccessible::NameChanged, Description = QAccessible::DescriptionChanged,
               Focus = QAccessible::Focus, Reset = QAccessible::TableModelChanged;

// A 4 x 4 game of a 480 x 360 picture (tiles of 120 x 90 pixels), shown, with accessibility on as a
// screen reader turns it on; the events sent about the board are collected.
class AccessibleBoard : public WindowIn<> {
protected:
    static inline AccessibleBoard* running = nullptr;
    Events sent;   // in the order sent
    QAccessibleInterface* iface = nullptr;
    const QString press = QAccessibleActionInterface::pressAction();

    void SetUp() override
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        running = this;
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->object() == running->form.Picture1() && e->type() != QAccessible::LocationChanged)
                running->sent.push_back({e->type(), e->child()});
        });
        start();
        form.show();
        ASSERT_TRUE(iface = QAccessible::queryAccessibleInterface(form.Picture1()));
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(nullptr);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }
    QAccessibleInterface* slot(int i) const { return iface->child(i); }
    QStringList texts(QAccessible::Text t = QAccessible::Name) const   // the slots', in reading order
    {
        QStringList list;
        for (int i = 0; i < iface->childCount(); ++i)
            list << slot(i)->text(t);
        return list;
    }
};

QString tileFrom(int row, int column) { return QString("tile from row %1, column %2").arg(row).arg(column); }

// Tiles 2, 3 and 7 moved: 2 and 3 one slot left, 7 up into the top row; the empty slot is row 2,
// column 3. Then every move is taken back, and a 3 x 2 puzzle file with the moves 2 and 5 is opened.
TEST_F(AccessibleBoard, IsATableOfSlotsNamedByTheirTilesHomePlaces)
{
    EXPECT_TRUE(iface->role() == QAccessible::Table && iface->text(QAccessible::Name) == "Puzzle board");
    EXPECT_EQ(iface->text(QAccessible::Description), "4 columns, 4 rows");
    for (std::int16_t k : {2, 3, 7})
        form.Image1_MouseDown(k);
    ASSERT_EQ(iface->childCount(), 16);
    EXPECT_EQ(texts(),
              (QStringList{tileFrom(1, 2), tileFrom(1, 3), tileFrom(2, 3), tileFrom(1, 4),   //
                           tileFrom(2, 1), tileFrom(2, 2), "empty slot", tileFrom(2, 4),     //
                           tileFrom(3, 1), tileFrom(3, 2), tileFrom(3, 3), tileFrom(3, 4),   //
                           tileFrom(4, 1), tileFrom(4, 2), tileFrom(4, 3), tileFrom(4, 4)}));
    SCOPED_TRACE("the tiles that can move marked, each slot a cell in its place");
    const QString can = "can move";   // slots 2, 5, 7 and 10, around the empty slot
    EXPECT_EQ(texts(QAccessible::Description),
              (QStringList{"", "", can, "", "", can, "", can, "", "", can, "", "", "", "", ""}));
    for (int i = 0; i < 16; ++i) {
        QAccessibleTableCellInterface* cell = slot(i)->tableCellInterface();
        EXPECT_TRUE(cell->rowIndex() == i / 4 && cell->columnIndex() == i % 4 && slot(i)->parent() == iface &&
                    iface->tableInterface()->cellAt(i / 4, i % 4) == slot(i) &&
                    iface->indexOfChild(slot(i)) == i)
            << i;
        // The tiles that can move, and only those, offer the press action.
        EXPECT_EQ(slot(i)->actionInterface()->actionNames() == QStringList{press},
                  slot(i)->text(QAccessible::Description) == can);
    }
    EXPECT_EQ(slot(6)->rect(), QRect(form.Picture1()->mapToGlobal(QPoint(240, 90)), QSize(120, 90)));
    // Solved again: the same texts, announcing nothing of it.
    SCOPED_TRACE("solved again");
    for (std::int16_t k : {7, 3, 2})
        form.Image1_MouseDown(k);
    EXPECT_EQ(texts().mid(0, 2), (QStringList{"empty slot", tileFrom(1, 2)}));
    EXPECT_EQ(iface->text(QAccessible::Description), "4 columns, 4 rows");
    // A replayed file: new cells.
    SCOPED_TRACE("a puzzle file opened");
    const QAccessible::Id cell0 = QAccessible::uniqueId(slot(0));
    dialog.answers = {
        file("game.pzl", (dir.filePath("intro.jpg") + "\r\n3\r\n2\r\n 2 \r\n 2 \r\n 5 \r\n").toUtf8())};
    form.Command2_Click();
    ASSERT_EQ(moves(), (Moves{2, 5}));
    EXPECT_NE(QAccessible::uniqueId(slot(0)), cell0);
    EXPECT_EQ(iface->text(QAccessible::Description), "3 columns, 2 rows");
    EXPECT_EQ(texts(),
              (QStringList{tileFrom(1, 2), tileFrom(2, 2), tileFrom(1, 3), tileFrom(2, 1), "empty slot",
                           tileFrom(2, 3)}));
}

// The press action is the click: tile 2 moves, tile 3 too, while tile 3 slides tile 6 is pressed in
// vain; a tile away from the empty slot stays, and tile 3 pressed again takes its move back.
TEST_F(AccessibleBoard, ThePressActionMovesATileAsAClickDoes)
{
    slot(1)->actionInterface()->doAction(press);
    EXPECT_EQ(moves(), Moves{2});
    bool pressedDuringSlide = false;
    QTimer::singleShot(0, [&] {
        pressedDuringSlide = form.game().sliding();
        slot(5)->actionInterface()->doAction(press);
    });
    slot(2)->actionInterface()->doAction(press);
    EXPECT_TRUE(pressedDuringSlide);
    slot(15)->actionInterface()->doAction(press);
    EXPECT_EQ(moves(), (Moves{2, 3}));
    slot(1)->actionInterface()->doAction(press);
    EXPECT_EQ(moves(), Moves{2});
    EXPECT_EQ(texts().mid(0, 3), (QStringList{tileFrom(1, 2), "empty slot", tileFrom(1, 3)}));
}

// With the board focused (the focus on its empty slot), Left slides tile 2 over 121 pixel steps, then
// "Solve It!" takes it back. Each move: one event for each slot whose name or description changed, and
// the focus moved to the new empty slot.
TEST_F(AccessibleBoard, TellsEachLandedMoveOnceMovingTheFocus)
{
    form.activateWindow();
    form.Picture1()->setFocus(Qt::TabFocusReason);
    // The window's activation, then the focus, then the empty slot's focus after the board's.
    for (int i = 0; i < 10 && (sent.empty() || sent.back() != Sent{Focus, 0}); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(form.Picture1()->hasFocus());
    EXPECT_TRUE(sent.back() == (Sent{Focus, 0}) && iface->focusChild() == slot(0));
    // Slots 0 and 1 swap and 2, 4 and 5 border one of them: each tells of its change once (listed in the
    // order of the event types), then the focus goes to the new empty slot.
    const auto landed = [&](int focus) {
        EXPECT_EQ(sent.back(), (Sent{Focus, focus}));
        sent.pop_back();
        std::sort(sent.begin(), sent.end());
        // clang-format off
        EXPECT_EQ(sent, (Events{{Name, 0}, {Name, 1}, {Description, 0}, {Description, 1}, {Description, 2},
                                {Description, 4}, {Description, 5}}));
        // clang-format on
        sent.clear();
    };
    sent.clear();
    pressKey(form.Picture1(), Qt::Key_Left);
    ASSERT_EQ(moves(), Moves{2});
    landed(1);
    EXPECT_TRUE(iface->focusChild() == slot(1) && slot(1)->state().focused && !slot(0)->state().focused);
    form.button(3)->click();
    ASSERT_EQ(moves(), Moves{});
    landed(0);
}

// A screen reader's bridge turns a reorder into one signal per cell, and makes every cell for it. Opening a
// 181 x 181 game (32,761 slots, 2 moves) tells of it in four events, none of them about the cells: the
// table reset and described anew when the new board is cut, and again when its moves have landed.
TEST_F(AccessibleBoard, ANewBoardOfAnySizeIsToldInAFixedNumberOfEvents)
{
    picture("big.bmp", 362, 362);
    dialog.answers = {
        file("big.pzl", (dir.filePath("big.bmp") + "\r\n181\r\n181\r\n 2 \r\n 2 \r\n 3 \r\n").toUtf8())};
    sent.clear();
    form.Command2_Click();
    ASSERT_EQ(moves(), (Moves{2, 3}));
    EXPECT_EQ(sent, (Events{{Reset, -1}, {Description, -1}, {Reset, -1}, {Description, -1}}));
    EXPECT_EQ(iface->text(QAccessible::Description), "181 columns, 181 rows");
}
