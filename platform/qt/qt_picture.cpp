// SPDX-License-Identifier: MIT
// The picture loader: a file opened here, decoded by the decoder process, its pixels mapped.
#include "platform/qt/qt_picture.h"

#include "platform/file_io.h"
#include "platform/qt/decoder_process.h"

#include <QFileInfo>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace zp {

namespace {
QString& chosenProgram()
{
    static QString program;
    return program;
}

QString decoderProgram()
{
    if (!chosenProgram().isEmpty())
        return chosenProgram();
    // The program's own folder, known also before the application object is made.
    const QString dir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath(),
                  name = QStringLiteral("/zornik-puzzle-decoder");
    for (const QString& program : {dir + name, dir + QStringLiteral("/../libexec/zornik-puzzle") + name})
        if (QFileInfo(program).isExecutable())
            return program;
    return {};
}

std::unique_ptr<DecoderProcess>& spare()
{
    static std::unique_ptr<DecoderProcess> waiting;
    return waiting;
}

Result<std::unique_ptr<DecoderProcess>> takeDecoder()
{
    if (spare())
        return std::move(spare());
    const QString program = decoderProgram();
    if (program.isEmpty())
        return Refusal{QStringLiteral("the picture decoder is missing")};
    return DecoderProcess::start(program);
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
    // Every page mapped in one call: cutting the tiles reads them all.
    void* const address =
        ::mmap(nullptr, std::size_t(bytes), PROT_READ, MAP_SHARED | MAP_POPULATE, pixels.memfd, 0);
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

void useDecoderProgram(const QString& program)
{
    chosenProgram() = program;
    spare().reset();
}

void startPictureDecoder()
{
    if (spare())
        return;
    if (auto started = takeDecoder())
        spare() = std::move(*started);
}

Result<std::shared_ptr<const QtPicture>> loadPicture(const QString& path)
{
    const auto opened = openRegularFile(path);
    if (!opened)
        return opened.refusal();
    auto decoder = takeDecoder();
    if (!decoder)
        return decoder.refusal();
    const auto decoded = (*decoder)->decode((*opened)->handle(), QFileInfo(path).fileName());
    decoder->reset();
    startPictureDecoder();
    if (!decoded)
        return decoded.refusal();
    auto image = mapPixels(*decoded);
    ::close(decoded->memfd);
    if (!image)
        return image.refusal();
    return std::make_shared<const QtPicture>(std::move(*image));
}

}   // namespace zp
