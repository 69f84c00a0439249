// SPDX-License-Identifier: MIT
// Finding a puzzle file's picture beside it when the recorded path is from another computer.
#pragma once

#include "platform/picture.h"
#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace zp {

class PictureLoader;

// The files in the folder of `puzzleFile` that may be the picture recorded as `recordedPath`,
// in the order to try: the file of the same name if anything of that name is there, else the
// files whose names differ from it only in letter case. The name is the text after the last "/"
// or "\" of the recorded path (a drive letter and folders are dropped); none when that is empty,
// "." or "..", so that no candidate lies outside the folder.
QStringList picturesBeside(const QString& puzzleFile, const QString& recordedPath);

// The picture at `path`, or else the first of picturesBeside(puzzleFile, path) that loads, with
// `path` changed to that file's full path. Refused, `path` unchanged, with every file tried and why
// it did not load.
Result<PicturePtr> loadPuzzlePicture(PictureLoader& loader, const QString& puzzleFile, QString& path);

}   // namespace zp
