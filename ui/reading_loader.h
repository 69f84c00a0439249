// SPDX-License-Identifier: MIT
// The picture loader as the main window uses it: the window stays alive while a picture is
// decoded, and the game takes input meanwhile as during a slide.
#pragma once

#include "engine/game.h"
#include "platform/picture_loader.h"

namespace zp {

class ReadingLoader : public PictureLoader {
public:
    // Both must outlive the loader.
    ReadingLoader(PictureLoader& loader, Game& game) : loader_(loader), game_(game) {}
    Result<PicturePtr> load(const QString& path) override
    {
        ++depth_;   // a picture read from a command deferred into the wait of another
        game_.setReadingPicture(true);
        Result<PicturePtr> loaded = loader_.load(path);
        game_.setReadingPicture(--depth_ > 0);
        return loaded;
    }

private:
    PictureLoader& loader_;
    Game& game_;
    int depth_ = 0;
};

}   // namespace zp
