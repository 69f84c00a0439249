// SPDX-License-Identifier: MIT
// Message boxes as Qt shows them: each style's icon and buttons, Return at the question meaning No, and
// the program's name as the title when none is given.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zp;

TEST(MessageBox, EachStyleHasItsIconAndButtonsAndReturnAtTheQuestionMeansNo)
{
    struct Case {
        MsgStyle style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        MsgResult onReturn;
        QString title, shown;
    };
    using B = QMessageBox;
    const Case cases[] = {
        {MsgStyle::Critical, B::Critical, B::Ok, MsgResult::Ok, {}, "Zornik PUZZLE!"},
        {MsgStyle::Exclamation, B::Warning, B::Ok, MsgResult::Ok, "Error", "Error"},
        {MsgStyle::Information, B::Information, B::Ok, MsgResult::Ok, "About", "About"},
        {MsgStyle::QuestionYesNo, B::Question, B::Yes | B::No, MsgResult::No, {}, "Zornik PUZZLE!"}};
    QtPlatform platform;
    for (const Case& c : cases) {
        Case seen{};
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seen = {c.style, box->icon(), box->standardButtons(), {}, {}, box->windowTitle()};
            QWidget* focus = box->focusWidget() ? box->focusWidget() : box;
            QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(focus, &ret);
            if (box->isVisible())
                box->done(QMessageBox::Yes);   // Return did nothing: a wrong answer
        });
        EXPECT_EQ(platform.messageBox("text", c.style, c.title), c.onReturn) << int(c.style);
        EXPECT_EQ(seen.icon, c.icon) << int(c.style);
        EXPECT_EQ(seen.buttons, c.buttons) << int(c.style);
        EXPECT_EQ(seen.shown, c.shown) << int(c.style);
    }
}
