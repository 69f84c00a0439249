// SPDX-License-Identifier: MIT
// A dropped file is handed to the command that would have asked for it.
#include "ui/file_drop.h"

#include "platform/qt/formats/photo_format_keys.h"
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

// The one local file that `mime` carries, and whether it is a puzzle file or a picture: told by
// its name and, without opening it, its kind. Reading a FIFO or a terminal would keep the window
// waiting, and a drag sends an event at every move of the mouse.
Dropped droppedFile(const QMimeData* mime)
{
    if (!mime || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return {};
    const QFileInfo file(mime->urls().front().toLocalFile());
    const QByteArray suffix = file.suffix().toLower().toUtf8();
    const Kind kind = suffix == "pzl"                            ? Kind::Puzzle
        : QImageReader::supportedImageFormats().contains(suffix) ? Kind::Picture
        : photoFormatKeys().contains(suffix)                     ? Kind::Picture
                                                                 : Kind::None;
    if (kind == Kind::None || !file.isFile())   // a regular file, also behind a link
        return {};
    return {kind, file.filePath()};
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
    if (type != QEvent::Drop)
        return true;
    // Run once the drop event has returned, so that the program the file came from hears at once
    // that the drop is over rather than after the command's messages and replay.
    QMetaObject::invokeMethod(
        this,
        [this, file] {
            form_.game().runCommand([form = QPointer<Form1>(&form_), file] {
                if (form && file.kind == Kind::Puzzle)
                    form->openPuzzleFile(file.path);
                else if (form)
                    form->useOtherImage(file.path);
            });
        },
        Qt::QueuedConnection);
    return true;
}

}   // namespace zp
