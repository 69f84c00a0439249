// SPDX-License-Identifier: MIT
// The one rule for which board size texts (and which numbers in puzzle files) are usable.
#pragma once

#include "platform/result.h"

#include <QStringView>

#include <optional>

namespace zp {

// Largest number of elements a board may have (tile indexes are 16-bit).
inline constexpr long long MaxBoardElements = 32767;

// A whole decimal number: optional blanks (space or tab) around one or more ASCII digits;
// no sign, decimal point, exponent or grouping. Values too large for the result saturate
// at MaxWholeNumber, so that they still compare as "too large".
inline constexpr long long MaxWholeNumber = 1LL << 40;
std::optional<long long> parseWholeNumber(QStringView text);

// A size text's value: as parseWholeNumber, but the digits may also have a "+" in front and a
// fractional part of zeros behind, after "." or "," ("+4", "4.0", "4,00" are 4). Players type
// those, and older puzzle files hold them; a real fraction or an exponent is still no size.
std::optional<long long> parseSizeText(QStringView text);

struct GridSize {
    int cols = 0;
    int rows = 0;
    friend bool operator==(const GridSize&, const GridSize&) = default;
};

// The size the two texts describe, if both are size texts (parseSizeText) of at least 1, their product is
// at most MaxBoardElements and, when a picture is in hand (width and height > 0), its tiles are
// at least one pixel wide and high. Otherwise nullopt.
std::optional<GridSize> usableGridSize(QStringView cols, QStringView rows, int pictureWidth = 0,
                                       int pictureHeight = 0);

// The grid a picture of w x h pixels (sides 1..MaxPictureSide) is cut into at the size the two
// texts describe, by the rule above, or why it cannot be.
Result<GridSize> cutGrid(int w, int h, QStringView cols, QStringView rows);

}   // namespace zp
