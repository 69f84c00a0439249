// SPDX-License-Identifier: MIT
// zornik-puzzle-decoder: decodes one picture for the game, in a process of its own under kernel
// limits and a system call filter, so that a hostile or broken file costs a refusal, never the
// game. The game starts it with one end of a socket pair as descriptor 3 (see decoder_protocol.h).
#include "platform/decoder/channel.h"
#include "platform/decoder/decode_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QThreadPool>

#include <malloc.h>

// Image plugins linked into the program, registered before the filter is installed.
#include "platform/qt/formats/import_photo_formats.h"

using namespace zp;
using namespace zp::decoder;

namespace {
// Loads every image plugin, and the libraries they use, while files can still be opened: each
// reader made for a format loads its plugin, which stays loaded.
void loadImagePlugins()
{
    // Some readers complain of the empty data; nothing here is worth a line in the game's output.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        QBuffer empty;
        QImageReader reader(&empty, format);
        reader.canRead();
    }
    QThreadPool::globalInstance();   // large conversions run on its threads
    qInstallMessageHandler(previous);
}

Reply decode(const Request& request, int fd, int memfd)
{
    QFile file(QFile::decodeName(request.name));   // the name gives the reader its format hint
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return refusal(file.errorString());
    return decodePicture(file, memfd, [&request](QSize size, int copies) {
        announceSize(request, size.width(), size.height(), copies);
    });
}
}   // namespace

int main(int argc, char* argv[])
{
    // One malloc arena for every thread: glibc reserves 64 MiB of address space for each further
    // arena, which the address-space limit counts, so the HEIF and JPEG XL decoders' threads
    // failed to allocate in a limit sized for the pixels.
    ::mallopt(M_ARENA_MAX, 1);
    QCoreApplication app(argc, argv);
    loadImagePlugins();
    serveOnePicture(MaxCopies, decode);
}
