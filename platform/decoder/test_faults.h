// SPDX-License-Identifier: MIT
// Faults on request, compiled only into the test copy of the picture decoder: the tests show
// that each ends in a refusal with its reason, and the game goes on.
#pragma once

namespace zp::decoder {

// Acts on a picture named "zp-fault-WHAT...": crash (abort), memory (takes memory until it
// fails), loop (spins for ever), open (opens a file, which the filter forbids), slow (sleeps a
// second, then decodes). Any other name: nothing.
void actOnFault(const char* name);

}   // namespace zp::decoder
