// SPDX-License-Identifier: MIT
// Lossless file names. QFile::encodeName and decodeName are UTF-8 with U+FFFD for what is no
// UTF-8, and QStringDecoder has no mode that keeps such bytes: both ways are written here.
#include "platform/file_name.h"

#include <QStringDecoder>

#include <algorithm>

#include <dirent.h>

namespace zp {

namespace {
constexpr char16_t KeptBase = 0xDC00;   // byte b >= 0x80 is kept as KeptBase + b

// Valid UTF-8 as text; QString::fromUtf8 would drop a leading U+FEFF, which is part of a name.
QString utf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// The length of the valid UTF-8 sequence at the start of `bytes` (1 to 4), or 0 if none starts there.
qsizetype validSequence(QByteArrayView bytes)
{
    for (qsizetype n = 1; n <= std::min<qsizetype>(4, bytes.size()); ++n)
        if (bytes.first(n).isValidUtf8())
            return n;
    return 0;
}

// Whether the character at `i` is a kept byte: a low surrogate with no high one before it.
bool keptAt(QStringView name, qsizetype i)
{
    return escapedByte(name[i]) >= 0 && (i == 0 || !name[i - 1].isHighSurrogate());
}
}   // namespace

int escapedByte(QChar c)
{
    const char16_t u = c.unicode();
    return u >= KeptBase + 0x80 && u <= KeptBase + 0xFF ? int(u - KeptBase) : -1;
}

QString fileNameFromBytes(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return utf8(bytes);
    QString name;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = validSequence(bytes.sliced(i));
        if (n > 0)
            name += utf8(bytes.sliced(i, n));
        else
            name += QChar(char16_t(KeptBase + quint8(bytes[i])));
        i += std::max<qsizetype>(n, 1);
    }
    return name;
}

QByteArray fileNameBytes(QStringView name)
{
    QByteArray bytes;
    qsizetype run = 0;   // start of the text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!keptAt(name, i))
            continue;
        bytes += name.sliced(run, i - run).toUtf8();
        bytes += char(escapedByte(name[i]));
        run = i + 1;
    }
    return bytes + name.sliced(run).toUtf8();
}

bool holdsKeptBytes(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (keptAt(name, i))
            return true;
    return false;
}

Result<> checkExactName(const QString& path)
{
    const qsizetype cut = path.lastIndexOf(u'/');
    const QString entry = path.mid(cut + 1);
    if (!entry.contains(QChar::ReplacementCharacter))
        return Done{};
    const QByteArray folder =
        cut < 0 ? QByteArray(".") : fileNameBytes(path.left(std::max<qsizetype>(cut, 1)));
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return Done{};   // nothing to mistake it for; the write itself tells what is wrong
    bool lossy = false;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArrayView bytes(e->d_name);
        lossy = lossy || (!bytes.isValidUtf8() && QString::fromUtf8(bytes) == entry);
    }
    ::closedir(dir);
    if (lossy)
        return Refusal{QStringLiteral("the file's name is not UTF-8 and was given with its letters lost; "
                                      "rename the file or choose another name")};
    return Done{};
}

}   // namespace zp
