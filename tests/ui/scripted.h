// SPDX-License-Identifier: MIT
// Scripted services for window tests: message boxes and file dialogs answered by the test. The window
// tests see all of Qt Widgets, and GoogleTest, through it.
#pragma once

#include "platform/qt/qt_platform.h"
#include "tests/fake/message_log.h"
#include "ui/common_dialog.h"

#include <QtWidgets>

#include <functional>
#include <gtest/gtest.h>

namespace zp::test {

// Points HOME and XDG_CONFIG_HOME into `home` for the whole run, before Qt reads them: Qt's file dialog
// keeps a history in the settings, and no test may write the user's.
inline void useOwnHome(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
}

// A key pressed on `w`, as the keyboard sends it.
inline void pressKey(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class ScriptedPlatform : public QtPlatform, public MessageLog {
public:
    double scale = 1;   // divides the screen's twips per pixel, as a more finely scaled screen's would
    std::function<void()> onEvents;   // runs at each event pass, as input arriving then would
    void processEvents() override
    {
        QtPlatform::processEvents();
        if (onEvents)
            onEvents();
    }
    double twipsPerPixelX() const override { return QtPlatform::twipsPerPixelX() / scale; }
    double twipsPerPixelY() const override { return QtPlatform::twipsPerPixelY() / scale; }
    MsgResult messageBox(const QString& m, MsgStyle s, const QString& t) override { return record(m, s, t); }
};

class ScriptedDialog : public CommonDialog {
public:
    ScriptedDialog() : CommonDialog(nullptr) {}
    QStringList answers;                // "" cancels
    std::vector<QString> filterTexts;   // the filter each command set, as it set it
    std::vector<QString> presetsSeen;

protected:
    QString run(bool, const QStringList&, const QString& preset) override
    {
        filterTexts.push_back(Filter);
        presetsSeen.push_back(preset);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

}   // namespace zp::test
