// SPDX-License-Identifier: MIT
// HEIF pictures read through libheif.
#include "platform/qt/formats/heif_handler.h"

#include "platform/qt/formats/bounded_input.h"

#include <QColorSpace>
#include <QImage>
#include <QVariant>

#include <libheif/heif.h>

#include <cstring>

namespace zp {

namespace {

// libheif's colour primaries as a colour space: its chromaticities with the transfer curve. The
// curves of BT.709 and BT.601 video, which HEIF photos carry beside sRGB's, are shown as sRGB, as
// picture viewers do; PQ and HLG, which Qt cannot convert, are too.
QColorSpace colourSpaceOf(const heif_color_profile_nclx& nclx)
{
    auto curve = QColorSpace::TransferFunction::SRgb;
    float gamma = 0;
    switch (nclx.transfer_characteristics) {
    case heif_transfer_characteristic_linear: curve = QColorSpace::TransferFunction::Linear; break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
        curve = QColorSpace::TransferFunction::Gamma, gamma = 2.2F;
        break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
        curve = QColorSpace::TransferFunction::Gamma, gamma = 2.8F;
        break;
    default: break;
    }
    if (nclx.color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
        nclx.color_primaries == heif_color_primaries_unspecified)
        return QColorSpace(QColorSpace::Primaries::SRgb, curve, gamma);
    return QColorSpace({nclx.color_primary_white_x, nclx.color_primary_white_y},
                       {nclx.color_primary_red_x, nclx.color_primary_red_y},
                       {nclx.color_primary_green_x, nclx.color_primary_green_y},
                       {nclx.color_primary_blue_x, nclx.color_primary_blue_y}, curve, gamma);
}

// The colour space the file gives its primary image; none (taken as sRGB) without one.
QColorSpace colourSpaceOf(const heif_image_handle* handle)
{
    switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_nclx: {
        heif_color_profile_nclx* nclx = nullptr;
        if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok)
            return {};
        const QColorSpace space = colourSpaceOf(*nclx);
        heif_nclx_color_profile_free(nclx);
        return space;
    }
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
            return {};
        return QColorSpace::fromIccProfile(icc);
    }
    default: return {};
    }
}

// Turns libheif's RGBA bytes into Qt's 32-bit pixels (0xAARRGGBB) where they lie. Qt converts a
// buffer it does not own only into a new one, which for a phone's photo costs a second 48 MB.
void toArgb32(uint8_t* pixels, int w, int h, int stride, bool alpha)
{
    for (int y = 0; y < h; ++y) {
        uint8_t* row = pixels + qsizetype(y) * stride;
        for (int x = 0; x < w; ++x) {
            uint8_t* p = row + 4 * x;
            const QRgb argb = qRgba(p[0], p[1], p[2], alpha ? p[3] : 0xff);
            std::memcpy(p, &argb, 4);
        }
    }
}

// The decoded image's pixels as a QImage that owns the image: no copy of a photo's megabytes.
QImage wrap(heif_image* decoded, bool alpha, bool premultiplied)
{
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    const int w = heif_image_get_width(decoded, heif_channel_interleaved),
              h = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!pixels || w <= 0 || h <= 0) {
        heif_image_release(decoded);
        return {};
    }
    toArgb32(pixels, w, h, stride, alpha);
    const QImage::Format format = !alpha ? QImage::Format_RGB32
        : premultiplied                  ? QImage::Format_ARGB32_Premultiplied
                                         : QImage::Format_ARGB32;
    return QImage(
        pixels, w, h, stride, format,
        [](void* image) { heif_image_release(static_cast<heif_image*>(image)); }, decoded);
}

}   // namespace

HeifHandler::HeifHandler()
    : context_(nullptr, heif_context_free), primary_(nullptr, heif_image_handle_release)
{}

HeifHandler::~HeifHandler() = default;

bool HeifHandler::canRead(QIODevice* device)
{
    const QByteArray head = device ? device->peek(12) : QByteArray();
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.data()), int(head.size())) ==
        heif_filetype_yes_supported;
}

bool HeifHandler::canRead() const
{
    // Once read, the device stands at its end: the verdict is what it held.
    if (parsed_ ? !(primary_ != nullptr) : !canRead(device()))
        return false;
    setFormat("heif");
    return true;
}

bool HeifHandler::parse()
{
    if (std::exchange(parsed_, true))
        return primary_ != nullptr;
    auto bytes = device() ? readWhole(*device()) : std::nullopt;
    if (!bytes)
        return false;
    bytes_ = std::move(*bytes);
    context_.reset(heif_context_alloc());
    // libheif refuses, while it reads the boxes, an image (also a grid's tile, a thumbnail or an
    // alpha plane) with a side at or above this: the game cuts no side above MaxPictureSide.
    heif_context_set_maximum_image_size_limit(context_.get(), MaxPictureSide + 1);
    heif_image_handle* primary = nullptr;
    if (heif_context_read_from_memory_without_copy(context_.get(), bytes_.constData(), size_t(bytes_.size()),
                                                   nullptr)
                .code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context_.get(), &primary).code != heif_error_Ok)
        return false;
    primary_.reset(primary);
    return true;
}

QVariant HeifHandler::option(ImageOption option) const
{
    auto* self = const_cast<HeifHandler*>(this);   // Qt asks for options through a const handler
    if (option != Size || !self->parse())
        return {};
    return QSize(heif_image_handle_get_width(primary_.get()), heif_image_handle_get_height(primary_.get()));
}

bool HeifHandler::supportsOption(ImageOption option) const { return option == Size; }

bool HeifHandler::read(QImage* image)
{
    if (!parse() || !isDecodableSize(option(Size).toSize()))
        return false;
    const bool alpha = heif_image_handle_has_alpha_channel(primary_.get());
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options*)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    options->convert_hdr_to_8bit = 1;   // 10 and 12 bits a channel become 8, as the board draws them
    heif_image* decoded = nullptr;
    // Four bytes a pixel also without alpha: they become the loader's 32-bit format in place.
    if (heif_decode_image(primary_.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                          options.get())
            .code != heif_error_Ok)
        return false;
    QImage wrapped = wrap(decoded, alpha, heif_image_handle_is_premultiplied_alpha(primary_.get()));
    if (wrapped.isNull())
        return false;
    wrapped.setColorSpace(colourSpaceOf(primary_.get()));
    *image = std::move(wrapped);
    return true;
}

}   // namespace zp
