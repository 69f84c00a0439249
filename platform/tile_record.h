// SPDX-License-Identifier: MIT
// One element of the tile control array: place, picture cell, and whether it exists and shows.
#pragma once

#include "platform/twips.h"

namespace zp {

struct TileRecord {
    TwipsRect rect;
    int cell = -1;   // picture-clip cell shown; -1: no picture
    bool exists = false;
    bool visible = false;
};

}   // namespace zp
