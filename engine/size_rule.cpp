// The shared rule for size texts and whole numbers.
#include "engine/size_rule.h"

#include "platform/picture.h"

namespace zp {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
} // namespace

std::optional<long long> parseWholeNumber(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    long long value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > MaxWholeNumber)
            value = MaxWholeNumber;
    }
    return value;
}

std::optional<GridSize> usableGridSize(QStringView cols, QStringView rows, int pictureWidth,
                                       int pictureHeight)
{
    const auto c = parseWholeNumber(cols);
    const auto r = parseWholeNumber(rows);
    if (!c || !r || *c < 1 || *r < 1 || *c > MaxBoardElements || *r > MaxBoardElements ||
        *c * *r > MaxBoardElements)
        return std::nullopt;
    if (pictureWidth > 0 && pictureHeight > 0 && (pictureWidth < *c || pictureHeight < *r))
        return std::nullopt;
    return GridSize{int(*c), int(*r)};
}

bool canCutPicture(int w, int h, QStringView cols, QStringView rows)
{
    return w >= 1 && h >= 1 && w <= MaxPictureSide && h <= MaxPictureSide &&
        usableGridSize(cols, rows, w, h);
}

} // namespace zp
