// SPDX-License-Identifier: MIT
// Whole-file reading with a size bound, and atomic replacing of a file.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>

namespace zp {

// The regular file at `path` (or a symlink's target), opened for reading without ever waiting
// on a FIFO or device: the type is checked on the opened file, so swapping the file in between
// cannot fool it. nullptr with the system's reason otherwise.
std::unique_ptr<QFile> openRegularFile(const QString& path, QString& reason);

// The first `limit` bytes of the regular file at `path` (fewer if it is shorter); nullopt with
// a reason if it cannot be opened or read. The file is closed on return.
std::optional<QByteArray> readFileHead(const QString& path, qint64 limit, QString& reason);

// Whether anything (readable or not) exists under `path`.
bool pathExists(const QString& path);

// Whether `path` may be written as a file: it is missing or, after symlinks, a regular file.
// A folder, device, FIFO or socket is refused with the reason.
bool isSaveTarget(const QString& path, QString& reason);

// Replaces or creates the regular file at `path` (a symlink is written through) with `bytes`.
// Every step is checked, up to the data being on disk, before the new file takes the old one's
// place: on any failure the old file stays byte for byte and `reason` gives the system's text.
// In a folder that cannot be written, a writable file is overwritten in place instead, which
// a failure part-way can leave cut short.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& reason);

}   // namespace zp
