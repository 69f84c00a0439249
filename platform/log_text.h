// SPDX-License-Identifier: MIT
// Text from files and file names made safe to write into the log.
#pragma once

#include <QString>
#include <QStringView>

namespace zp {

// `text` with every character that could steer a terminal or a log reader shown as an escape:
// control characters (CR, LF, ESC and the rest of C0 and C1, DEL) and the byte a file name held
// that was no UTF-8 (see fileNameFromBytes) as \xNN, invisible format characters (bidi
// overrides, zero-width ones), line and paragraph separators and lone surrogates as \uNNNN.
// A backslash stays as it is. The result is one line, whatever `text` holds.
QString logText(QStringView text);

}   // namespace zp
