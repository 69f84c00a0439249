// SPDX-License-Identifier: MIT
// Whole-file reading with a size bound, and atomic replacing of a file.
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace zp {

// The regular file at `path` (or a symlink's target), opened for reading without ever waiting
// on a FIFO or device: the type is checked on the opened file, so swapping the file in between
// cannot fool it. Refused with the system's reason otherwise.
Result<std::unique_ptr<QFile>> openRegularFile(const QString& path);

// The first `limit` bytes of the regular file at `path` (fewer if it is shorter); refused if it
// cannot be opened or read. The file is closed on return.
Result<QByteArray> readFileHead(const QString& path, qint64 limit);

// Whether anything (readable or not) exists under `path`.
bool pathExists(const QString& path);

// Whether `path` may be written as a file: it is missing or, after symlinks, a regular file.
// A folder, device, FIFO or socket is refused, and so is a circle of links.
Result<> checkSaveTarget(const QString& path);

// Replaces or creates the file that `path` names once its symlinks are followed (the links stay)
// with `bytes`. A new file written beside it takes its place only once every byte is on the disk,
// so a failure leaves the old file byte for byte. The file keeps what it is besides its bytes: where
// a new file would not be the same (another owner or group, an access list or other extended
// attributes, more than one name), where the folder takes no new file, or where it does not let it
// take the old one's place (another user's file in a sticky folder, a file mounted onto its name),
// a writable file is overwritten in place instead: the new size is claimed first, so a full disk or
// the file size limit fails before anything changes; only a failure after that loses the old bytes,
// and its reason then ends in a line that says so. The file is never removed. `path` is a name as
// fileNameFromBytes gives it, as are the paths of the other functions here.
Result<> writeFileAtomically(const QString& path, const QByteArray& bytes);

// Makes a write past the file size limit (RLIMIT_FSIZE) fail with its reason, rather than end the
// program with SIGXFSZ. Called once at start.
void ignoreFileSizeLimitSignal();

}   // namespace zp
