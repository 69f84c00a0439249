// SPDX-License-Identifier: MIT
// The start-up picture sent to a JPEG decoder before Qt is loaded, for the game to take over.
#pragma once

#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace zp::decoder {

// A JPEG decoder at work on a picture: the game waits for its reply as for any decoder's.
struct Ahead {
    pid_t pid;
    int socket;
    int memfd;          // for the pixels, owned by whoever takes this over
    struct stat file;   // the picture's file as it was when sent
};

// Opens the first of `paths` that is a regular file (as the game opens pictures: without
// waiting on a device or a pipe) and, if it begins as a JPEG does, starts the JPEG decoder
// `program` on it. Nothing if none opens, it is no JPEG, `program` is empty, or a step fails.
std::optional<Ahead> decodeAhead(const std::string& program, const std::vector<std::string>& paths);

// Whether the file open as `fd` begins as a JPEG does; read without moving its offset.
bool looksLikeJpeg(int fd);

// Whether `a` and `b` describe the same file, unchanged: same device, node, size and time.
bool sameFile(const struct stat& a, const struct stat& b);

}   // namespace zp::decoder
