// SPDX-License-Identifier: MIT
// Runs the window tests in one QApplication on Qt's offscreen platform, in a home of their own.
#include "tests/ui/scripted.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    zp::test::useOwnHome(home);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
