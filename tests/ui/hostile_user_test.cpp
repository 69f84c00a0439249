// SPDX-License-Identifier: MIT
// What an unusual or hostile user can hand the program: a size line longer than a text field's default
// limit, with the history full; Qt's own options, --help, --version, -- and a name that is not UTF-8 on
// the command line of the real program.
#include "tests/ui/window_test.h"

#include <QProcess>

#include <unistd.h>

using namespace zp;
using namespace zp::test;

using HostileUser = WindowIn<>;

// A file's columns line of 32,767 blanks and a 4 passes the size rule; a field that cut it would leave
// blanks only. It reaches the board whole, in place of a game whose history holds 1000 moves.
TEST_F(HostileUser, ASizeLineOfAnyLengthReachesTheBoardWholeThroughTheSizeDialog)
{
    start();
    const QByteArray cols = QByteArray(32767, ' ') + '4';
    dialog.answers = {
        file("full.pzl", "intro.jpg\r\n4\r\n4\r\n 1000 \r\n" + QByteArray(" 2 \r\n").repeated(1000)),
        file("long.pzl", "intro.jpg\r\n" + cols + "\r\n4\r\n 1 \r\n 2 \r\n")};
    form.Command2_Click();
    ASSERT_EQ(moves().size(), 1000u);
    form.Command2_Click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(moves(), Moves{2});
    EXPECT_EQ(form.sizeDialog()->columnsText(), cols);
    EXPECT_EQ(fault(), "");
}

// The program run with the shell's `arguments` in a folder of its own holding "s\xE9.pzl" (a Latin-1 name)
// that names a missing picture: its exit code and what it printed, or, when it runs on, the first line
// it logged (it opens a file), after which it is ended. `environment`: env's arguments for the program.
QString runProgram(const QString& arguments, const QString& environment = "QT_QPA_PLATFORM=offscreen")
{
    QTemporaryDir dir;
    QProcess program;
    program.setWorkingDirectory(dir.path());
    program.start("sh",
                  {"-c",
                   R"-(printf 'gone.jpg\r\n4\r\n4\r\n 0 \r\n' >"$(printf 's\351.pzl')"; )-"
                   "exec env " +
                       environment + " \"$0\" " + arguments,
                   ZP_PROGRAM});
    QByteArray log;
    while (!program.waitForFinished(50) && !log.contains("zp.files") && program.state() == QProcess::Running)
        log += program.readAllStandardError();
    ::unlink(QFile::encodeName(dir.path()) + "/s\xE9.pzl");   // a name QTemporaryDir cannot remove
    const bool ended = program.state() != QProcess::Running;
    program.kill();
    program.waitForFinished();
    return ended ? QString("exit %1: %2").arg(program.exitCode()).arg(program.readAllStandardOutput())
                 : QString::fromUtf8(log.mid(log.indexOf("zp.files")).split('\n').front());
}

// Qt takes its options out first; ours print and end the program; after -- even "--help" is a file's name.
TEST(CommandLine, EveryKindOfArgumentIsReadAsItIsMeant)
{
    const std::pair<QString, QString> cases[] = {
        // the shell's arguments, a pattern of what runProgram gives
        {"-platform offscreen gone.pzl", R"(^zp.files: cannot open "gone.pzl": No such file or directory$)"},
        {"--help", R"(^exit 0: Usage: .*--version.*FILE\.pzl)"},
        {"--version", "^exit 0: zornik-puzzle " ZP_VERSION "\n$"},
        {"-- --help", R"(^zp.files: cannot open "--help": No such file or directory$)"},
        {R"-("$(printf 's\351.pzl')")-", R"(^zp.files: cannot open "s\\xe9.pzl": picture "gone.jpg": )"},
    };
    for (const auto& [arguments, shown] : cases) {
        const QString ran = runProgram(arguments);
        EXPECT_TRUE(
            QRegularExpression(shown, QRegularExpression::DotMatchesEverythingOption).match(ran).hasMatch())
            << qPrintable(arguments + " gave " + ran);
    }
    for (const char* asked : {"--help", "--version"})   // no display needed
        EXPECT_TRUE(
            runProgram(asked, "-u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY").startsWith("exit 0: "))
            << asked << " without a display";
}
