// SPDX-License-Identifier: MIT
// The decoder's end of its socket: the game's one request in, the replies out.
#pragma once

#include "platform/decoder/decoder_protocol.h"

#include <functional>

namespace zp::decoder {

// The request and its two descriptors (picture file, memfd); false if the game went away or
// sent something else.
bool receive(Request& request, int (&fds)[2]);

void send(const Reply& reply);

// The rest of a decoder's life once its libraries are loaded: limits for the largest picture with
// `copies` further copies (see decodeMemory), the system call filter, the game's one request,
// `decode`'s reply (or a refusal if it runs out of memory), and the end, without the exit handlers:
// the pixels are in the memfd, and a leak check at exit would make system calls the filter refuses.
[[noreturn]] void serveOnePicture(int copies,
                                  const std::function<Reply(const Request&, int file, int memfd)>& decode);

// A Refused reply that gives `reason`, cut to fit (UTF-8 may lose its last character).
Reply refusal(const char* reason);

// Tells the game the picture's upright size and the further copies of its pixels the decode needs
// (see decodeMemory), then lowers the process's limits to what that size allows.
void announceSize(const Request& request, int width, int height, int copies);

}   // namespace zp::decoder
