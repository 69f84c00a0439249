// SPDX-License-Identifier: MIT
// zornik-puzzle: sends the start-up picture to its decoder, then loads the game, a module linked with
// Qt, and runs it. Loading Qt's libraries takes some 30 ms before any code of a program linked with
// them runs; the picture decodes meanwhile, and a 12-megapixel photo is on the board that much sooner.
#include "platform/decoder/decoder_spawn.h"
#include "ui/game_entry.h"

#include <cstdio>
#include <dlfcn.h>

#ifndef ZP_GAME_MODULE
#define ZP_GAME_MODULE "zornik-puzzle-game.so"
#endif

namespace {
// Where the game will find intro.jpg, as far as is known before Qt is (see startPictures): the
// current folder, beside the program (the build folder), the data folder beside its own.
std::vector<std::string> startPictureGuesses()
{
    const std::string dir = zp::decoder::programFolder();
    return {"intro.jpg", dir + "/intro.jpg", dir + "/../share/zornik-puzzle/intro.jpg"};
}
}   // namespace

int main(int argc, char* argv[])
{
    std::optional<zp::decoder::Ahead> ahead;
    if (argc == 1)   // no puzzle file and no option: the game starts on its start-up picture
        ahead = zp::decoder::decodeAhead(zp::decoder::shippedFile("zornik-puzzle-jpeg-decoder"),
                                         startPictureGuesses());
    const std::string module = zp::decoder::shippedFile(ZP_GAME_MODULE);
    void* const game = module.empty() ? nullptr : ::dlopen(module.c_str(), RTLD_LAZY | RTLD_LOCAL);
    auto* const entry = game ? reinterpret_cast<zp::GameEntry*>(::dlsym(game, zp::GameEntryName)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "%s: cannot load the game: %s\n", argv[0],
                     module.empty() ? ZP_GAME_MODULE " is missing" : ::dlerror());
        return 1;
    }
    return entry(argc, argv, ahead ? &*ahead : nullptr);
}
