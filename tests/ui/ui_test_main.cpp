// SPDX-License-Identifier: MIT
// Runs the window tests in one QApplication on Qt's offscreen platform, in a home of their own.
#include "platform/qt/qt_picture.h"
#include "tests/ui/scripted.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    zp::test::useOwnHome(home);
    QApplication app(argc, argv);
    zp::useDecoderPrograms(ZP_TEST_JPEG_DECODER, ZP_TEST_DECODER);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
