// SPDX-License-Identifier: MIT
// Decoding a plain JPEG photo straight into shared memory with libjpeg-turbo, without Qt.
#pragma once

#include "platform/decoder/decoder_protocol.h"

#include <functional>

namespace zp::decoder {

// Decodes the JPEG open as `file` (read with pread, so its offset stays at the start) into
// `memfd`, sized here to the pixels in Qt's RGB32 layout, rows of 4 x width bytes; the same
// pixels as Qt's JPEG reader gives. It takes only what it can show as Qt shows it: one scan of
// grey, YCbCr or RGB, without a colour profile or an orientation tag that turns, decoded without a
// warning. Anything else is Declined, for the decoder of every format. A side above MaxPictureSide
// or more than MaxPictureBytes is Refused. `sizeKnown` hears the size once the header is checked.
Reply decodeJpeg(int file, int memfd, const std::function<void(int width, int height)>& sizeKnown);

}   // namespace zp::decoder
