// SPDX-License-Identifier: MIT
// What the game and its picture decoder, a process of its own, say to each other, and the limits
// that both sides derive from a picture's claimed size.
#pragma once

#include <cstdint>
#include <sys/socket.h>

namespace zp::decoder {

// The decoder gets its end of a SOCK_SEQPACKET socket pair as this descriptor.
inline constexpr int SocketFd = 3;
inline constexpr std::uint32_t Magic = 0x5a50444bu;   // "ZPDK"

// Game to decoder, once, with two descriptors (SCM_RIGHTS): the opened picture file, then an
// empty memfd that the decoder sizes and fills with the pixels.
struct Request {
    std::uint32_t magic = Magic;
    char name[256] = {};   // the file's name (no folder), the reader's format hint; NUL-terminated
};

// A Request with room for its two descriptors, laid out for sendmsg and recvmsg alike. It points
// into itself: made in place, never copied.
struct RequestMessage {
    Request request;
    alignas(cmsghdr) char control[CMSG_SPACE(2 * sizeof(int))] = {};
    iovec data{&request, sizeof request};
    msghdr message{nullptr, 0, &data, 1, control, sizeof control, 0};
    RequestMessage() = default;
    RequestMessage(const RequestMessage&) = delete;
    RequestMessage& operator=(const RequestMessage&) = delete;
};

// QImage's numbers for the two pixel formats a reply may give (the JPEG decoder has no Qt).
inline constexpr std::int32_t FormatRgb32 = 4, FormatArgb32Premultiplied = 6;

enum class ReplyKind : std::uint32_t {
    Size = 1,       // the header is read and within bounds: width x height, upright, copies
    Picture = 2,    // the pixels are in the memfd: width, height, bytesPerLine, format
    Refused = 3,    // no picture: reason
    Declined = 4,   // the JPEG decoder does not take this file: the decoder of every format is asked
};

// Decoder to game, one packet each: a Size, then a Picture or a Refused; or a Refused or a
// Declined alone.
struct Reply {
    std::uint32_t magic = Magic;
    ReplyKind kind = ReplyKind::Refused;
    std::int32_t width = 0, height = 0, bytesPerLine = 0;
    std::int32_t format = 0;   // QImage::Format: FormatRgb32 or FormatArgb32Premultiplied
    std::int32_t copies = 0;   // Size: the pixels' further copies the decoder needs (decodeMemory)
    char reason[240] = {};     // NUL-terminated UTF-8
};

// Processor seconds to read a picture's header: the whole file is not read yet.
inline constexpr double HeaderSeconds = 2.0;
// Processor seconds to decode a picture of `pixels`, upright or not: a fixed part for starting
// and small pictures, and a part per megapixel well above the slowest honest decode measured
// (see docs/picture-decoding.md), so that no picture within the bounds is refused for time,
// while a bomb claiming a size stops soon after what that size honestly takes.
inline constexpr double DecodeSeconds = 2.0;
inline constexpr double SecondsPerMegapixel = 0.06;
constexpr double decodeSeconds(long long pixels)
{
    return DecodeSeconds + SecondsPerMegapixel * pixels / 1e6;
}
// Processor time is what a decode takes; on a busy machine it gets less of it each second. The
// time on the clock it may take is this many times its processor seconds, which also ends a
// decoder that waits without working (a file on a network that does not answer).
inline constexpr double ClockPerProcessorSecond = 4.0;

// Further copies of the pixels a decode may need: one for a quarter turn by the orientation tag;
// two for HEIF, AVIF and JPEG XL, whose libraries decode into pixels of their own before Qt's.
inline constexpr int TurnCopies = 1, LibraryCopies = 2, MaxCopies = TurnCopies + LibraryCopies;

// Memory the decoder may take beyond what it holds when it starts, for a picture of `bytes`
// (4 a pixel): the pixels; `copies` further copies (0 to MaxCopies); and the decoder's own
// buffers (a progressive JPEG keeps all its coefficients, 3/4 of the pixels' bytes for the usual
// 4:2:0 colour, twice that for CMYK; HEIF keeps its 4:2:0 frames) with some room.
constexpr long long decodeMemory(long long bytes, int copies)
{
    return (1 + copies) * bytes + bytes * 3 / 4 + (64LL << 20);
}

}   // namespace zp::decoder
