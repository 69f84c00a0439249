// SPDX-License-Identifier: MIT
// zornik-puzzle-jpeg-decoder: decodes one plain JPEG photo for the game, as zornik-puzzle-decoder
// does every picture, but without Qt: it starts in a few milliseconds instead of some fifty, so the
// start-up picture and every photo from a camera reach the window sooner. What it declines, the
// game gives to zornik-puzzle-decoder.
#include "platform/decoder/channel.h"
#include "platform/decoder/decode_jpeg.h"
#include "platform/decoder/sandbox.h"
#include "platform/qt/picture_bounds.h"

#include <new>
#include <unistd.h>

using namespace zp;
using namespace zp::decoder;

int main()
{
    // Nothing to load: the filter goes on at once.
    limitResources(decodeMemory(MaxPictureBytes, 0), HeaderSeconds + decodeSeconds(MaxPicturePixels));
    if (!installSystemCallFilter())
        return 1;
    Request request;
    int fds[2] = {-1, -1};
    if (!receive(request, fds))
        return 1;
    try {
        send(decodeJpeg(fds[0], fds[1],
                        [&request](int width, int height) { announceSize(request, width, height, 0); }));
    } catch (const std::bad_alloc&) {
        send(refusal("the decoder ran out of memory"));
    }
    ::_exit(0);   // as the other decoder: no exit handlers under the filter
}
