// Whole-file reading with a size bound, and atomic replacing of a file.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zp {

// The first `limit` bytes of the regular file at `path` (fewer if it is shorter); nullopt with
// a reason if it cannot be opened or read. The file is closed on return.
std::optional<QByteArray> readFileHead(const QString& path, qint64 limit, QString& reason);

// Whether anything (readable or not) exists under `path`.
bool pathExists(const QString& path);

// Replaces or creates the file at `path` with `bytes` in one step: on any failure the old file
// stays complete and `reason` says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& reason);

} // namespace zp
