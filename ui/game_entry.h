// SPDX-License-Identifier: MIT
// The game's entry, in the module that its launcher loads.
#pragma once

#include "platform/decoder/decode_ahead.h"

namespace zp {

// The name the launcher finds the entry by.
inline constexpr char GameEntryName[] = "zp_game_main";
using GameEntry = int(int argc, char* argv[], const decoder::Ahead* ahead);

}   // namespace zp

// Runs the game on the command line `argc`, `argv`; `ahead`, if given, is the start-up picture
// already at work in a decoder. Returns the program's exit status.
extern "C" int zp_game_main(int argc, char* argv[], const zp::decoder::Ahead* ahead);
