// SPDX-License-Identifier: MIT
// zornik-puzzle-jpeg-decoder: decodes one plain JPEG photo for the game, as zornik-puzzle-decoder
// does every picture, but without Qt: it starts in a few milliseconds instead of some fifty, so the
// start-up picture and every photo from a camera reach the window sooner. What it declines, the
// game gives to zornik-puzzle-decoder.
#include "platform/decoder/channel.h"
#include "platform/decoder/decode_jpeg.h"

using namespace zp;
using namespace zp::decoder;

int main()
{
    // Nothing to load: the filter goes on at once.
    serveOnePicture(0, [](const Request& request, int file, int memfd) {
        return decodeJpeg(file, memfd,
                          [&request](int width, int height) { announceSize(request, width, height, 0); });
    });
}
