// SPDX-License-Identifier: MIT
// The program: the main window, started from "intro.jpg" or from a puzzle file.
#include "platform/file_io.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_platform.h"
#include "ui/form1.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char* argv[])
{
    zp::ignoreFileSizeLimitSignal();
    // The arguments as the system gave them, before Qt takes out the options it knows.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QApplication app(argc, argv);
    // Names the installed data folder, .../share/zornik-puzzle, where the start-up picture lies.
    QApplication::setApplicationName(QStringLiteral("zornik-puzzle"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZP_APP_ID));
    // The game keeps no configuration; Qt's file dialog would otherwise store its history in
    // the user's settings. A folder that cannot exist takes those writes nowhere.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null/none"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null/none"));
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load(arguments);
    window.show();
    return app.exec();
}
