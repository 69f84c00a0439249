// SPDX-License-Identifier: MIT
// The shared rule for size texts and whole numbers.
#include "engine/size_rule.h"

#include "platform/picture.h"

namespace zp {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView withoutBlanks(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// The value of one or more ASCII digits and nothing else.
std::optional<long long> digitsValue(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar ch : digits) {
        const char16_t c = ch.unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > MaxWholeNumber)
            value = MaxWholeNumber;
    }
    return value;
}
}   // namespace

std::optional<long long> parseWholeNumber(QStringView text) { return digitsValue(withoutBlanks(text)); }

std::optional<long long> parseSizeText(QStringView text)
{
    QStringView number = withoutBlanks(text);
    if (number.startsWith(u'+'))
        number = number.sliced(1);
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (number[i] != u'.' && number[i] != u',')
            continue;
        const QStringView fraction = number.sliced(i + 1);
        if (fraction.isEmpty() || fraction.count(u'0') != fraction.size())
            return std::nullopt;
        number = number.first(i);
        break;
    }
    return digitsValue(number);
}

std::optional<GridSize> usableGridSize(QStringView cols, QStringView rows, int pictureWidth,
                                       int pictureHeight)
{
    const auto c = parseSizeText(cols);
    const auto r = parseSizeText(rows);
    if (!c || !r || *c < 1 || *r < 1 || *c > MaxBoardElements || *r > MaxBoardElements ||
        *c * *r > MaxBoardElements)
        return std::nullopt;
    if (pictureWidth > 0 && pictureHeight > 0 && (pictureWidth < *c || pictureHeight < *r))
        return std::nullopt;
    return GridSize{int(*c), int(*r)};
}

Result<GridSize> cutGrid(int w, int h, QStringView cols, QStringView rows)
{
    const bool sides = isCuttableSide(w) && isCuttableSide(h);
    if (const auto grid = sides ? usableGridSize(cols, rows, w, h) : std::nullopt)
        return *grid;
    const QString pixels = QStringLiteral("%1 x %2 pixels").arg(w).arg(h);
    return Refusal{QStringLiteral("%1 cannot be cut into \"%2\" x \"%3\" tiles").arg(pixels, cols, rows)};
}

}   // namespace zp
