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

Result<PicturePtr> loadPuzzlePicture(PictureLoader& loader, const QString& puzzleFile, QString& path)
{
    Result<PicturePtr> picture = loader.load(path);
    if (picture)
        return picture;
    QString reason = QStringLiteral("picture \"%1\": %2").arg(path, picture.reason());
    for (const QString& beside : picturesBeside(puzzleFile, path)) {
        if (beside == path)
            continue;   // the recorded path itself, refused already
        picture = loader.load(beside);
        if (picture) {
            path = beside;
            return picture;
        }
        reason += QStringLiteral("; \"%1\": %2").arg(beside, picture.reason());
    }
    return Refusal{reason};
}

}   // namespace zp
