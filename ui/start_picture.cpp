// SPDX-License-Identifier: MIT
// Started from a desktop menu, the current folder is the user's home: the start-up picture then
// comes from where the game is installed.
#include "ui/start_picture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace zp {

QStringList startPictures()
{
    const QString name = QStringLiteral("intro.jpg");
    // The program's folder, known also before the application object is made.
    const QString programDir =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    QStringList places{name};
    const QString installed = QCoreApplication::instance()
        ? QStandardPaths::locate(QStandardPaths::AppDataLocation, name)
        : QString();
    if (!installed.isEmpty())
        places << installed;
    places << programDir + u'/' + name << programDir + QStringLiteral("/../share/zornik-puzzle/") + name;
    return places;
}

}   // namespace zp
