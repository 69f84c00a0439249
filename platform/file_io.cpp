// SPDX-License-Identifier: MIT
// File reading and atomic writing on Qt Core and POSIX.
#include "platform/file_io.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zp {

namespace {
QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }
const QString NotAFile = QStringLiteral("not a regular file");

// Writes all of `bytes` to `fd` and waits until they are on the disk; false with errno set
// by the first call that fails.
bool writeAndSync(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n == 0)
            errno = EIO;   // no progress and no reason: give up rather than spin
        if (n <= 0 && errno != EINTR)
            return false;
        done += std::max<ssize_t>(n, 0);
    }
    return ::fsync(fd) == 0;
}
}   // namespace

std::unique_ptr<QFile> openRegularFile(const QString& path, QString& reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = S_ISDIR(st.st_mode) ? systemReason(EISDIR) : NotAFile;
        ::close(fd);
        return nullptr;
    }
    auto file = std::make_unique<QFile>(path);   // the name gives the picture reader its format hint
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        reason = file->errorString();
        ::close(fd);
        return nullptr;
    }
    return file;
}

std::optional<QByteArray> readFileHead(const QString& path, qint64 limit, QString& reason)
{
    const std::unique_ptr<QFile> file = openRegularFile(path, reason);
    if (!file)
        return std::nullopt;
    QByteArray bytes = file->read(limit);
    if (file->error() != QFileDevice::NoError) {
        reason = file->errorString();
        return std::nullopt;
    }
    return bytes;
}

bool pathExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isSaveTarget(const QString& path, QString& reason)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return true;   // nothing there yet; any other trouble the write itself reports
    if (S_ISREG(st.st_mode))
        return true;
    reason = S_ISDIR(st.st_mode) ? systemReason(EISDIR) : NotAFile;
    return false;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& reason)
{
    if (!isSaveTarget(path, reason))
        return false;
    const QFileInfo target(path);
    if (target.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0) {
        reason = systemReason(errno);   // the system's words, not the save file's own
        return false;
    }
    QSaveFile file(path);
    // The temporary file needs a writable folder; without one, only overwriting in place is left.
    file.setDirectWriteFallback(target.exists() && !QFileInfo(target.absolutePath()).isWritable());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    // Written past Qt's buffer and checked call by call: commit() alone may report success for
    // data that never reached the disk, and the system's errno is the reason to show.
    if (!writeAndSync(file.handle(), bytes)) {
        reason = systemReason(errno);
        file.cancelWriting();   // the temporary file goes when `file` does
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

}   // namespace zp
