// SPDX-License-Identifier: MIT
// Started from a desktop menu, the current folder is the user's home: the start-up picture then
// comes from where the game is installed.
#include "ui/start_picture.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace zp {

QStringList startPictures()
{
    const QString name = QStringLiteral("intro.jpg");
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList places{name};
    const QString installed = QStandardPaths::locate(QStandardPaths::AppDataLocation, name);
    if (!installed.isEmpty())
        places << installed;
    places << programDir + u'/' + name << programDir + QStringLiteral("/../share/zornik-puzzle/") + name;
    return places;
}

}   // namespace zp
