// SPDX-License-Identifier: MIT
// Start-up and the command buttons of the main window.
#include "ui/form1.h"

#include "platform/log_text.h"
#include "ui/common_dialog.h"
#include "ui/form2.h"
#include "ui/start_picture.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QToolButton>

namespace zp {

namespace {
const QString PuzzleFilter = QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
const QString PictureFilter = QString::fromUtf8(
    "Bitmapy (*.bmp)|*.bmp|TIFF formát (*.tif)|*.tif|Gify (*.gif)|*.gif|JPEG soubory (*.jpg)|*.jpg|"
    "Všechny soubory soubory (*.*)|*.*");
Q_LOGGING_CATEGORY(picturesLog, "zp.pictures")
}   // namespace

void Form1::Form_Load(const QStringList& arguments)
{
    if (!arguments.isEmpty()) {
        openPuzzleFile(arguments.join(u' '));
        return;
    }
    QStringList reasons;
    for (const QString& path : startPictures()) {
        // Saved later, the board must name a picture that loads from anywhere.
        const Result<> used = usePicture(path, QFileInfo(path).absoluteFilePath());
        if (used)
            return;
        reasons << path + QStringLiteral(": ") + used.reason();
    }
    qCWarning(picturesLog).noquote() << logText(QStringLiteral("cannot find the start-up picture: ") +
                                                reasons.join(u"; "));
    platform_.messageBox(QStringLiteral("I Can't find the file intro.jpg"), MsgStyle::Critical);
}

// Loads the picture at `path` and builds a board from it at the size now set, recording it as
// `recorded`; refused, with nothing changed, if the picture cannot be used at that size.
Result<> Form1::usePicture(const QString& path, const QString& recorded)
{
    Result<PicturePtr> picture = reader_.load(path);
    return picture ? game_.newPuzzleFrom(std::move(*picture), recorded) : picture.refusal();
}

void Form1::Command1_Click()
{
    Form2_->showModal();
    // The dialog takes only sizes the picture can be cut at, but its close box brings back 4 x 4,
    // and after a failed start there is no picture: the board in play then stays.
    if (const Result<> built = game_.NewPuzzle(); !built)
        qCWarning(picturesLog).noquote()
            << logText(QStringLiteral("cannot cut a new board: ") + built.reason());
}

// The shared file dialog, used the same way by every command: set the filter, show, take the
// name and leave the dialog's name empty for the next use. An empty name means cancelled.
QString Form1::askFileName(const QString& filter, bool save)
{
    CommonDialog1_->Filter = filter;
    if (save)
        CommonDialog1_->ShowSave();
    else
        CommonDialog1_->ShowOpen();
    const QString name = CommonDialog1_->FileName;
    CommonDialog1_->FileName.clear();
    return name;
}

void Form1::Command2_Click()
{
    const QString name = askFileName(PuzzleFilter, false);
    if (!name.isEmpty())
        openPuzzleFile(name);
}

void Form1::openPuzzleFile(const QString& name)
{
    files_.OpenPuzzle(name);
    button(4)->setEnabled(true);
}

void Form1::Command4_Click()
{
    const QString name = askFileName(PuzzleFilter, true);
    if (!name.isEmpty())
        files_.SavePuzzle(name);
}

void Form1::Command5_Click()
{
    const QString name = askFileName(PictureFilter, false);
    if (!name.isEmpty())
        useOtherImage(name);
}

void Form1::useOtherImage(const QString& name)
{
    const Result<> used = usePicture(name, name);
    if (!used && game_.closing())
        return;   // the window closed while the picture was read
    if (!used) {
        qCWarning(picturesLog).noquote()
            << logText(QStringLiteral("cannot use the picture \"%1\": %2").arg(name, used.reason()));
        platform_.messageBox(CannotFindMessage.toString(), MsgStyle::Critical);
        return;
    }
    button(4)->setEnabled(true);
}

void Form1::Command6_Click()
{
    platform_.messageBox(QStringLiteral("Zornik PUZZLE! was made by the Zornik developers.\r\n"
                                        "How to play: the manual page zornik-puzzle(6)."),
                         MsgStyle::Information, QStringLiteral("About this game"));
}

}   // namespace zp
