// SPDX-License-Identifier: MIT
// Counting the scans of JPEG data as a decoder reads its markers, without decoding.
#include "platform/jpeg_scans.h"

#include <algorithm>
#include <vector>

namespace zp {

namespace {
using uchar = unsigned char;

bool isFrame(uchar m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
// Markers without a length: restarts, the start of an image and the temporary marker.
bool standsAlone(uchar m) { return (m >= 0xD0 && m <= 0xD8) || m == 0x01; }

// Walks JPEG data as a decoder reads it, adding up the pixels its scans walk.
class ScanWalk {
public:
    explicit ScanWalk(QIODevice& file) : file_(file) {}

    // The JPEG that starts at `at`, up to its end-of-image marker; false once a bound is passed.
    // Data that is no JPEG, or breaks off, is left to the decoder.
    bool walk(qint64 at)
    {
        uchar c = 0, m = 0;
        if (!seek(at) || !get(c) || c != 0xFF || !get(m) || m != 0xD8)
            return true;
        long long pixels = 0;
        int scans = 0;
        uchar head[7] = {};   // length, precision, height, width
        while (nextMarker(m) && m != 0xD9) {
            if (standsAlone(m))
                continue;
            if (!read(head, 2))
                break;
            const int length = head[0] << 8 | head[1], kept = std::clamp(length - 2, 0, 5);
            if (length < 2 || !read(head + 2, kept) || !skip(length - 2 - kept))
                break;
            if (isFrame(m))
                pixels = 1LL * (head[3] << 8 | head[4]) * (head[5] << 8 | head[6]);
            if (m == 0xDA && (++scans > MaxJpegScans || (scanned_ += pixels) > MaxScannedPixels))
                return false;
        }
        return true;
    }

    bool read(uchar* to, qint64 n)
    {
        for (qint64 i = 0; i < n; ++i)
            if (!get(to[i]))
                return false;
        return true;
    }
    bool seek(qint64 at)
    {
        chunk_.clear();
        next_ = 0;
        return file_.seek(at);
    }

private:
    // On past coded data and stray bytes to the next marker, as the decoder goes: a 0xFF byte
    // followed by anything but 0 (a coded 0xFF) or more 0xFF bytes (fill).
    bool nextMarker(uchar& m)
    {
        do {
            uchar c = 0;
            do {
                if (!get(c))
                    return false;
            } while (c != 0xFF);
            do {
                if (!get(m))
                    return false;
            } while (m == 0xFF);
        } while (m == 0);
        return true;
    }
    bool get(uchar& c)
    {
        if (next_ == chunk_.size()) {
            chunk_ = file_.read(64 * 1024);
            next_ = 0;
            if (chunk_.isEmpty())
                return false;
        }
        c = uchar(chunk_.constData()[next_++]);
        return true;
    }
    bool skip(qint64 n)
    {
        const qint64 buffered = chunk_.size() - next_;
        if (n <= buffered) {
            next_ += n;
            return true;
        }
        return seek(file_.pos() + n - buffered);
    }

    QIODevice& file_;
    QByteArray chunk_;
    qsizetype next_ = 0;
    long long scanned_ = 0;
};

// A TIFF keeps the first picture's strips (or tiles) where its first folder of tags says; each
// may be a JPEG. The offsets, or none if `file` is no TIFF.
std::vector<qint64> tiffStrips(ScanWalk& in)
{
    uchar h[16] = {};
    if (!in.seek(0) || !in.read(h, 8) || (h[0] != 'I' && h[0] != 'M') || h[0] != h[1])
        return {};
    const bool little = h[0] == 'I', big = h[2] + h[3] == 43;   // classic TIFF: 42, BigTIFF: 43
    const auto number = [little](const uchar* p, int size) {
        quint64 n = 0;
        for (int i = 0; i < size; ++i)
            n |= quint64(p[little ? i : size - 1 - i]) << (8 * i);
        return n;
    };
    const int word = big ? 8 : 4, entry = big ? 20 : 12;
    if (big && !in.read(h + 8, 8))
        return {};
    uchar e[20] = {};
    if (!in.seek(qint64(number(h + (big ? 8 : 4), word))) || !in.read(e, big ? 8 : 2))
        return {};
    std::vector<qint64> strips;
    for (quint64 n = number(e, big ? 8 : 2); n > 0 && strips.empty() && in.read(e, entry); --n) {
        const quint64 tag = number(e, 2), type = number(e + 2, 2), count = number(e + 4, word);
        const int size = type == 3 ? 2 : type == 4 ? 4 : type == 16 ? 8 : 0;
        if ((tag != 273 && tag != 324) || size == 0 || count > (1u << 20))   // strip or tile offsets
            continue;
        std::vector<uchar> values(count * size);
        const bool inside = count * size <= quint64(word);
        if (!inside &&
            (!in.seek(qint64(number(e + 4 + word, word))) || !in.read(values.data(), values.size())))
            return {};
        for (quint64 i = 0; i < count; ++i)
            strips.push_back(qint64(number((inside ? e + 4 + word : values.data()) + i * size, size)));
    }
    return strips;
}
}   // namespace

bool hasTooManyScans(QIODevice& file)
{
    const qint64 start = file.pos();
    if (file.isSequential())
        return false;
    ScanWalk walk(file);
    std::vector<qint64> starts = tiffStrips(walk);
    starts.push_back(0);   // a JPEG file
    const bool passed = std::any_of(starts.begin(), starts.end(), [&](qint64 at) { return !walk.walk(at); });
    file.seek(start);
    return passed;
}

}   // namespace zp
