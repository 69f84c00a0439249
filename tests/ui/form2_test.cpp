// SPDX-License-Identifier: MIT
// Tests of the board size dialog: its fields as the size record, OK, Cancel, Esc, Enter and close.
#include "tests/fake/fake_platform.h"
#include "ui/form2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace zp {
namespace {

class Form2Test : public ::testing::Test {
protected:
    test::FakePlatform platform;
    QSize picture;   // the size of the picture the dialog is told is loaded; empty: none
    QWidget owner;
    std::unique_ptr<Form2> dialog;
    void make()
    {
        dialog = std::make_unique<Form2>(
            platform, [this] { return picture; }, &owner);
    }
    void type(const QString& c, const QString& r)
    {
        dialog->Text1->setText(c);
        dialog->Text2->setText(r);
    }
    static void press(QWidget* w, int k)
    {
        QKeyEvent e(QEvent::KeyPress, k, {});
        QApplication::sendEvent(w, &e);
    }
    std::string texts() const { return (dialog->columnsText() + '|' + dialog->rowsText()).toStdString(); }

    // Shows the dialog modally and runs `whileShown` once it is up; a dialog left shown is cancelled.
    void showAndRun(const std::function<void()>& whileShown)
    {
        QTimer::singleShot(0, dialog.get(), [&] {
            whileShown();
            if (dialog->isVisible())
                dialog->Command2->click();
        });
        dialog->showModal();
    }
};

// From "6" x "3": OK complains of unusable texts, staying shown, and keeps usable ones exactly as typed;
// Cancel and Esc put back; the close box discards to "4" x "4".
TEST_F(Form2Test, EachWayOfLeavingKeepsPutsBackOrDiscardsTheTexts)
{
    using Leave = void (*)(Form2&);
    const Leave ok = [](Form2&d) { d.Command1->click(); }, cancel = [](Form2&d) { d.Command2->click(); };
    const Leave esc = [](Form2& d) { press(d.Text1, Qt::Key_Escape); };
    const Leave enter = [](Form2& d) { press(d.Text2, Qt::Key_Return); };
    const Leave closeBox = [](Form2& d) { d.close(); };
    constexpr int A = QDialog::Accepted, R = QDialog::Rejected;
    const QSize tiny(8, 100);   // 8 columns give tiles exactly 1 pixel wide, 10 under a pixel
    struct Case {
        const char *cols, *rows;
        QSize picture;
        Leave leave;
        int result;
        const char* after = nullptr;
    };
    for (const Case& c : {Case{"4", "0", {}, ok, R}, Case{"+3", "4,0", {}, ok, A, "+3|4,0"},
                          Case{"10", "4", tiny, ok, R}, Case{"8", "4", tiny, ok, A, "8|4"},
                          Case{"7", "5", {}, cancel, R, "6|3"}, Case{"7", "5", {}, esc, R, "6|3"},
                          Case{"7", "5", {}, enter, A, "7|5"}, Case{"7", "5", {}, closeBox, R, "4|4"}}) {
        SCOPED_TRACE(std::string(c.cols) + " x " + c.rows);
        make();
        type("6", "3");
        picture = c.picture;
        platform.messages.clear();
        bool shownAfterLeaving = false;
        showAndRun([&] {
            type(c.cols, c.rows);
            c.leave(*dialog);
            shownAfterLeaving = dialog->isVisible();
        });
        EXPECT_EQ(shownAfterLeaving, !c.after);
        EXPECT_EQ(dialog->result(), c.result);
        EXPECT_EQ(texts(), c.after ? c.after : "6|3");
        ASSERT_EQ(platform.messages.size(), c.after ? 0u : 1u);
        if (!c.after) {
            EXPECT_EQ(platform.messages[0].text + '|' + platform.messages[0].title, "Wrong values|Error");
            EXPECT_EQ(platform.messages[0].style, MsgStyle::Exclamation);
        }
    }
    showAndRun([&] {
        type("5", "2");
        dialog->Command1->click();
    });
    EXPECT_EQ(dialog->result(), QDialog::Accepted);   // a discarded dialog shows again
    showAndRun([&] {
        type("9", "9");
        dialog->Command2->click();
    });
    EXPECT_EQ(texts(), "5|2");   // Cancel puts back the texts of the latest showing
}

}   // namespace
}   // namespace zp
