// SPDX-License-Identifier: MIT
// A plain JPEG photo decoded straight into shared memory. Qt's JPEG reader decodes to 3-byte RGB and
// widens each row to RGB32 in a second pass: for an 8000 x 6000 photo that pass took a third of the
// decoder's processor time (perf), and the reader needs Qt GUI, whose loading took 40 ms of the
// decoder's start. libjpeg-turbo writes RGB32 (its BGRX, with X set to 0xFF) itself.
#include "platform/decoder/decode_jpeg.h"

#include "platform/decoder/channel.h"
#include "platform/decoder/row_writer.h"
#include "platform/exif_tag.h"
#include "platform/qt/picture_bounds.h"

#include <csetjmp>
#include <cstdio>   // jpeglib.h needs FILE
#include <cstring>
#include <exception>
#include <jerror.h>
#include <jpeglib.h>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace zp::decoder {

namespace {
constexpr std::size_t ChunkBytes = 64 * 1024;

// libjpeg's input from the file, by pread from an offset of its own.
struct Source {
    jpeg_source_mgr manager;   // first: libjpeg's pointer to it is cast back to the Source
    int fd;
    off_t at;
    JOCTET chunk[ChunkBytes];
};

boolean fill(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<Source*>(info->src);
    ssize_t n = ::pread(source->fd, source->chunk, ChunkBytes, source->at);
    if (n <= 0) {   // as libjpeg's own file input does: a warning, then an end of image
        WARNMS(info, JWRN_JPEG_EOF);
        source->chunk[0] = 0xFF;
        source->chunk[1] = JPEG_EOI;
        n = 2;
    } else {
        source->at += n;
    }
    source->manager.next_input_byte = source->chunk;
    source->manager.bytes_in_buffer = std::size_t(n);
    return TRUE;
}

void skip(j_decompress_ptr info, long count)
{
    jpeg_source_mgr& m = *info->src;
    if (count <= 0)
        return;
    if (std::size_t(count) <= m.bytes_in_buffer) {
        m.next_input_byte += count;
        m.bytes_in_buffer -= std::size_t(count);
        return;
    }
    reinterpret_cast<Source*>(info->src)->at += off_t(std::size_t(count) - m.bytes_in_buffer);
    m.bytes_in_buffer = 0;
}

void nothing(j_decompress_ptr) {}

// Errors end the decode by a jump; warnings (damaged data) are counted.
struct Errors {
    jpeg_error_mgr manager;   // first, as with Source
    std::jmp_buf jump;
    int warnings = 0;
};

void quit(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1); }

void note(j_common_ptr info, int level)
{
    if (level < 0)
        ++reinterpret_cast<Errors*>(info->err)->warnings;
}

void silent(j_common_ptr) {}

bool startsWith(const jpeg_saved_marker_ptr marker, const char* text, std::size_t length)
{
    return marker->data_length >= length && std::memcmp(marker->data, text, length) == 0;
}

// Whether Qt would show the picture otherwise than as its plain pixels: a colour profile (turned
// into sRGB) or an orientation tag (turned upright), in the first EXIF block as Qt reads it.
bool hasColoursOrTurn(j_decompress_ptr info)
{
    bool exifSeen = false;
    for (jpeg_saved_marker_ptr m = info->marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 2 && startsWith(m, "ICC_PROFILE", 12))
            return true;
        if (m->marker == JPEG_APP0 + 1 && !exifSeen && startsWith(m, "Exif\0", 6)) {
            exifSeen = true;
            if (exifBlockOrientation(m->data, m->data_length) > 1)
                return true;
        }
    }
    return false;
}

bool plain(j_decompress_ptr info)
{
    const J_COLOR_SPACE c = info->jpeg_color_space;
    return !jpeg_has_multiple_scans(info) && (c == JCS_GRAYSCALE || c == JCS_YCbCr || c == JCS_RGB) &&
        !hasColoursOrTurn(info);
}

// JPEG's sides are 16 bits, so they fit an int.
bool withinBounds(int width, int height)
{
    return isCuttableSide(width) && isCuttableSide(height) && 4LL * width * height <= MaxPictureBytes;
}

Reply replyOf(ReplyKind kind)
{
    Reply reply;
    reply.kind = kind;
    return reply;
}

Reply declined() { return replyOf(ReplyKind::Declined); }

Reply picture(int width, int height)
{
    Reply reply = replyOf(ReplyKind::Picture);
    reply.width = width;
    reply.height = height;
    reply.bytesPerLine = 4 * width;
    reply.format = FormatRgb32;
    return reply;
}

// One libjpeg decompressor reading the file, with its input and its errors. Made on the heap (the
// input's chunk is large) before the setjmp of the function that uses it, and destroyed after it.
struct Decompressor {
    Source source{};
    Errors errors{};
    jpeg_decompress_struct info{};
    bool created = false;

