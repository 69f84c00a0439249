// SPDX-License-Identifier: MIT
// The formats of the decoder's own image plugin, for the game, which does not link the plugin.
#pragma once

#include <QByteArray>
#include <QList>

namespace zp {

// The format keys, also the file suffixes, of the pictures the plugin reads beside Qt's own formats.
inline const QList<QByteArray>& photoFormatKeys()
{
    static const QList<QByteArray> keys{"heic", "heif", "avif", "jxl"};
    return keys;
}

}   // namespace zp
