// SPDX-License-Identifier: MIT
// The picture loader: a file opened here, decoded by the decoder process, its pixels mapped.
#include "platform/qt/qt_picture.h"

#include "platform/decoder/decode_ahead.h"
#include "platform/decoder/decoder_spawn.h"
#include "platform/file_io.h"
#include "platform/qt/decoder_process.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>

namespace zp {

namespace {
// The two decoder programs: one for plain JPEG photos, quick to start, and one for every format.
enum Kind { Jpeg, Any, Kinds };

struct Decoders {
    bool chosen = false;                             // by useDecoderPrograms
    QString programs[Kinds];                         // when chosen
    std::unique_ptr<DecoderProcess> spares[Kinds];   // started ahead of need
    struct stat aheadWas {};                         // a picture taken over (takeOverAhead), as it was,
    std::unique_ptr<DecoderProcess> aheadDecoder;    // and the decoder at work on it
};

Decoders& decoders()
{
    static Decoders all;
    return all;
}

QString decoderProgram(Kind kind)
{
    if (decoders().chosen)
        return decoders().programs[kind];
    return QFile::decodeName(QByteArray::fromStdString(
        decoder::shippedFile(kind == Jpeg ? "zornik-puzzle-jpeg-decoder" : "zornik-puzzle-decoder")));
}

Result<std::unique_ptr<DecoderProcess>> takeDecoder(Kind kind)
{
    if (decoders().spares[kind])
        return std::move(decoders().spares[kind]);
    const QString program = decoderProgram(kind);
    if (program.isEmpty())
        return Refusal{QStringLiteral("the picture decoder is missing")};
    return DecoderProcess::start(program);
}

// The file open as `fd` as the system describes it; all zero if it cannot.
struct stat described(int fd)
{
    struct stat st {};
    ::fstat(fd, &st);
    return st;
}

Result<DecodedPixels> decodeWith(Kind kind, int file, const QString& name)
{
    auto decoder = takeDecoder(kind);
    if (!decoder)
        return decoder.refusal();
    if (const Result<> begun = (*decoder)->begin(file, name); !begun)
        return begun.refusal();
    return (*decoder)->finish();
}

// The picture's pixels from the decoder that read it ahead, if it read this file; else from the
// JPEG decoder for what looks like a JPEG; and from the decoder of every format for the rest and
// for what the JPEG decoder declines.
Result<DecodedPixels> decodeFile(int file, const QString& name)
{
    Decoders& d = decoders();
    std::optional<Result<DecodedPixels>> decoded;
    if (d.aheadDecoder && decoder::sameFile(d.aheadWas, described(file)))
        decoded = d.aheadDecoder->finish();
    else if (decoder::looksLikeJpeg(file) && !decoderProgram(Jpeg).isEmpty())
        decoded = decodeWith(Jpeg, file, name);
    d.aheadDecoder.reset();
    d.aheadWas = {};
    if (!decoded || (*decoded && (*decoded)->reply.kind == decoder::ReplyKind::Declined))
        decoded = decodeWith(Any, file, name);
    return std::move(*decoded);
}

// The next decoders start once the window has shown the picture: started at once, their loading
// took processor time from the board's first paint (20 ms of the 80 to the start-up board).
void startDecodersAfterTheFrame()
{
    constexpr int FrameMs = 100;
    if (QCoreApplication::instance())
        QTimer::singleShot(FrameMs, QCoreApplication::instance(), &startPictureDecoders);
    else
        startPictureDecoders();
}

struct Mapped {
    void* address;
    std::size_t bytes;
};

// The pixels the decoder left in `pixels.memfd`, checked against what it said and the bounds,
// mapped read-only into an image that unmaps them when its last copy goes.
Result<QImage> mapPixels(const DecodedPixels& pixels)
{
    const decoder::Reply& r = pixels.reply;
    const auto format = QImage::Format(r.format);
    const long long bytes = 1LL * r.bytesPerLine * r.height;
    struct stat st {};
    if (!isCuttableSide(r.width) || !isCuttableSide(r.height) || r.bytesPerLine != 4LL * r.width ||
        bytes > MaxPictureBytes ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        ::fstat(pixels.memfd, &st) != 0 || st.st_size < bytes)
        return Refusal{QStringLiteral("the picture decoder's reply is malformed")};
    // Mapped page by page as the tiles are painted: the board shows little of a big photo at first.
    void* const address = ::mmap(nullptr, std::size_t(bytes), PROT_READ, MAP_SHARED, pixels.memfd, 0);
    if (address == MAP_FAILED)
        return Refusal{QStringLiteral("cannot map the picture's pixels")};
    const QImageCleanupFunction unmap = [](void* info) {
        const auto* mapped = static_cast<Mapped*>(info);
        ::munmap(mapped->address, mapped->bytes);
        delete mapped;
    };
    return QImage(static_cast<const uchar*>(address), r.width, r.height, r.bytesPerLine, format, unmap,
                  new Mapped{address, std::size_t(bytes)});
}
}   // namespace

void useDecoderPrograms(const QString& jpeg, const QString& any)
{
    Decoders& d = decoders();
    d = Decoders{};
    d.chosen = true;
    d.programs[Jpeg] = jpeg;
    d.programs[Any] = any;
}

void startPictureDecoders()
{
    for (const Kind kind : {Jpeg, Any})
        if (!decoders().spares[kind] && !decoderProgram(kind).isEmpty())
            if (auto started = takeDecoder(kind))
                decoders().spares[kind] = std::move(*started);
}

void takeOverAhead(const decoder::Ahead& ahead)
{
    decoders().aheadWas = ahead.file;
    decoders().aheadDecoder = std::make_unique<DecoderProcess>(ahead.pid, ahead.socket, ahead.memfd);
}

Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path)
{
    const auto opened = openRegularFile(path);
    if (!opened)
        return opened.refusal();
    const auto decoded = decodeFile((*opened)->handle(), QFileInfo(path).fileName());
    startDecodersAfterTheFrame();
    if (!decoded)
        return decoded.refusal();
    auto image = mapPixels(*decoded);
    ::close(decoded->memfd);
    if (!image)
        return image.refusal();
    return std::make_shared<const QtPicture>(std::move(*image));
}

}   // namespace zp
