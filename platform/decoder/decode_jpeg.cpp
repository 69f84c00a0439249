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
#include <jerror.h>
#include <jpeglib.h>
#include <optional>
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

// Reads every row of the started decode into `memfd`, sized here, a block of rows at a time
// through `writer` (made here); false on a warning, or if the memfd takes no more. Written
// through a mapping instead, each fresh page cost its first write about 5 us in the virtual
// machines measured (192 MiB: 275 ms, against 45 ms by pwrite), more than the decode itself.
bool readRows(j_decompress_ptr info, int memfd, std::optional<RowWriter>& writer, const Errors& errors)
{
    constexpr JDIMENSION BlockRows = 16;
    const std::size_t line = 4 * std::size_t(info->output_width);
    if (::ftruncate(memfd, off_t(line * info->output_height)) != 0)
        return false;
    writer.emplace(memfd, line * BlockRows);
    JSAMPROW rows[BlockRows];
    while (info->output_scanline < info->output_height && errors.warnings == 0) {
        JSAMPLE* const block = writer->block();
        for (JDIMENSION i = 0; i < BlockRows; ++i)
            rows[i] = block + i * line;
        const JDIMENSION first = info->output_scanline;
        JDIMENSION count = 0;
        while (count < BlockRows && info->output_scanline < info->output_height)
            count += jpeg_read_scanlines(info, rows + count, BlockRows - count);
        writer->write(off_t(first * line), count * line);
    }
    return writer->finish() && errors.warnings == 0;
}

Reply declined()
{
    Reply reply;
    reply.kind = ReplyKind::Declined;
    return reply;
}

Reply picture(int width, int height)
{
    Reply reply;
    reply.kind = ReplyKind::Picture;
    reply.width = width;
    reply.height = height;
    reply.bytesPerLine = 4 * width;
    reply.format = FormatRgb32;
    return reply;
}

// The decode itself, between libjpeg's jumps: nothing here has a destructor to skip.
Reply decodeWith(j_decompress_ptr info, Errors& errors, int memfd, std::optional<RowWriter>& writer,
                 const std::function<void(int, int)>& sizeKnown)
{
    jpeg_save_markers(info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK || errors.warnings > 0 || !plain(info))
        return declined();
    const int width = int(info->image_width), height = int(info->image_height);
    if (!withinBounds(width, height))
        return refusal("picture too large");
    sizeKnown(width, height);
    info->out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(info);
    if (int(info->output_width) != width || int(info->output_height) != height ||
        info->output_components != 4)
        return declined();
    if (!readRows(info, memfd, writer, errors))
        return errors.warnings > 0 ? declined() : refusal("no memory for the pixels");
    return picture(width, height);
}
}   // namespace

Reply decodeJpeg(int file, int memfd, const std::function<void(int width, int height)>& sizeKnown)
{
    static Source source;   // its chunk is too big for the stack of a function that may jump
    source = {};
    source.manager = {nullptr, 0, nothing, fill, skip, jpeg_resync_to_restart, nothing};
    source.fd = file;
    static Errors errors;
    errors.warnings = 0;
    std::optional<RowWriter> writer;   // made, and joined, outside the frames libjpeg may jump from
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = quit;
    errors.manager.emit_message = note;
    errors.manager.output_message = silent;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return declined();   // what libjpeg cannot read, Qt's reader decides on
    }
    jpeg_create_decompress(&info);
    info.src = &source.manager;
    const Reply reply = decodeWith(&info, errors, memfd, writer, sizeKnown);
    jpeg_destroy_decompress(&info);
    return reply;
}

}   // namespace zp::decoder
