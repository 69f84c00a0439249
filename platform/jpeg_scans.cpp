// SPDX-License-Identifier: MIT
// Counting the scans of JPEG data as a decoder reads its markers, without decoding.
#include "platform/jpeg_scans.h"

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace zp {

namespace {
using uchar = unsigned char;

bool isFrame(uchar m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
// Markers without a length: restarts, the start of an image and the temporary marker.
bool standsAlone(uchar m) { return (m >= 0xD0 && m <= 0xD8) || m == 0x01; }
// Segments the decoder skips by their length: application data and comments.
bool isSkipped(uchar m) { return (m >= 0xE0 && m <= 0xEF) || m == 0xFE; }

// Walks JPEG data as a decoder reads it, adding up the pixels its scans walk.
class ScanWalk {
public:
    explicit ScanWalk(QIODevice& file) : file_(file) {}

    // The JPEG that starts at `at`, up to its end-of-image marker or `at` + `bytes`; false once a
    // bound is passed. Data that is no JPEG, or breaks off, is left to the decoder.
    bool walk(qint64 at, qint64 bytes)
    {
        uchar c = 0, m = 0;
        end_ = bytes > 0 && at <= std::numeric_limits<qint64>::max() - bytes ? at + bytes : -1;
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
            // A length below its own two bytes: the decoder skips nothing of an APPn or a comment
            // and reads on, and stops at any other segment.
            const int length = std::max(head[0] << 8 | head[1], isSkipped(m) ? 2 : 0);
            const int kept = std::clamp(length - 2, 0, 5);
            if (length < 2 || !read(head + 2, kept) || !skip(length - 2 - kept))
                break;
            if (isFrame(m))
                pixels = 1LL * (head[3] << 8 | head[4]) * (head[5] << 8 | head[6]);
            if (m == 0xDA && (++scans > MaxJpegScans || (scanned_ += pixels) > MaxScannedPixels))
                return false;
        }
        return !overBudget();
    }
    // More bytes walked than the file holds: strips that overlap, which no honest file has.
    bool overBudget() const { return walked_ > budget_; }

    bool read(uchar* to, qint64 n)
    {
        for (qint64 i = 0; i < n; ++i)
            if (!get(to[i]))
                return false;
        return true;
    }
    qint64 position() const { return chunk_.isEmpty() ? file_.pos() : chunkAt_ + next_; }
    bool seek(qint64 at)
    {
        chunk_.clear();
        next_ = 0;
        return at >= 0 && file_.seek(at);
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
            chunkAt_ = file_.pos();
            chunk_ = file_.read(64 * 1024);
            next_ = 0;
            if (chunk_.isEmpty())
                return false;
        }
        if ((end_ >= 0 && chunkAt_ + next_ >= end_) || ++walked_ > budget_)
            return false;
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
        walked_ += n - buffered;
        return seek(file_.pos() + n - buffered);
    }

    QIODevice& file_;
    QByteArray chunk_;
    qint64 chunkAt_ = 0, end_ = -1;
    qsizetype next_ = 0;
    long long scanned_ = 0;
    const qint64 budget_ = file_.size() + 64 * 1024;
    qint64 walked_ = 0;
};

// A TIFF keeps the first picture's strips (or tiles) where its first folder of tags says; each
// may be a JPEG. Reads the offsets and byte counts of both, as libtiff does, of every integer
// type; a value that does not fit the file's offsets is left out.
class TiffFolder {
public:
    explicit TiffFolder(ScanWalk& in) : in_(in) {}

    // Each strip's start, once, with the most bytes any entry gives it; empty if no TIFF.
    std::map<qint64, qint64> strips()
    {
        uchar h[16] = {};
        if (!in_.seek(0) || !in_.read(h, 8) || (h[0] != 'I' && h[0] != 'M') || h[0] != h[1])
            return {};
        little_ = h[0] == 'I';
        big_ = h[2] + h[3] == 43;   // classic TIFF: 42, BigTIFF: 43
        const int word = big_ ? 8 : 4;
        if ((big_ && !in_.read(h + 8, 8)) || !in_.seek(qint64(number(h + (big_ ? 8 : 4), word))))
            return {};
        uchar e[20] = {};
        if (!in_.read(e, big_ ? 8 : 2))
            return {};
        const qint64 at = in_.position();
        std::vector<qint64> offsets, counts;
        for (quint64 n = number(e, big_ ? 8 : 2), i = 0; i < n && i < 4096; ++i) {
            if (!in_.seek(at + qint64(i) * (big_ ? 20 : 12)) || !in_.read(e, big_ ? 20 : 12))
                break;
            if (const quint64 t = number(e, 2); t == 273 || t == 324)   // strip or tile offsets
                append(e, offsets);
            else if (t == 279 || t == 325)   // their byte counts
                append(e, counts);
        }
        std::map<qint64, qint64> starts;
        for (std::size_t i = 0; i < offsets.size(); ++i)
            starts[offsets[i]] = std::max(starts[offsets[i]], i < counts.size() ? counts[i] : 0);
        return starts;
    }

private:
    quint64 number(const uchar* p, int size) const
    {
        quint64 n = 0;
        for (int i = 0; i < size; ++i)
            n |= quint64(p[little_ ? i : size - 1 - i]) << (8 * i);
        return n;
    }
    // The values of the entry `e`, of any integer type, read where they are; negative ones left out.
    void append(const uchar* e, std::vector<qint64>& to)
    {
        static const std::map<quint64, std::pair<int, bool>> types = {
            {1, {1, false}}, {3, {2, false}}, {4, {4, false}}, {16, {8, false}}, {18, {8, false}},
            {6, {1, true}},  {8, {2, true}},  {9, {4, true}},  {17, {8, true}}};
        const int word = big_ ? 8 : 4;
        const auto type = types.find(number(e + 2, 2));
        const quint64 count = number(e + 4, word);
        if (type == types.end() || count > (1u << 20))
            return;
        const auto [size, isSigned] = type->second;
        std::vector<uchar> values(count * size);
        if (count * size <= quint64(word))
            std::copy(e + 4 + word, e + 4 + word + values.size(), values.begin());
        else if (!in_.seek(qint64(number(e + 4 + word, word))) || !in_.read(values.data(), values.size()))
            return;
        for (quint64 i = 0; i < count; ++i) {
            const quint64 v = number(values.data() + i * size, size);
            const bool negative = isSigned && (v >> (8 * size - 1)) != 0;
            to.push_back(negative || v > quint64(std::numeric_limits<qint64>::max()) ? -1 : qint64(v));
        }
    }

    ScanWalk& in_;
    bool little_ = true, big_ = false;
};
}   // namespace

bool hasTooManyScans(QIODevice& file)
{
    const qint64 start = file.pos();
    if (file.isSequential())
        return false;
    ScanWalk walk(file);
    std::map<qint64, qint64> starts = TiffFolder(walk).strips();
    starts.emplace(0, 0);   // a JPEG file
    const bool passed = std::any_of(starts.begin(), starts.end(),
                                    [&](const auto& strip) { return !walk.walk(strip.first, strip.second); });
    file.seek(start);
    return passed;
}

}   // namespace zp
