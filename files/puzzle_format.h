// SPDX-License-Identifier: MIT
// The .pzl puzzle file format: whole files read from and written to byte buffers.
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

namespace zp {

// What a puzzle file holds. Texts hold no line feed; a file can carry them only line by line.
struct PuzzleData {
    QString picturePath;               // line 1, whole and unchanged
    QString cols, rows;                // lines 2 and 3, as text, unchanged (e.g. " 05")
    std::vector<std::int16_t> moves;   // lines 5 .. 4+n, oldest first

    friend bool operator==(const PuzzleData&, const PuzzleData&) = default;
};

// Reads and checks a whole puzzle file held in `bytes`; refused with the line at fault. Never throws,
// never crashes on any input.
// Lines end in CR LF or a bare LF; the last may lack its end; a leading UTF-8 BOM is dropped.
// Lines 1-3 are UTF-8 when valid UTF-8, else windows-1250. Success needs lines 2 and 3 to give a
// usable board size (no picture in hand), line 4 a count from 0 to MoveHistory::Capacity and the
// next that many lines tile indexes from 2 to cols*rows. Lines after those are not looked at.
Result<PuzzleData> readPuzzle(QByteArrayView bytes);

// The file's bytes for `data`: UTF-8, every line ended by CR LF, lines 1-3 unchanged, the count
// and each move as " <digits> ". readPuzzle gives `data` back for any texts without line feeds
// and lone surrogates.
QByteArray writePuzzle(const PuzzleData& data);

}   // namespace zp
