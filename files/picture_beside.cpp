// SPDX-License-Identifier: MIT
// People send a puzzle file with its picture, which then lies beside it rather than where the
// sender's computer had it.
#include "files/picture_beside.h"

#include "platform/file_io.h"
#include "platform/picture_loader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zp {

QStringList picturesBeside(const QString& puzzleFile, const QString& recordedPath)
{
    const qsizetype cut = std::max(recordedPath.lastIndexOf(u'/'), recordedPath.lastIndexOf(u'\\'));
    const QString name = recordedPath.mid(cut + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    const QDir folder = QFileInfo(puzzleFile).absoluteDir();
    QStringList found{folder.filePath(name)};
    if (pathExists(found.front()))
        return found;   // the picture sent along, even if broken: never another one in its place
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found << folder.filePath(entry);
    }
    return found;
}

PicturePtr loadPuzzlePicture(PictureLoader& loader, const QString& puzzleFile, QString& path)
{
    QString reason;
    if (PicturePtr picture = loader.load(path, reason))
        return picture;
    for (const QString& beside : picturesBeside(puzzleFile, path)) {
        if (PicturePtr picture = loader.load(beside, reason)) {
            path = beside;
            return picture;
        }
    }
    return nullptr;
}

}   // namespace zp
