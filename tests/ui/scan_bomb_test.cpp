// SPDX-License-Identifier: MIT
// JPEG data of more scans than any camera or editor writes, alone or in a TIFF, is refused before decoding.
#include "platform/qt/qt_picture.h"

#include <QBuffer>
#include <QDataStream>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A progressive 64 x 64 JPEG (grey: one component) whose last scan is repeated until it has `scans`,
// its frame claiming `sides` if given, with a comment that holds an end-of-image marker. The scans are
// counted by their markers: in the coded data a 0xFF byte is always followed by a 0 or a restart marker.
QByteArray progressiveJpeg(int scans, bool grey, QSize sides = {})
{
    QImage image(64, 64, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    QByteArray jpeg = buffer.data();
    const qsizetype last = jpeg.lastIndexOf("\xFF\xDA"), end = jpeg.size() - 2;   // before FF D9
    jpeg.insert(end, jpeg.mid(last, end - last).repeated(scans - jpeg.count("\xFF\xDA")));
    jpeg.insert(2, QByteArray("\xFF\xFE\x00\x0Azornik\xFF\xD9", 12));   // a comment that a decoder skips
    if (sides.isValid()) {   // height and width, big-endian, in the progressive frame header
        const qsizetype frame = jpeg.indexOf("\xFF\xC2") + 5;
        const char claim[] = {char(sides.height() >> 8), char(sides.height()), char(sides.width() >> 8),
                              char(sides.width())};
        jpeg.replace(frame, 4, claim, 4);
    }
    return jpeg;
}

// A grey TIFF of one strip, compressed as `jpeg`.
QByteArray tiffAround(const QByteArray& jpeg, QSize sides)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    QDataStream out(&tiff, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 w = sides.width(), h = sides.height(), strip = 8 + 2 + 9 * 12 + 4;
    const std::pair<quint16, quint32> entries[] = {{256, w}, {257, h}, {258, 8},
                                                   {259, 7}, {262, 1}, {273, strip},
                                                   {277, 1}, {278, h}, {279, quint32(jpeg.size())}};
    out << quint16(9);
    for (const auto& [tag, value] : entries)   // each a LONG: a SHORT's value would sit in the same bytes
        out << tag << quint16(4) << quint32(1) << value;
    out << quint32(0);
    return tiff + jpeg;
}

struct Bomb {
    const char* name;
    int scans;
    bool tiff;
    QSize claimed;   // empty: the JPEG's own 64 x 64
    bool loads;
};

// 500 scans are taken; a 501st, or scans that walk more than 32 times a picture of 64 megapixels
// (8192 x 8192), are refused before decoding, which would take seconds to minutes.
TEST(ScanBomb, JpegDataOfTooManyScansIsRefusedBeforeDecodingAlsoInsideATiff)
{
    const Bomb bombs[] = {
        {"500 scans", 500, false, {}, true},
        {"501 scans", 501, false, {}, false},
        {"33 passes over 64 megapixels", 33, false, {8192, 8192}, false},
        {"a TIFF strip of 33 passes over 64 megapixels", 33, true, {8192, 8192}, false},
    };
    QTemporaryDir dir;
    for (const Bomb& b : bombs) {
        SCOPED_TRACE(b.name);
        const QByteArray jpeg = progressiveJpeg(b.scans, b.tiff, b.claimed);
        QFile file(dir.filePath(b.tiff ? "bomb.tif" : "bomb.jpg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                    file.write(b.tiff ? tiffAround(jpeg, b.claimed) : jpeg) > 0);
        file.close();
        const zp::LoadedPicture loaded = zp::loadPicture(file.fileName());
        EXPECT_EQ(bool(loaded.picture), b.loads);
        EXPECT_EQ(loaded.reason.toStdString(), b.loads ? "" : "too many scans to decode");
    }
}

}   // namespace
