// SPDX-License-Identifier: MIT
// The board size dialog: OK checks the texts, Cancel and Esc put back those of the moment of showing,
// the close box discards them.
#include "tests/fake/fake_platform.h"
#include "ui/form2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zp;
using namespace zp::test;

namespace {
// The dialog of a board cut from a 100 x 100 picture, shown with `user` playing in it.
struct SizeDialog : ::testing::Test {
    FakePlatform platform;
    Form2 dialog{platform, [] { return QSize(100, 100); }, nullptr};
    void show(const std::function<void()>& user)
    {
        QTimer::singleShot(0, &dialog, user);
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
    const QStringList wrong[] = {{"5", ""}, {"a", "3"}, {"0", "3"}, {"101", "1"}};
    show([&] {
        for (const QStringList& w : wrong) {
            type(w[0], w[1]);
            dialog.Command1->click();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(texts(), w.join(" x "));
        }
        type("5", "3");
        dialog.Command1->click();
    });
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(texts(), "5 x 3");
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
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &esc);
    });
    EXPECT_EQ(texts(), "6 x 3");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SizeDialog, TheCloseBoxBringsBackFourByFour)
{
    type("6", "3");
    show([&] { dialog.close(); });
    EXPECT_EQ(texts(), "4 x 4");
    EXPECT_FALSE(dialog.isVisible());
}
