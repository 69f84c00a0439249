// SPDX-License-Identifier: MIT
// The picture loader stands a photo upright by its EXIF orientation tag, as picture viewers do.
#include "platform/qt/qt_picture.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace zp;

namespace {

// A 48 x 32 grey JPEG, red in its stored top-left 16 x 16 pixels, with an EXIF block written out by
// hand: a big-endian TIFF header whose directory starts at its byte 8, and that directory: one
// entry, the orientation (tag 0x0112, type SHORT, count 1, the value in byte 25 of the block).
QByteArray taggedJpeg(int orientation, bool brokenDirectory)
{
    QImage stored(48, 32, QImage::Format_RGB32);
    stored.fill(QColor(128, 128, 128));
    QPainter(&stored).fillRect(0, 0, 16, 16, Qt::red);
    QBuffer jpeg;
    EXPECT_TRUE(jpeg.open(QIODevice::WriteOnly) && stored.save(&jpeg, "JPEG", 95));
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 32);
    exif[25] = char(orientation);
    if (brokenDirectory)
        exif.replace(10, 4, "\x7f\xff\xff\xf0");   // far past the block's end
    // After the start-of-image marker: APP1, its length (34, its own two bytes counted), the block.
    return QByteArray(jpeg.data()).insert(2, QByteArray("\xff\xe1\0\x22", 4) + exif);
}

struct Tagged {
    const char* name;
    int orientation;
    QSize upright;
    QPoint red;   // 2 pixels in (clear of the JPEG's blur) from the corner the stored top left shows in
    bool brokenDirectory = false;
};

// By the tag's definition, value: where the stored picture's row 0 and column 0 show.
const Tagged Cases[] = {
    {"Orientation1", 1, {48, 32}, {2, 2}},         // row 0 at the top, column 0 at the left: as stored
    {"Orientation2", 2, {48, 32}, {45, 2}},        // top, right: mirrored
    {"Orientation3", 3, {48, 32}, {45, 29}},       // bottom, right: upside down
    {"Orientation4", 4, {48, 32}, {2, 29}},        // bottom, left: flipped
    {"Orientation5", 5, {32, 48}, {2, 2}},         // left, top: transposed
    {"Orientation6", 6, {32, 48}, {29, 2}},        // right, top: a phone's portrait photo, turned right
    {"Orientation7", 7, {32, 48}, {29, 45}},       // right, bottom
    {"Orientation8", 8, {32, 48}, {2, 45}},        // left, bottom: turned left
    {"AbsurdOrientation0", 0, {48, 32}, {2, 2}},   // no such value: as stored
    {"AbsurdOrientation9", 9, {48, 32}, {2, 2}},
    {"DirectoryPastTheBlock", 6, {48, 32}, {2, 2}, true},   // broken: as stored
};

class PictureOrientation : public ::testing::TestWithParam<Tagged> {};

TEST_P(PictureOrientation, APhotoLoadsUprightByItsOrientationTagAndABrokenTagLoadsItAsStored)
{
    const Tagged& t = GetParam();
    QTemporaryFile file(QDir::tempPath() + "/XXXXXX.jpg");
    ASSERT_TRUE(file.open() && file.write(taggedJpeg(t.orientation, t.brokenDirectory)) > 0 && file.flush());
    const auto loaded = loadPicture(file.fileName());
    ASSERT_TRUE(loaded) << qPrintable(loaded.reason());
    EXPECT_EQ((*loaded)->image().size(), t.upright);
    const QColor c = (*loaded)->image().pixelColor(t.red);
    EXPECT_TRUE(c.red() > 200 && c.green() < 60 && c.blue() < 60) << c.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tags, PictureOrientation, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}   // namespace
