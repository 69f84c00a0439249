// SPDX-License-Identifier: MIT
// Bounds on the work of decoding JPEG data: each scan of a progressive JPEG walks every block of
// the picture again, so a small file of thousands of scans keeps the decoder busy for minutes.
#pragma once

#include "platform/picture.h"

#include <QIODevice>

namespace zp {

// Most scans one JPEG may have. A progressive JPEG from a camera or an editor has about ten;
// libjpeg-turbo's own tools refuse more than 500.
inline constexpr int MaxJpegScans = 500;
// Most pixels that all scans together may walk: 32 passes over the largest picture taken,
// far above the ten of a real progressive photo of that size.
inline constexpr long long MaxScannedPixels = 32 * MaxPicturePixels;

// Whether the JPEG data in `file`, a JPEG or JPEG strips or tiles inside a TIFF, passes either
// bound. The scans are counted from their markers, without decoding, as libjpeg reads them: one
// JPEG starts at the file's start and at each strip's offset (once, however many strips name
// it), and ends at its end-of-image marker or its strip's byte count; each scan counts the pixels
// of its JPEG's frame. More bytes walked in all than the file holds (strips that overlap) also
// count as too many. Reads at most that much, and puts the position back. Only a quick first
// check: the decoder process's limits are what hold.
bool hasTooManyScans(QIODevice& file);

}   // namespace zp
