// SPDX-License-Identifier: MIT
// JPEG XL pictures read through libjxl.
#include "platform/qt/formats/jxl_handler.h"

#include "platform/qt/formats/bounded_input.h"

#include <QImage>
#include <QVariant>

namespace zp {

namespace {
// libjxl counts the processors by reading /sys, which the decoder's system call filter forbids once
// it is on; counted here, as the program starts, the number is at hand later.
const size_t Workers = JxlThreadParallelRunnerDefaultNumWorkerThreads();

// An encoded colour space as Qt's: its chromaticities and transfer curve. BT.709's curve is shown
// as sRGB, as picture viewers do; PQ and HLG, which Qt cannot convert, are too.
QColorSpace colourSpaceOf(const JxlColorEncoding& e)
{
    auto curve = QColorSpace::TransferFunction::SRgb;
    float gamma = 0;
    if (e.transfer_function == JXL_TRANSFER_FUNCTION_LINEAR)
        curve = QColorSpace::TransferFunction::Linear;
    else if (e.transfer_function == JXL_TRANSFER_FUNCTION_GAMMA && e.gamma > 0)
        curve = QColorSpace::TransferFunction::Gamma, gamma = float(1 / e.gamma);   // stored as 1/gamma
    else if (e.transfer_function == JXL_TRANSFER_FUNCTION_DCI)
        curve = QColorSpace::TransferFunction::Gamma, gamma = 2.6F;
    if (e.color_space != JXL_COLOR_SPACE_RGB)   // grey: its curve alone would need Qt 6.8
        return {};
    if (e.primaries == JXL_PRIMARIES_SRGB && e.white_point == JXL_WHITE_POINT_D65)
        return QColorSpace(QColorSpace::Primaries::SRgb, curve, gamma);
    const auto xy = [](const double(&p)[2]) { return QPointF(p[0], p[1]); };
    return QColorSpace(xy(e.white_point_xy), xy(e.primaries_red_xy), xy(e.primaries_green_xy),
                       xy(e.primaries_blue_xy), curve, gamma);
}

// The colour space of the pixels the decoder gives: as encoded when the file names one, else
// from the ICC profile; none (taken as sRGB) when neither is usable.
QColorSpace colourSpaceOf(const JxlDecoder* decoder)
{
    JxlColorEncoding encoding{};
    if (JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) ==
        JXL_DEC_SUCCESS)
        return colourSpaceOf(encoding);
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) !=
        JXL_DEC_SUCCESS)
        return {};
    QByteArray icc(qsizetype(size), '\0');
    if (JxlDecoderGetColorAsICCProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                       reinterpret_cast<uint8_t*>(icc.data()), size) != JXL_DEC_SUCCESS)
        return {};
    return QColorSpace::fromIccProfile(icc);
}

}   // namespace

bool JxlHandler::canRead(QIODevice* device)
{
    const QByteArray head = device ? device->peek(12) : QByteArray();
    const JxlSignature signature =
        JxlSignatureCheck(reinterpret_cast<const uint8_t*>(head.constData()), size_t(head.size()));
    return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

bool JxlHandler::canRead() const
{
    // Once read, the device stands at its end: the verdict is what it held.
    if (parsed_ ? !(headed_) : !canRead(device()))
        return false;
    setFormat("jxl");
    return true;
}

bool JxlHandler::parse()
{
    if (std::exchange(parsed_, true))
        return headed_;
    auto bytes = device() ? readWhole(*device()) : std::nullopt;
    if (!bytes)
        return false;
    bytes_ = std::move(*bytes);
    runner_ = JxlThreadParallelRunnerMake(nullptr, Workers);
    decoder_ = JxlDecoderMake(nullptr);
    if (!runner_ || !decoder_ ||
        JxlDecoderSetParallelRunner(decoder_.get(), JxlThreadParallelRunner, runner_.get()) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSubscribeEvents(decoder_.get(),
                                  JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder_.get(), reinterpret_cast<const uint8_t*>(bytes_.constData()),
                           size_t(bytes_.size())) != JXL_DEC_SUCCESS)
        return false;
    JxlDecoderCloseInput(decoder_.get());   // all of the file is there: missing data is an error
    for (;;) {
        switch (JxlDecoderProcessInput(decoder_.get())) {
        case JXL_DEC_BASIC_INFO:
            if (JxlDecoderGetBasicInfo(decoder_.get(), &info_) != JXL_DEC_SUCCESS)
                return false;
            break;
        case JXL_DEC_COLOR_ENCODING: colourSpace_ = colourSpaceOf(decoder_.get()); return headed_ = true;
        default: return false;
        }
    }
}

QSize JxlHandler::uprightSize() const
{
    const QSize stored(int(std::min<uint32_t>(info_.xsize, INT_MAX)),
                       int(std::min<uint32_t>(info_.ysize, INT_MAX)));
    return info_.orientation >= JXL_ORIENT_TRANSPOSE ? stored.transposed() : stored;
}

QVariant JxlHandler::option(ImageOption option) const
{
    auto* self = const_cast<JxlHandler*>(this);   // Qt asks for options through a const handler
    if (option != Size || !self->parse())
        return {};
    return uprightSize();
}

bool JxlHandler::supportsOption(ImageOption option) const { return option == Size; }

bool JxlHandler::read(QImage* image)
{
    if (!parse() || !isDecodableSize(uprightSize()))
        return false;
    const bool alpha = info_.alpha_bits > 0;
    // Four bytes a pixel also without alpha: the loader turns them into its 32-bit format in place.
    QImage pixels(uprightSize(),
                  !alpha                          ? QImage::Format_RGBX8888
                      : info_.alpha_premultiplied ? QImage::Format_RGBA8888_Premultiplied
                                                  : QImage::Format_RGBA8888);
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    size_t needed = 0;
    for (;;) {
        switch (JxlDecoderProcessInput(decoder_.get())) {
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            if (pixels.isNull() ||
                JxlDecoderImageOutBufferSize(decoder_.get(), &format, &needed) != JXL_DEC_SUCCESS ||
                needed != size_t(pixels.sizeInBytes()) ||
                JxlDecoderSetImageOutBuffer(decoder_.get(), &format, pixels.bits(), needed) !=
                    JXL_DEC_SUCCESS)
                return false;
            break;
        case JXL_DEC_FULL_IMAGE:   // the first frame, as shown: later frames of an animation stay unread
            pixels.setColorSpace(colourSpace_);
            *image = std::move(pixels);
            return true;
        default: return false;
        }
    }
}

}   // namespace zp
