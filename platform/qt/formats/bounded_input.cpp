// SPDX-License-Identifier: MIT
// A picture file read whole into memory, within a bound.
#include "platform/qt/formats/bounded_input.h"

#include <algorithm>

namespace zp {

std::optional<QByteArray> readWhole(QIODevice& device, qint64 limit)
{
    QByteArray bytes;
    if (!device.isSequential()) {
        if (device.size() - device.pos() > limit)
            return std::nullopt;
        bytes.reserve(device.size() - device.pos());
    }
    // Chunks, so that a device without a size never has the whole bound allocated for it.
    for (qint64 got = 1; got > 0 && bytes.size() <= limit;) {
        const QByteArray chunk = device.read(std::min<qint64>(16 << 20, limit + 1 - bytes.size()));
        got = chunk.size();
        bytes += chunk;
    }
    if (bytes.size() > limit || (!device.isSequential() && !device.atEnd()))
        return std::nullopt;
    return bytes;
}

}   // namespace zp
