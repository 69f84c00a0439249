// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes through the puzzle file reader; what it accepts must hold together.
#include "engine/move_history.h"
#include "engine/size_rule.h"
#include "files/puzzle_format.h"

#include <cstddef>
#include <cstdint>

namespace {

// Every move names a visible tile of the board the size texts describe, within the capacity.
bool movesFitBoard(const zp::PuzzleData& data)
{
    const auto size = zp::usableGridSize(data.cols, data.rows);
    if (!size || data.moves.size() > std::size_t(zp::MoveHistory::Capacity))
        return false;
    const long long lastTile = (long long)size->cols * size->rows;
    for (const std::int16_t move : data.moves) {
        if (move < 2 || move > lastTile)
            return false;
    }
    return true;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const zp::Result<zp::PuzzleData> read =
        zp::readPuzzle(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size)));
    if (!read) {
        if (read.reason().isEmpty())
            __builtin_trap();
        return 0;
    }
    if (!movesFitBoard(*read))
        __builtin_trap();
    const zp::Result<zp::PuzzleData> again = zp::readPuzzle(zp::writePuzzle(*read));
    if (!again || !(*again == *read))
        __builtin_trap();
    return 0;
}
