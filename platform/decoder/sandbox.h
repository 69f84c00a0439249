// SPDX-License-Identifier: MIT
// The picture decoder's confinement: kernel limits on its memory and processor time, and a
// system call filter that leaves it only what decoding an open file into a mapping needs.
#pragma once

namespace zp::decoder {

// Caps the address space at what the process held at the first call plus `extraBytes`, and
// processor time at `seconds`. First called before the filter is installed; lowering is always
// allowed, so it is called again once the picture's size is known. Under AddressSanitizer, which reserves
// terabytes of address space, the address space is left alone: the game watches the decoder's resident memory
// instead.
void limitResources(long long extraBytes, double seconds);

// From now on the process may not open files, make sockets, start programs or trace others:
// a call outside the allowed set ends it with SIGSYS. Image plugins must be loaded before.
// False if the filter could not be installed (the caller then decodes nothing).
bool installSystemCallFilter();

}   // namespace zp::decoder
