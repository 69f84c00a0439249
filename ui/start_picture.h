// SPDX-License-Identifier: MIT
// Where the start-up picture is looked for.
#pragma once

#include <QStringList>

namespace zp {

// The places of "intro.jpg", in the order to try: the current folder, then the installed data
// folder (the application's data locations, e.g. /usr/share/zornik-puzzle), then beside the
// program (the build folder) and its installed data folder relative to the program.
QStringList startPictures();

}   // namespace zp
