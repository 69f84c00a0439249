// SPDX-License-Identifier: MIT
// Reads and writes .pzl puzzle files held as bytes: written as UTF-8, read as UTF-8 or windows-1250.
#include "files/puzzle_format.h"

#include "engine/move_history.h"
#include "engine/size_rule.h"

#include <QStringDecoder>

namespace zp {

namespace {

const char Utf8Bom[] = "\xEF\xBB\xBF";
const char LineEnd[] = "\r\n";

// Hands out the lines of a buffer in order: a line ends at LF, and one CR before the LF
// (or before the end of a last line without LF) is not part of it.
class LineCursor {
public:
    explicit LineCursor(QByteArrayView bytes) : bytes_(bytes) {}

    // The next line, or nullopt when the buffer is used up.
    std::optional<QByteArrayView> next()
    {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        qsizetype end = bytes_.indexOf('\n', pos_);
        if (end < 0)
            end = bytes_.size();
        QByteArrayView line = bytes_.sliced(pos_, end - pos_);
        pos_ = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    }

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

// Files written by us are UTF-8; older ones come in the Central European 8-bit code page.
std::optional<QString> decodeText(QByteArrayView line)
{
    if (line.isValidUtf8()) {
        // QString::fromUtf8 would drop a leading U+FEFF; a line is taken whole.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return QString(utf8.decode(line));
    }
    QStringDecoder cp1250("windows-1250");
    if (!cp1250.isValid())
        return std::nullopt;
    return QString(cp1250.decode(line));
}

Refusal missingLine(int lineNo) { return {QStringLiteral("the file ends before line %1").arg(lineNo)}; }

// Reads lines 1 to 3 into `data`.
Result<> readHeader(LineCursor& lines, PuzzleData& data)
{
    QString* const fields[] = {&data.picturePath, &data.cols, &data.rows};
    for (int i = 0; i < 3; ++i) {
        const auto line = lines.next();
        if (!line)
            return missingLine(i + 1);
        auto text = decodeText(*line);
        if (!text)
            return Refusal{QStringLiteral("line %1 is neither UTF-8 nor windows-1250").arg(i + 1)};
        *fields[i] = std::move(*text);
    }
    return Done{};
}

// The whole number on the next line, numbered `lineNo`, if it lies in min..max.
Result<long long> readNumber(LineCursor& lines, int lineNo, long long min, long long max)
{
    const auto line = lines.next();
    if (!line)
        return missingLine(lineNo);
    // Anything outside ASCII fails the number rule anyway, so Latin-1 is as good as any decoding.
    const auto value = parseWholeNumber(QString::fromLatin1(*line));
    if (!value || *value < min || *value > max)
        return Refusal{
            QStringLiteral("line %1 is no whole number from %2 to %3").arg(lineNo).arg(min).arg(max)};
    return *value;
}

void appendLine(QByteArray& out, QByteArrayView text)
{
    out += text;
    out += LineEnd;
}

// A number with a blank on either side: the place of the sign in front, one blank behind.
void appendNumberLine(QByteArray& out, long long value)
{
    appendLine(out, ' ' + QByteArray::number(value) + ' ');
}

}   // namespace

Result<PuzzleData> readPuzzle(QByteArrayView bytes)
{
    if (bytes.startsWith(Utf8Bom))
        bytes = bytes.sliced(qsizetype(sizeof Utf8Bom) - 1);
    LineCursor lines(bytes);
    PuzzleData data;
    if (const Result<> header = readHeader(lines, data); !header)
        return header.refusal();
    const auto size = usableGridSize(data.cols, data.rows);
    if (!size)
        return Refusal{QStringLiteral("lines 2 and 3 give no usable board size")};
    const Result<long long> count = readNumber(lines, 4, 0, MoveHistory::Capacity);
    if (!count)
        return count.refusal();
    const long long lastTile = (long long)size->cols * size->rows;
    data.moves.reserve(std::size_t(*count));
    for (int i = 1; i <= *count; ++i) {
        const Result<long long> move = readNumber(lines, 4 + i, 2, lastTile);
        if (!move)
            return move.refusal();
        data.moves.push_back(std::int16_t(*move));
    }
    return data;
}

QByteArray writePuzzle(const PuzzleData& data)
{
    QByteArray out;
    // The reader drops a BOM at the start, so a path that itself begins with one gets another.
    if (data.picturePath.startsWith(QChar(0xFEFF)))
        out += Utf8Bom;
    appendLine(out, data.picturePath.toUtf8());
    appendLine(out, data.cols.toUtf8());
    appendLine(out, data.rows.toUtf8());
    appendNumberLine(out, (long long)data.moves.size());
    for (const std::int16_t move : data.moves)
        appendNumberLine(out, move);
    return out;
}

}   // namespace zp
