// SPDX-License-Identifier: MIT
// The game's side of its picture decoder: a process of its own, started ahead of need, that
// decodes one picture into shared memory and is ended by the game if it takes too long.
#pragma once

#include "platform/decoder/decoder_protocol.h"
#include "platform/result.h"

#include <QString>

#include <memory>
#include <sys/types.h>

namespace zp {

// A picture's pixels in a memfd (owned by the receiver, who closes it), as the decoder said.
struct DecodedPixels {
    int memfd = -1;
    decoder::Reply reply;
};

struct DecodeBound;

class DecoderProcess {
public:
    // Starts `program` with its end of a socket pair; refused with the system's reason.
    static Result<std::unique_ptr<DecoderProcess>> start(const QString& program);
    // Takes over process `pid` with its `socket` and, if it is at work on a picture, its `memfd`.
    DecoderProcess(pid_t pid, int socket, int memfd = -1) : pid_(pid), socket_(socket), memfd_(memfd) {}
    DecoderProcess(const DecoderProcess&) = delete;
    DecoderProcess& operator=(const DecoderProcess&) = delete;
    // Ends the process if it still runs, and reaps it; closes the pixels of a picture not finished.
    ~DecoderProcess();

    // Sends the picture open as `file` (`name`, without a folder, is the format hint) and returns
    // at once: the process decodes it while the program goes on, until finish.
    Result<> begin(int file, const QString& name);
    // Waits, while the program's events go on, for the header of the picture begun and then for
    // processor time that grows with its claimed size (and a multiple of it on the clock); past
    // it, or past its memory bound, the process is killed. Every way the process fails gives a
    // refusal with the reason; a JPEG decoder that does not take the file gives pixels without a
    // memfd and a Declined reply. Once this returns, the process has ended, so nothing else holds
    // the pixels. One picture per process.
    Result<DecodedPixels> finish();

private:
    Result<decoder::Reply> nextReply(const DecodeBound& bound);
    QString endReason();

    pid_t pid_;
    int socket_;
    int memfd_ = -1;   // the pixels of the picture begun
};

}   // namespace zp
