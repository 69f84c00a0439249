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
    // Entry i, 1 <= i <= MoveCount(); 0 (no tile index) for any other i.
    std::int16_t entry(int i) const { return i >= 1 && i <= count_ ? Moves_[i] : 0; }
    std::vector<std::int16_t> entries() const;

    // Whether RecordMove(Index) fits: false only when it would need entry 1001.
    bool canRecord(std::int16_t Index) const;
    // Moving the tile moved last takes that move back; any other move is appended. Returns
    // false, recording nothing, when !canRecord(Index).
    bool RecordMove(std::int16_t Index);
    // Appends without the take-back rule. Returns false, appending nothing, when the history
    // holds Capacity moves: whatever the caller assumed, the history never outgrows its array.
    bool append(std::int16_t Index);
    // Takes the newest move off (it has been played back); nothing when there is none.
    void dropNewest() { count_ -= count_ > 0; }
    void clear() { count_ = 0; }

private:
    std::array<std::int16_t, Capacity + 1> Moves_{};
    int count_ = 0;
};

}   // namespace zp
