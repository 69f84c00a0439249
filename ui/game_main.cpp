// SPDX-License-Identifier: MIT
// The game: the main window, started from "intro.jpg" or from a puzzle file; loaded and run by
// its launcher (launcher_main.cpp).
#include "platform/file_io.h"
#include "platform/file_name.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_platform.h"
#include "ui/form1.h"
#include "ui/game_entry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The puzzle file's name: what is left of the command line once Qt has taken its own options
// (-platform, -style, ...) and ours, each argument as the bytes the system gave (a name need
// not be UTF-8), joined by blanks. Empty: start on the start-up picture. A help or version
// request, or an unknown option, is answered on the terminal and ends the program with `exitCode`.
std::optional<QStringList> puzzleArguments(const QApplication& app, int argc, char* argv[], int& exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zornik PUZZLE!, a sliding-tile picture puzzle."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.pzl"),
                                 QStringLiteral("A puzzle file to start with; all the arguments, joined by "
                                                "blanks, make its name. Put -- before a name that begins "
                                                "with -."));
    // Once a name has begun, a "-" in it is part of it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    exitCode = 0;
    if (!parser.parse(QCoreApplication::arguments()))
        exitCode = (std::fprintf(stderr, "%s\n", qPrintable(parser.errorText())), 1);
    else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        std::fputs(qPrintable(parser.helpText()), stdout);
    else if (parser.isSet(version))
        std::printf("%s %s\n", qPrintable(app.applicationName()), qPrintable(app.applicationVersion()));
    else {
        // The names are the last arguments left: Qt's arguments() decodes them with loss.
        QStringList names;
        for (int i = argc - int(parser.positionalArguments().size()); i < argc; ++i)
            names << zp::fileNameFromBytes(argv[i]);
        return names;
    }
    return std::nullopt;
}

// Whether the command line asks only for the help or the version: that needs no display, so Qt
// is then started on its offscreen platform (a -platform of the user's, coming later, still wins).
bool asksForTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

}   // namespace

int zp_game_main(int argc, char* argv[], const zp::decoder::Ahead* ahead)
{
    zp::ignoreFileSizeLimitSignal();
    std::vector<char*> args(argv, argv + argc);
    char platformOption[] = "-platform", offscreen[] = "offscreen";
    if (asksForTextOnly(argc, argv))
        args.insert(args.begin() + 1, {platformOption, offscreen});
    else if (ahead)
        zp::takeOverAhead(*ahead);   // the start-up picture, decoding since the launcher started
    else
        zp::startPictureDecoders();   // they load their libraries while Qt starts
    argc = int(args.size());
    args.push_back(nullptr);
    argv = args.data();
    QApplication app(argc, argv);   // takes Qt's options out of argc and argv
    // Names the installed data folder, .../share/zornik-puzzle, where the start-up picture lies.
    QApplication::setApplicationName(QStringLiteral("zornik-puzzle"));
    QApplication::setApplicationVersion(QStringLiteral(ZP_VERSION));
    int exitCode = 0;
    const std::optional<QStringList> arguments = puzzleArguments(app, argc, argv, exitCode);
    if (!arguments)
        return exitCode;
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZP_APP_ID));
    // The game keeps no configuration; Qt's file dialog would otherwise store its history in
    // the user's settings. A folder that cannot exist takes those writes nowhere.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null/none"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null/none"));
    zp::QtPlatform platform;
    zp::QtPictureLoader loader;
    zp::Form1 window(platform, loader, nullptr);
    window.Form_Load(*arguments);
    window.show();
    return app.exec();
}
