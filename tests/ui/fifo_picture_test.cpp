// SPDX-License-Identifier: MIT
// A picture that is a FIFO is refused at once, with or without a writer feeding it a good picture.
#include "platform/qt/qt_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zp {
namespace {

TEST(FifoPicture, IsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString idle = dir.filePath("idle.bmp"), fed = dir.filePath("fed.bmp");
    ASSERT_TRUE(mkfifo(QFile::encodeName(idle).constData(), 0600) == 0 &&
                mkfifo(QFile::encodeName(fed).constData(), 0600) == 0);
    QBuffer bmp;
    ASSERT_TRUE(bmp.open(QIODevice::WriteOnly) && QImage(8, 8, QImage::Format_RGB32).save(&bmp, "BMP"));
    const int writer = ::open(QFile::encodeName(fed).constData(), O_RDWR);
    ASSERT_TRUE(writer >= 0 && ::write(writer, bmp.data().data(), bmp.size()) == bmp.size());
    alarm(20);   // a loader that waits on the FIFO ends the run here instead of hanging it
    for (const QString& path : {idle, fed})
        EXPECT_EQ(loadPicture(path).reason, "not a regular file") << qPrintable(path);
    alarm(0);
    ::close(writer);
}

}   // namespace
}   // namespace zp
