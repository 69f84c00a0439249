// SPDX-License-Identifier: MIT
// Starting a picture decoder and sending it its picture, without Qt: the game's launcher does it
// before Qt is loaded, and the game itself for every later picture.
#pragma once

#include <string>
#include <sys/types.h>

namespace zp::decoder {

struct Spawned {
    pid_t pid = -1;
    int socket = -1;   // the game's end; the decoder's is its SocketFd
};

// Starts `program` with its end of a socket pair; pid -1 (and errno set) if it cannot.
Spawned spawnDecoder(const std::string& program);

// Sends the request for the picture open as `file` (`name`, without a folder, is its format hint),
// with the empty `memfd` for its pixels. Whether the whole request went.
bool sendRequest(int socket, int file, int memfd, const std::string& name);

// The folder of the running program; empty if the system does not say.
std::string programFolder();

// The program or module `name` that ships with this program: beside it (the build folder), else in
// ../libexec/zornik-puzzle/ from its folder (installed); empty if neither exists.
std::string shippedFile(const char* name);

}   // namespace zp::decoder
