// SPDX-License-Identifier: MIT
// File reading and atomic writing on Qt Core and POSIX.
#include "platform/file_io.h"

#include "platform/file_name.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zp {

namespace {
Refusal systemReason(int error) { return {QString::fromLocal8Bit(std::strerror(error))}; }
constexpr QStringView NotAFile = u"not a regular file";
constexpr int MaxLinks = 40;   // the system's own bound on the links met in one path

// Writes all of `bytes` from the start of the file; false with errno set by the call that failed.
// `written` counts the bytes that reached the file.
bool writeAll(int fd, const QByteArray& bytes, qsizetype& written)
{
    for (written = 0; written < bytes.size();) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + written, std::size_t(bytes.size() - written), off_t(written));
        if (n == 0)
            errno = EIO;   // no progress and no reason: give up rather than spin
        if (n <= 0 && errno != EINTR)
            return false;
        written += std::max<ssize_t>(n, 0);
    }
    return true;
}

// Turns `path` into the file it names once its symlinks are followed, each from its own folder.
// A path that is no link, or under which nothing exists, stays as it is: a link to nothing names
// the file that writing through it would make. False with the reason for a circle of links.
bool followLinks(QByteArray& path, int& error)
{
    for (int hops = 0; hops <= MaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) {
            error = errno;
            return error != ELOOP;   // a circle among the folders on the way
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        char link[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), link, sizeof link);
        if (n < 0 || n == sizeof link) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const QByteArray to(link, n);
        path = to.startsWith('/') ? to : path.left(path.lastIndexOf('/') + 1) + to;
    }
    error = ELOOP;
    return false;
}

// What the folder refuses to a new file or to a rename: overwriting in place may still work. A
// file mounted onto its name (containers, some sync tools) cannot be renamed over: EBUSY.
bool folderRefused(int error) { return error == EACCES || error == EPERM || error == EBUSY; }

// Whether the file carries anything a new file in its place would not get from its mode alone:
// extended attributes (its access list among them) or other names (hard links).
bool hasMoreThanItsMode(const QByteArray& target, const struct stat& old)
{
    return old.st_nlink > 1 || ::listxattr(target.constData(), nullptr, 0) > 0;
}

enum class Outcome { Written, Failed, InPlace };

// A new, empty file beside `target`, named `name`. QSaveFile is not used because it names its file
// after the target with seven bytes added, too long for a folder entry when the target's own name
// has 249 bytes or more, and because a rename it cannot make ends the save with no way round.
int createBeside(const QByteArray& target, QByteArray& name)
{
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    for (int tries = 0; tries < 100; ++tries) {
        name = folder + ".zp-" + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes `bytes` to a new file beside `target` and renames it over the target once every byte is on
// the disk. `old`: the target's status, which gives the new file its mode; null when there is none.
Outcome replaceBeside(const QByteArray& target, const struct stat* old, const QByteArray& bytes, int& error)
{
    QByteArray temp;
    const int fd = createBeside(target, temp);
    if (fd < 0) {
        error = errno;
        return folderRefused(error) ? Outcome::InPlace : Outcome::Failed;
    }
    struct stat made {};
    // A new file is the player's, in the player's (or the folder's) group: where the old one was
    // another's, the folder keeps it and it is overwritten in place.
    if (old && (::fstat(fd, &made) != 0 || made.st_uid != old->st_uid || made.st_gid != old->st_gid)) {
        ::close(fd);
        ::unlink(temp.constData());
        return Outcome::InPlace;
    }
    qsizetype written = 0;
    bool ok =
        (!old || ::fchmod(fd, old->st_mode & 07777) == 0) && writeAll(fd, bytes, written) && ::fsync(fd) == 0;
    error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) == 0)
        return Outcome::Written;
    if (ok)
        error = errno;
    ::unlink(temp.constData());   // the new file only, never the target
    return ok && folderRefused(error) ? Outcome::InPlace : Outcome::Failed;
}

// Overwrites the regular file `target` from its start. The new size is claimed first, and checked
// against the file size limit, which also cuts writes within the old size, so that a full disk or
// the limit is found before the old bytes change. A claim that failed is given back.
Result<> overwriteInPlace(const QByteArray& target, const QByteArray& bytes)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat old {};
    if (fd < 0 || ::fstat(fd, &old) != 0) {
        const Refusal refusal = systemReason(errno);
        if (fd >= 0)
            ::close(fd);
        return refusal;
    }
    const auto size = off_t(bytes.size());
    rlimit limit{};
    int error = 0;
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        rlim_t(size) > limit.rlim_cur)
        error = EFBIG;
    else if (size > 0)
        error = ::posix_fallocate(fd, 0, size);
    qsizetype written = 0;
    bool ok = error == 0 && writeAll(fd, bytes, written) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    if (!ok && error == 0)
        error = errno;
    // A claim made for nothing is given back; should that fail, the old bytes stay, followed by zeros.
    [[maybe_unused]] const bool givenBack = ok || written > 0 || ::ftruncate(fd, old.st_size) == 0;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok && written > 0)   // the old bytes began to change
        return Refusal{systemReason(error).reason + QStringLiteral("\nIts old content could not be kept.")};
    return ok ? Result<>(Done{}) : systemReason(error);
}
}   // namespace

Result<std::unique_ptr<QFile>> openRegularFile(const QString& path)
{
    const int fd = ::open(fileNameBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? systemReason(EISDIR) : Refusal{NotAFile.toString()};
    }
    auto file = std::make_unique<QFile>(path);   // opened from the descriptor, it keeps no name
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refusal{file->errorString()};
    }
    return file;
}

Result<QByteArray> readFileHead(const QString& path, qint64 limit)
{
    const auto file = openRegularFile(path);
    if (!file)
        return file.refusal();
    QByteArray bytes = (*file)->read(limit);
    if ((*file)->error() != QFileDevice::NoError)
        return Refusal{(*file)->errorString()};
    return bytes;
}

bool pathExists(const QString& path)
{
    struct stat st {};
    return ::lstat(fileNameBytes(path).constData(), &st) == 0;
}

Result<> checkSaveTarget(const QString& path)
{
    struct stat st {};
    // Nothing there yet is fine, and any trouble but a circle of links the write itself reports.
    if (::stat(fileNameBytes(path).constData(), &st) != 0)
        return errno == ELOOP ? systemReason(ELOOP) : Result<>(Done{});
    if (S_ISREG(st.st_mode))
        return Done{};
    return S_ISDIR(st.st_mode) ? systemReason(EISDIR) : Refusal{NotAFile.toString()};
}

Result<> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QByteArray target = fileNameBytes(path);
    int error = 0;
    if (const Result<> checked = checkSaveTarget(path); !checked)
        return checked;
    if (!followLinks(target, error))
        return systemReason(error);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && ::access(target.constData(), W_OK) != 0)
        return systemReason(errno);   // a file the user may not change is not replaced either
    if (exists && hasMoreThanItsMode(target, old))
        return overwriteInPlace(target, bytes);
    const Outcome outcome = replaceBeside(target, exists ? &old : nullptr, bytes, error);
    if (outcome == Outcome::InPlace && exists)
        return overwriteInPlace(target, bytes);
    if (outcome == Outcome::Written)
        return Done{};
    return systemReason(error);
}

void ignoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}   // namespace zp