    explicit Decompressor(int file)
    {
        source.manager = {nullptr, 0, nothing, fill, skip, jpeg_resync_to_restart, nothing};
        source.fd = file;
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = quit;
        errors.manager.emit_message = note;
        errors.manager.output_message = silent;
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    // Between the caller's setjmp and the first read.
    void create()
    {
        jpeg_create_decompress(&info);
        created = true;
        info.src = &source.manager;
    }
};

// What the header says: a verdict other than Size (Declined, Refused), or the size and the height
// of a row of blocks (libjpeg skips whole rows of blocks quickest).
struct Header {
    Reply verdict;
    int width = 0, height = 0, blockRows = 0;
};

Header readHeader(int file)
{
    const auto d = std::make_unique<Decompressor>(file);
    if (setjmp(d->errors.jump))
        return {declined()};   // what libjpeg cannot read, Qt's reader decides on
    d->create();
    jpeg_save_markers(&d->info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&d->info, JPEG_APP0 + 2, 0xFFFF);
    if (jpeg_read_header(&d->info, TRUE) != JPEG_HEADER_OK || d->errors.warnings > 0 || !plain(&d->info))
        return {declined()};
    const int width = int(d->info.image_width), height = int(d->info.image_height);
    if (!withinBounds(width, height))
        return {refusal("picture too large")};
    return {replyOf(ReplyKind::Size), width, height, d->info.max_v_samp_factor * DCTSIZE};
}

// Rows `first` to `last` (not included) decoded into `memfd`, a block of rows at a time through a
// writer of their own, by a decompressor of their own that skips the rows above; false on an
// error or a warning, or if the memfd takes no more. Written through a mapping instead, each fresh
// page cost its first write about 5 us in the virtual machines measured (192 MiB: 275 ms,
// against 45 ms by pwrite), more than the decode itself.
bool decodeRows(int file, int memfd, JDIMENSION first, JDIMENSION last)
{
    constexpr JDIMENSION BlockRows = 16;
    const auto d = std::make_unique<Decompressor>(file);
    std::optional<RowWriter> writer;
    if (setjmp(d->errors.jump))
        return false;
    d->create();
    jpeg_read_header(&d->info, TRUE);
    d->info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&d->info);
    const std::size_t line = 4 * std::size_t(d->info.output_width);
    if (d->info.output_components != 4 || last > d->info.output_height)
        return false;
    if (first > 0)
        jpeg_skip_scanlines(&d->info, first);
    writer.emplace(memfd, line * BlockRows);
    JSAMPROW rows[BlockRows];
    while (d->info.output_scanline < last && d->errors.warnings == 0) {
        JSAMPLE* const block = writer->block();
        for (JDIMENSION i = 0; i < BlockRows; ++i)
            rows[i] = block + i * line;
        const JDIMENSION at = d->info.output_scanline;
        JDIMENSION count = 0;
        while (count < BlockRows && d->info.output_scanline < last)
            count += jpeg_read_scanlines(&d->info, rows + count, std::min(BlockRows, last - at) - count);
        writer->write(off_t(at * line), count * line);
    }
    return writer->finish() && d->errors.warnings == 0;
}

// The row where a second thread takes over a big picture: the first thread decodes the rows above
// it, the second skips them (reading their data without making pixels, a third of the work) and
// decodes the rest, so both end at about the same time. At the picture's height: no second thread.
JDIMENSION splitRow(const Header& h)
{
    constexpr long long SplitPixels = 1 << 20;
    constexpr double FirstShare = 0.58;
    if (1LL * h.width * h.height < SplitPixels)
        return JDIMENSION(h.height);
    return JDIMENSION(int(h.height * FirstShare) / h.blockRows * h.blockRows);
}
}   // namespace

Reply decodeJpeg(int file, int memfd, const std::function<void(int width, int height)>& sizeKnown)
{
    const Header h = readHeader(file);
    if (h.verdict.kind != ReplyKind::Size)
        return h.verdict;
    sizeKnown(h.width, h.height);
    if (::ftruncate(memfd, 4 * off_t(h.width) * h.height) != 0)
        return refusal("no memory for the pixels");
    // Out of memory or of threads, a part fails as libjpeg's own errors make it fail (and an
    // exception on the second thread must not end the process).
    const auto decodePart = [&](JDIMENSION first, JDIMENSION last) {
        try {
            return decodeRows(file, memfd, first, last);
        } catch (const std::exception&) {
            return false;
        }
    };
    const JDIMENSION split = splitRow(h);
    bool lower = true;
    std::thread second;
    if (split < JDIMENSION(h.height)) {
        const auto decodeLower = [&] { lower = decodePart(split, JDIMENSION(h.height)); };
        try {
            second = std::thread(decodeLower);
        } catch (const std::system_error&) {
            decodeLower();   // no thread to be had: one after the other
        }
    }
    const bool upper = decodePart(0, split);
    if (second.joinable())
        second.join();
    return upper && lower ? picture(h.width, h.height) : declined();
}

}   // namespace zp::decoder
