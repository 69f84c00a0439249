// SPDX-License-Identifier: MIT
// The JPEG decoder without Qt: it takes only the JPEGs it shows exactly as Qt's reader does, and
// gives every other one to the decoder of every format.
#include "platform/qt/decoder_process.h"
#include "platform/qt/qt_picture.h"
#include "tests/ui/window_test.h"

#include <QImageWriter>

using namespace zp;
using namespace zp::test;

namespace {

inline const QString PhotoDir = QFileInfo(__FILE__).absoluteDir().filePath("../data/photos");

// What the JPEG decoder alone replies to the picture at `path`.
decoder::ReplyKind jpegDecoderReply(const QString& path)
{
    auto decoder = DecoderProcess::start(ZP_TEST_JPEG_DECODER);
    QFile file(path);
    if (!decoder || !file.open(QIODevice::ReadOnly) ||
        !(*decoder)->begin(file.handle(), QFileInfo(path).fileName()))
        return decoder::ReplyKind::Refused;
    const auto decoded = (*decoder)->finish();
    if (decoded && decoded->memfd >= 0)
        ::close(decoded->memfd);
    return decoded ? decoded->reply.kind : decoder::ReplyKind::Refused;
}

struct Taken {
    const char* name;
    QString path;
    decoder::ReplyKind reply;
};

TEST(JpegDecoder, TakesOnlyJpegsQtShowsAsTheirPlainPixels)
{
    using enum decoder::ReplyKind;
    const Taken rows[] = {
        {"baseline", HostileDir + "/one.jpg", Picture},
        {"orientation tag 1", HostileDir + "/tagged1.jpg", Picture},
        {"orientation tag 0, turning nothing", HostileDir + "/tagged0.jpg", Picture},
        {"orientation tag 6", HostileDir + "/tagged6.jpg", Declined},
        {"orientation tag 3 in an EXIF block", HostileDir + "/orientation3.jpg", Declined},
        {"progressive", HostileDir + "/progressive.jpg", Declined},
        {"CMYK", HostileDir + "/cmyk.jpg", Declined},
        {"colour profile", PhotoDir + "/adobe.jpg", Declined},
        {"cut short", HostileDir + "/truncated.jpg", Declined},
        {"not a JPEG", HostileDir + "/one.bmp", Declined},
    };
    for (const Taken& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(jpegDecoderReply(row.path), row.reply);
    }
}

// Plain JPEGs of the usual kinds, written by Qt's writer into the test's folder.
struct PlainJpegs : WindowIn<> {
    QString written(const char* name, const QImage& image)
    {
        const QString path = dir.filePath(name);
        QImageWriter writer(path, "jpeg");
        writer.setQuality(90);
        EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
        return path;
    }
    // A picture of odd size with colour in every direction, so that every pixel's value counts.
    static QImage gradient(int w, int h, QImage::Format format)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * y) % 256));
        return image.convertToFormat(format);
    }
};

TEST_F(PlainJpegs, APlainJpegHasThePixelsOfQtsReader)
{
    const std::pair<const char*, QString> rows[] = {
        {"colour", written("colour.jpg", gradient(301, 203, QImage::Format_RGB32))},
        {"grey", written("grey.jpg", gradient(97, 61, QImage::Format_Grayscale8))},
        {"big, decoded by two threads", written("big.jpg", gradient(1531, 997, QImage::Format_RGB32))},
        {"orientation tag 1", HostileDir + "/tagged1.jpg"},
        {"one pixel", HostileDir + "/one.jpg"},
    };
    for (const auto& [name, path] : rows) {
        SCOPED_TRACE(name);
        ASSERT_EQ(jpegDecoderReply(path), decoder::ReplyKind::Picture);
        const auto loaded = loadPicture(path);
        ASSERT_TRUE(loaded) << qPrintable(loaded.reason());
        EXPECT_EQ((*loaded)->image(), QImage(path).convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(PlainJpegs, AJpegTheJpegDecoderDeclinesIsShownByTheOtherDecoder)
{
    const auto loaded = loadPicture(HostileDir + "/orientation6.jpg");
    ASSERT_TRUE(loaded) << qPrintable(loaded.reason());
    QImageReader reader(HostileDir + "/orientation6.jpg");
    reader.setAutoTransform(true);
    EXPECT_EQ((*loaded)->image(), reader.read().convertToFormat(QImage::Format_RGB32));
}

}   // namespace

namespace {

// The start-up picture is decoded while Qt starts; what the window then shows is the file as it is.
TEST_F(PlainJpegs, APictureDecodedAheadIsShownOnlyWhileItsFileIsUnchanged)
{
    const QImage before = gradient(64, 48, QImage::Format_RGB32),
                 after = gradient(80, 40, QImage::Format_RGB32);
    const std::pair<const char*, std::function<void(const QString&)>> rows[] = {
        {"unchanged", [](const QString&) {}},
        {"replaced",
         [&](const QString& path) { ::rename(qPrintable(written("new.jpg", after)), qPrintable(path)); }},
        {"rewritten in place", [&](const QString&) { written("ahead.jpg", after); }},
    };
    for (const auto& [name, change] : rows) {
        SCOPED_TRACE(name);
        const QString path = written("ahead.jpg", before);
        const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
        const auto ahead = decoder::decodeAhead(ZP_TEST_JPEG_DECODER,
                                                {QFile::encodeName(dir.filePath("missing.jpg")).toStdString(),
                                                 QFile::encodeName(path).toStdString()});
        ASSERT_TRUE(ahead);
        takeOverAhead(*ahead);
        change(path);
        const auto loaded = loadPicture(path);
        ASSERT_TRUE(loaded) << qPrintable(loaded.reason());
        EXPECT_EQ((*loaded)->image(),
                  std::string(name) == "unchanged" ? expected
                                                   : QImage(path).convertToFormat(QImage::Format_RGB32));
    }
}

}   // namespace
