// SPDX-License-Identifier: MIT
// The picture decoder, a process of its own: each way it fails ends in a refusal with its reason, and the
// window lives on while it decodes (the tests' copy misbehaves when the picture's name asks).
#include "platform/qt/qt_picture.h"
#include "tests/ui/window_test.h"

using namespace zp;
using namespace zp::test;

namespace {

// What the decoder is made to do, what the refusal's reason says, and the picture: a baseline JPEG
// goes to the JPEG decoder, a progressive one to the decoder of every format.
using Fault = std::tuple<const char*, const char*, const char*>;
const Fault Faults[] = {
    {"crash", "crashed", "progressive.jpg"},                           // ends on a signal
    {"memory", "memory", "progressive.jpg"},                           // takes memory past its limit
    {"loop", "too long", "progressive.jpg"},                           // spins past the time its size allows
    {"open", "a system call its filter forbids", "progressive.jpg"},   // opens a file
    {"crash", "crashed", "tagged1.jpg"},
    {"memory", "memory", "tagged1.jpg"},
    {"loop", "too long", "tagged1.jpg"},
    {"open", "a system call its filter forbids", "tagged1.jpg"},
};

class DecoderFault : public WindowIn<::testing::TestWithParam<Fault>> {};

TEST_P(DecoderFault, ADecoderThatFailsGivesARefusalWithItsReason)
{
    const auto [fault, reason, source] = GetParam();
    const QString path = dir.filePath(QString("zp-fault-%1.jpg").arg(fault));
    ASSERT_TRUE(QFile::copy(HostileDir + '/' + source, path));
    const auto loaded = loadPicture(path);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(loaded.reason().contains(reason)) << qPrintable(loaded.reason());
    EXPECT_TRUE(loadPicture(HostileDir + "/progressive.jpg"));   // the next decoder is sound
}

INSTANTIATE_TEST_SUITE_P(Faults, DecoderFault, ::testing::ValuesIn(Faults), [](const auto& info) {
    return std::string(std::get<0>(info.param)) + (info.index < 4 ? "_any_format" : "_jpeg_decoder");
});

// A game of a 480 x 360 picture, and a 320 x 240 picture that takes its decoder a second.
struct SlowDecode : WindowIn<> {
    QString slow;
    void SetUp() override
    {
        start();
        form.show();
        slow = picture("zp-fault-slow.bmp", 320, 240);
        dialog.answers = {slow};
    }
    QSize pictureSize() { return {form.PictureClip1().width(), form.PictureClip1().height()}; }
};

// Meanwhile the window's events go on; a tile press is ignored and a command waits, as during a slide.
TEST_F(SlowDecode, WhileAPictureDecodesTheWindowTakesInputAsDuringASlide)
{
    bool answered = false;
    Moves pressed{99};
    QTimer::singleShot(300, &form, [&] {
        answered = true;
        form.Image1_MouseDown(15);   // beside the empty slot
        form.button(6)->click();     // About
        pressed = moves();
        EXPECT_TRUE(platform.messages.empty());
    });
    form.game().runCommand([this] { form.Command5_Click(); });
    EXPECT_TRUE(answered && pressed.empty());
    EXPECT_EQ(pictureSize(), QSize(320, 240));
    ASSERT_EQ(platform.messages.size(), 1u);   // About, once the picture was in
    EXPECT_EQ(platform.messages[0].style, MsgStyle::Information);
}

TEST_F(SlowDecode, ClosingTheWindowWhileAPictureDecodesEndsItWithoutAMessage)
{
    QTimer::singleShot(300, &form, [this] { form.close(); });
    form.Command5_Click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(pictureSize(), QSize(480, 360));
    // Closing ended the program's loop, and every later loop would return at once until one runs again.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

}   // namespace
