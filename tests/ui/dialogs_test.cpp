// SPDX-License-Identifier: MIT
// The size dialog (OK checks the texts, Cancel and Esc put back those of the moment of showing; where it
// stands; its close box is in the commands' tests) and the message boxes as Qt shows them, on any screen
// scaling.
#include "platform/qt/qt_platform.h"
#include "tests/fake/fake_platform.h"
#include "tests/ui/scripted.h"
#include "ui/form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {
// The dialog of a board cut from a 100 x 100 picture; each showing with `user` playing in it.
struct SizeDialog : ::testing::Test {
    QWidget owner;
    FakePlatform platform;
    Form2 dialog{platform, [] { return QSize(100, 100); }, &owner};
    std::vector<QPoint> centres;   // where each showing began
    void show(const std::function<void()>& user)
    {
        QTimer::singleShot(0, &dialog, [this, user] {
            centres.push_back(dialog.geometry().center());
            user();
        });
        dialog.showModal();
    }
    void type(const QString& cols, const QString& rows)
    {
        dialog.Text1->setText(cols);
        dialog.Text2->setText(rows);
    }
    QString texts() const { return dialog.Text1->text() + " x " + dialog.Text2->text(); }
};
}   // namespace

// Empty, letters, zero, tiles under a pixel: "Wrong values" each time, the dialog open, the texts as typed.
TEST_F(SizeDialog, OkWithUnusableValuesSaysWrongValuesAndKeepsTheDialogOpenWithTheTextsTyped)
{
    show([&] {
        for (const QStringList& wrong : {QStringList{"5", ""}, {"a", "3"}, {"0", "3"}, {"101", "1"}}) {
            type(wrong[0], wrong[1]);
            dialog.Command1->click();
            EXPECT_TRUE(dialog.isVisible() && texts() == wrong.join(" x ")) << qPrintable(texts());
        }
        type("5", "3");
        dialog.Command1->click();
    });
    EXPECT_TRUE(dialog.result() == QDialog::Accepted && texts() == "5 x 3");
    ASSERT_EQ(platform.messages.size(), 4u);
    for (const ShownMessage& m : platform.messages)
        EXPECT_TRUE(m.text == "Wrong values" && m.style == MsgStyle::Exclamation && m.title == "Error");
}

TEST_F(SizeDialog, CancelOrEscPutsBackTheTextsOfTheMomentOfShowingAlsoAfterWrongValues)
{
    type("6", "3");
    show([&] {
        type("x", "5");
        dialog.Command1->click();
        dialog.Command2->click();
    });
    EXPECT_EQ(texts(), "6 x 3");
    show([&] {
        type("7", "5");
        pressKey(&dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(texts() == "6 x 3" && !dialog.isVisible());
}

// Moved, then shown again; closed (discarded), then shown again as at first. Each control inside the
// dialog, on a place of its own.
TEST_F(SizeDialog, StandsCentredOnTheOwnerAtFirstThenWhereTheUserLeftIt)
{
    owner.setGeometry(200, 150, 500, 400);
    show([&] {
        dialog.move(dialog.pos() + QPoint(60, 40));
        dialog.Command1->click();
    });
    show([&] { dialog.Command2->click(); });
    show([&] { dialog.close(); });
    show([&] { dialog.Command2->click(); });
    const QWidget* controls[] = {dialog.Label1, dialog.Text1,    dialog.Label2,
                                 dialog.Text2,  dialog.Command1, dialog.Command2};
    for (const QWidget* a : controls)
        for (const QWidget* b : controls)
            EXPECT_TRUE(dialog.rect().contains(a->geometry()) &&
                        (a == b || !a->geometry().intersects(b->geometry())));
    const QPoint middle = owner.geometry().center();
    EXPECT_EQ(centres,
              (std::vector<QPoint>{middle, middle + QPoint(60, 40), middle + QPoint(60, 40), middle}));
}

// Each style's icon and buttons, the title given or else the program's name; Return presses the default.
TEST(MessageBox, EachStyleHasItsIconAndButtonsAndReturnAtTheQuestionMeansNo)
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
        EXPECT_EQ(platform.messageBox("text", style, title), onReturn) << int(style);
        EXPECT_EQ(seen, std::tuple(icon, buttons, shownTitle)) << int(style);
    }
}
