// SPDX-License-Identifier: MIT
// A dropped file is handed to the command that would have asked for it.
#include "ui/file_drop.h"

#include "ui/form1.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPointer>

namespace zp {

namespace {
enum class Kind { None, Puzzle, Picture };

struct Dropped {
    Kind kind = Kind::None;
    QString path;
};

// The one local file that `mime` carries, and whether it is a puzzle file or a picture.
Dropped droppedFile(const QMimeData* mime)
{
    if (!mime || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return {};
    const QString path = mime->urls().front().toLocalFile();
    if (QFileInfo(path).suffix().compare(u"pzl", Qt::CaseInsensitive) == 0)
        return {Kind::Puzzle, path};
    if (!QImageReader::imageFormat(path).isEmpty())
        return {Kind::Picture, path};
    return {};
}
}   // namespace

FileDrop::FileDrop(Form1& form) : QObject(&form), form_(form)
{
    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);   // drag enter and move events are drop events
    const Dropped file = droppedFile(drop->mimeData());
    if (file.kind == Kind::None) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        form_.game().runCommand([form = QPointer<Form1>(&form_), file] {
            if (form && file.kind == Kind::Puzzle)
                form->openPuzzleFile(file.path);
            else if (form)
                form->useOtherImage(file.path);
        });
    }
    return true;
}

}   // namespace zp
