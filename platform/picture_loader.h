// SPDX-License-Identifier: MIT
// The picture loader as the engine and the file reader see it.
#pragma once

#include "platform/picture.h"
#include "platform/result.h"

#include <QString>

namespace zp {

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The picture in the file at `path` (never null), or why there is none.
    virtual Result<PicturePtr> load(const QString& path) = 0;
};

}   // namespace zp
