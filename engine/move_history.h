// SPDX-License-Identifier: MIT
// The move history: the moves that lead from the solved board to the board on screen.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zp {

class MoveHistory {
public:
    static constexpr int Capacity = 1000;

    int MoveCount() const { return count_; }
    // Entry i, 1 <= i <= MoveCount(); entry 0 equals no tile index.
    std::int16_t entry(int i) const { return Moves_[i]; }
    std::vector<std::int16_t> entries() const;

    // Whether RecordMove(Index) fits: false only when it would need entry 1001.
    bool canRecord(std::int16_t Index) const;
    // Moving the tile moved last takes that move back; any other move is appended.
    // Requires canRecord(Index).
    void RecordMove(std::int16_t Index);
    // Appends without the take-back rule. Requires MoveCount() < Capacity.
    void append(std::int16_t Index);
    // Takes the newest move off (it has been played back). Requires MoveCount() > 0.
    void dropNewest() { --count_; }
    void clear() { count_ = 0; }

private:
    std::array<std::int16_t, Capacity + 1> Moves_{};
    int count_ = 0;
};

}   // namespace zp
