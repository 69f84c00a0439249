// SPDX-License-Identifier: MIT
// Photos as players have them: HEIC, AVIF and JPEG XL pictures cut into a board that shows what the format's
// own decoder gives, a picture with a colour profile shown in sRGB, the new suffixes taken by a drop, and
// broken HEIC files refused with the message.
#include "tests/ui/window_test.h"

using namespace zp;
using namespace zp::test;

QString dragAndDrop(Form1& form, const QString& files);   // from the hostile files' test

namespace {

// The corpus made by tools/make_photo_corpus.py: each picture NAME beside NAME.png, the pixels it must
// show, computed by the format's reference decoder (heif-convert, djxl) and littlecms.
const QString PhotoDir = QFileInfo(__FILE__).absoluteDir().filePath("../data/photos");

// A rule, its picture and the most a channel may differ from the reference (rounding of the 10-bit
// samples; littlecms's and Qt's arithmetic).
using Photo = std::tuple<const char*, const char*, int>;
const Photo Photos[] = {
    {"HeicAsHeifConvertDecodesIt", "sample.heic", 0},
    {"AvifAsHeifConvertDecodesIt", "sample.avif", 0},
    {"TenBitAvifAtEightBits", "deep.avif", 1},
    {"JpegXlAsDjxlDecodesIt", "sample.jxl", 0},
    {"HeicTurnedByItsRotation", "rotated.heic", 0},
    {"AdobeRgbJpegInSrgb", "adobe.jpg", 2},
    {"ProPhotoPngInSrgb", "prophoto.png", 2},
    {"AdobeRgbHeicInSrgb", "adobe.heic", 2},
    {"PngTurnedByItsExifOrientation", "tagged6.png", 0},
    {"WebpTurnedByItsExifOrientation", "tagged6.webp", 0},
};

// The largest difference of a channel between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

class PhotoBoard : public WindowIn<::testing::TestWithParam<Photo>> {};

// Chosen through Other Image and cut 4 x 4, the picture's every tile, as the window paints it, shows its
// cell of the reference pixels.
TEST_P(PhotoBoard, TilesShowTheReferencePixels)
{
    const auto [rule, name, tolerance] = GetParam();
    const QImage expected = QImage(PhotoDir + '/' + name + ".png").convertToFormat(QImage::Format_RGB32);
    start();
    form.show();
    dialog.answers = {PhotoDir + '/' + name};
    form.Command5_Click();
    ASSERT_TRUE(platform.messages.empty() && !expected.isNull());
    QCoreApplication::processEvents();
    const QImage shown =
        form.grab().toImage().copy(form.Picture1()->board()).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), expected.size());
    const QSize cell(expected.width() / 4, expected.height() / 4);
    for (int n = 1; n < 16; ++n) {   // cell 0 is the empty slot
        const QRect r(QPoint(n % 4 * cell.width(), n / 4 * cell.height()), cell);
        EXPECT_LE(largestDifference(shown.copy(r), expected.copy(r)), tolerance) << "cell " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, PhotoBoard, ::testing::ValuesIn(Photos),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

using PhotoFile = WindowIn<>;

// A HEIC claiming 60000 x 60000 pixels (above libheif's limit), one claiming 20000 x 20000 (within it, but
// above the loader's), and one cut short: each gives the message alone and the game stays as it was.
TEST_F(PhotoFile, ABrokenOrOversizedHeicIsRefusedWithTheMessageLeavingTheGameAsItWas)
{
    start();
    ASSERT_TRUE(form.game().MoveTile(2));
    const GameSnapshot before = snapshotOf(form.game(), tiles());
    for (const char* name : {"huge_60000.heic", "huge_20000.heic", "truncated.heic"}) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        dialog.answers = {PhotoDir + '/' + name};
        form.Command5_Click();
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text == CannotFindText &&
                    platform.messages[0].style == MsgStyle::Critical);
        EXPECT_TRUE(snapshotOf(form.game(), tiles()) == before);
    }
}

// A 12-megapixel phone photo, whose library decodes it into pixels of its own first, still fits the
// decoder's memory limit: it is cut into a board of its size, without a message.
TEST_F(PhotoFile, APhoneSizedHeicOrAvifFitsTheDecodersLimits)
{
    start();
    for (const char* name : {"phone.heic", "phone.avif"}) {
        SCOPED_TRACE(name);
        dialog.answers = {PhotoDir + '/' + name};
        form.Command5_Click();
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(QSize(form.PictureClip1().width(), form.PictureClip1().height()), QSize(4000, 3000));
    }
}

// A dropped picture of each new suffix, whatever its letter case, is taken and played.
TEST_F(PhotoFile, APhotoOfEachNewSuffixIsTakenByADrop)
{
    start();
    for (const QString name : {"sample.heic", "sample.HEIF", "sample.avif", "sample.jxl", "sample.webp"}) {
        SCOPED_TRACE(qPrintable(name));
        const QString path = dir.filePath(name);
        ASSERT_TRUE(name.endsWith("webp")
                        ? QImage(PhotoDir + "/sample.jxl.png").save(path, "WEBP")
                        : QFile::copy(PhotoDir + '/' + name.toLower().replace("heif", "heic"), path));
        EXPECT_EQ(dragAndDrop(form, path), "+++");
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.game().board().PicturePath == path && platform.messages.empty());
    }
}

}   // namespace
