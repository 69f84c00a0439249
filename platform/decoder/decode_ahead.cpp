// SPDX-License-Identifier: MIT
// The start-up picture sent to a JPEG decoder before Qt is loaded.
#include "platform/decoder/decode_ahead.h"

#include "platform/decoder/decoder_spawn.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace zp::decoder {

namespace {
// `path` opened for reading if it is a regular file; -1 otherwise.
int openRegular(const std::string& path, struct stat& st)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)))
        return ::close(fd), -1;
    return fd;
}

std::optional<Ahead> sendTo(const std::string& program, int file, const struct stat& st,
                            const std::string& name)
{
    const Spawned decoder = spawnDecoder(program);
    if (decoder.pid < 0)
        return std::nullopt;
    const int memfd = ::memfd_create("zp-picture", MFD_CLOEXEC);
    if (memfd >= 0 && sendRequest(decoder.socket, file, memfd, name))
        return Ahead{decoder.pid, decoder.socket, memfd, st};
    if (memfd >= 0)
        ::close(memfd);
    ::close(decoder.socket);   // the decoder, left without its request, ends by itself
    return std::nullopt;
}
}   // namespace

std::optional<Ahead> decodeAhead(const std::string& program, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        struct stat st {};
        const int file = openRegular(path, st);
        if (file < 0)
            continue;
        std::optional<Ahead> ahead;
        if (!program.empty() && looksLikeJpeg(file))
            ahead = sendTo(program, file, st, path.substr(path.rfind('/') + 1));
        ::close(file);   // the decoder has its own
        return ahead;
    }
    return std::nullopt;
}

bool looksLikeJpeg(int fd)
{
    unsigned char start[3] = {};
    return ::pread(fd, start, sizeof start, 0) == 3 && start[0] == 0xFF && start[1] == 0xD8 &&
        start[2] == 0xFF;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_ino != 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
        a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}   // namespace zp::decoder
