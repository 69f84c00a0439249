// SPDX-License-Identifier: MIT
// Start-up and the command buttons of the main window.
#include "ui/form1.h"

#include "ui/common_dialog.h"
#include "ui/form2.h"
#include "ui/start_picture.h"

#include <QFileInfo>
#include <QToolButton>

namespace zp {

namespace {
const QString PuzzleFilter = QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
const QString PictureFilter = QString::fromUtf8(
    "Bitmapy (*.bmp)|*.bmp|TIFF formát (*.tif)|*.tif|Gify (*.gif)|*.gif|JPEG soubory (*.jpg)|*.jpg|"
    "Všechny soubory soubory (*.*)|*.*");
}   // namespace

void Form1::Form_Load(const QStringList& arguments)
{
    if (!arguments.isEmpty()) {
        openPuzzleFile(arguments.join(u' '));
        return;
    }
    for (const QString& path : startPictures()) {
        if (usePicture(path)) {
            // Saved later, the board must name a picture that loads from anywhere.
            game_.PicturePath = QFileInfo(path).absoluteFilePath();
            return;
        }
    }
    platform_.messageBox(QStringLiteral("I Can't find the file intro.jpg"), MsgStyle::Critical);
}

// Loads the picture and builds a board from it at the size now set; false, with nothing
// changed, if the picture cannot be used at that size.
bool Form1::usePicture(const QString& path)
{
    QString reason;
    PicturePtr picture = loader_.load(path, reason);
    if (!picture || !game_.canCut(picture->width(), picture->height()))
        return false;
    PictureClip1_.setPicture(std::move(picture));
    game_.NewPuzzle();
    return true;
}

void Form1::Command1_Click()
{
    Form2_->showModal();
    game_.NewPuzzle();
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
    if (!usePicture(name)) {
        platform_.messageBox(CannotFindMessage, MsgStyle::Critical);
        return;
    }
    game_.PicturePath = name;
    button(4)->setEnabled(true);
}

void Form1::Command6_Click()
{
    platform_.messageBox(QStringLiteral("Zornik PUZZLE! was made by the Zornik developers.\r\n"
                                        "How to play: the manual page zornik-puzzle(6)."),
                         MsgStyle::Information, QStringLiteral("About this game"));
}

}   // namespace zp
