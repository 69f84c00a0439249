// SPDX-License-Identifier: MIT
// Makes the photo formats (HEIF, HEIC, AVIF, JPEG XL) known to every QImageReader of the program.
#pragma once

#include <QtPlugin>

Q_IMPORT_PLUGIN(PhotoFormatsPlugin)
