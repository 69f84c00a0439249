// SPDX-License-Identifier: MIT
// The picture loader as the engine and the file reader see it.
#pragma once

#include "platform/picture.h"

#include <QString>

namespace zp {

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The picture in the file at `path`, or null with a reason.
    virtual PicturePtr load(const QString& path, QString& reason) = 0;
};

}   // namespace zp
