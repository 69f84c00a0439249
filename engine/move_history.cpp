// SPDX-License-Identifier: MIT
// Recording moves with the take-back rule.
#include "engine/move_history.h"

namespace zp {

std::vector<std::int16_t> MoveHistory::entries() const
{
    return std::vector<std::int16_t>(Moves_.begin() + 1, Moves_.begin() + 1 + count_);
}

bool MoveHistory::canRecord(std::int16_t Index) const
{
    return count_ < Capacity || (count_ > 0 && Moves_[count_] == Index);
}

bool MoveHistory::RecordMove(std::int16_t Index)
{
    if (count_ > 0 && Moves_[count_] == Index) {
        --count_;
        return true;
    }
    return append(Index);
}

bool MoveHistory::append(std::int16_t Index)
{
    if (count_ >= Capacity)
        return false;
    Moves_[++count_] = Index;
    return true;
}

}   // namespace zp
