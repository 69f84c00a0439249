#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times the picture decoder (zornik-puzzle-decoder) as the game drives it: its start, and the decode
of each picture given from a decoder started ahead, against libjpeg-turbo's own djpeg on the same file.

Usage: decoder_times.py DECODER PICTURE...   prints one line per picture, medians of 5 runs.
"""

import os
import resource
import socket
import statistics
import struct
import subprocess
import sys
import time

REPLY = struct.Struct("<IIiiiii240s")
MAGIC = 0x5A50444B


def started(decoder):
    """A decoder process with its end of a socket pair as descriptor 3, and the game's end."""
    game, child = socket.socketpair(socket.AF_UNIX, socket.SOCK_SEQPACKET)
    process = subprocess.Popen([decoder], close_fds=False, preexec_fn=lambda: os.dup2(child.fileno(), 3))
    child.close()
    return process, game


def decode(process, game, path):
    """Sends `path` and waits for the final reply: (kind, width, height, reason, processor seconds)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    memfd = os.memfd_create("zp-picture")
    with open(path, "rb") as f:
        socket.send_fds(game, [struct.pack("<I256s", MAGIC, os.path.basename(path).encode())],
                        [f.fileno(), memfd])
        while True:
            _, kind, width, height, _, _, _, reason = REPLY.unpack(game.recv(REPLY.size).ljust(REPLY.size, b"\0"))
            if kind != 1:
                break
    os.close(memfd)
    process.wait()
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    processor = after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime
    return kind, width, height, reason.split(b"\0")[0].decode(), processor


def seconds(action):
    began = time.perf_counter()
    result = action()
    return time.perf_counter() - began, result


def main(decoder, pictures):
    one = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "hostile", "one.jpg")
    cold = [seconds(lambda: decode(*started(decoder), one))[0] for _ in range(5)]
    warm = []
    for _ in range(5):
        process, game = started(decoder)
        time.sleep(0.5)
        warm.append(seconds(lambda: decode(process, game, one))[0])
    print("%s start: 1 x 1 JPEG from a fresh decoder %.1f ms, from one started ahead %.1f ms"
          % (os.path.basename(decoder), 1000 * statistics.median(cold), 1000 * statistics.median(warm)))
    for path in pictures:
        runs, turbo, processor = [], [], []
        for _ in range(5):
            process, game = started(decoder)
            time.sleep(0.3)
            took, (kind, width, height, reason, used) = seconds(lambda: decode(process, game, path))
            runs.append(took)
            processor.append(used)
            turbo.append(seconds(lambda: subprocess.run(["djpeg", "-outfile", os.devnull, path], check=True))[0])
        what = "%d x %d" % (width, height) if kind == 2 else "refused: " + reason
        print("%s: %s, decoder %.3f s (%.3f processor s, %.4f a megapixel), djpeg %.3f s, ratio %.2f"
              % (os.path.basename(path), what, statistics.median(runs), statistics.median(processor),
                 statistics.median(processor) / (width * height / 1e6) if kind == 2 else 0,
                 statistics.median(turbo), statistics.median(runs) / statistics.median(turbo)))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
