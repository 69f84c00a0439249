// SPDX-License-Identifier: MIT
// File names as the system has them: bytes, carried in a QString without loss.
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zp {

// The name for the file system's `bytes`. Valid UTF-8 gives the text Qt gives; each byte that is
// not part of valid UTF-8 (a Latin-1 name from an old archive) is kept as the lone surrogate
// U+DC80 + (byte - 0x80), so that fileNameBytes gives the same bytes back. Qt would turn it into
// U+FFFD, which names another file.
QString fileNameFromBytes(QByteArrayView bytes);

// The bytes to hand the system for `name`: UTF-8, with each kept byte (see above) as itself.
QByteArray fileNameBytes(QStringView name);

// The byte that `c` keeps for a name, or -1 if it keeps none.
int escapedByte(QChar c);

// Whether `name` holds a kept byte, which a puzzle file's UTF-8 text cannot record.
bool holdsKeptBytes(QStringView name);

// Refused when `path` is a name Qt decoded with loss: it holds U+FFFD where its folder has an
// entry of other bytes that Qt shows by the same name (a file chosen in the file dialog whose
// name is no UTF-8). A U+FFFD that is truly in the name passes.
Result<> checkExactName(const QString& path);

}   // namespace zp
