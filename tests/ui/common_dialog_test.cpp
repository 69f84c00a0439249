// SPDX-License-Identifier: MIT
// Tests of the shared file dialog as Qt shows it: the program's file types, the preset, the name it returns.
#include "tests/ui/scripted.h"

using namespace zp;

const QString kFilter = QString::fromUtf8(
    "Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*|Bitmaps (*.bmp;*.dib)|*.bmp;*.dib");

class CommonDialogShown : public ::testing::Test {
protected:
    // Shows the dialog in the folder, `script` playing the user, then Open/Save if `accept`.
    void show(bool save, bool accept, const std::function<void(QFileDialog&, QLineEdit& name)>& script)
    {
        bool ran = false;
        QTimer boxWatch, runner;      // two: a timer's handler is not called again while it runs
        boxWatch.callOnTimeout([] {   // no case expects a message box, say about a missing file
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a message box appeared: " << qPrintable(box->text());
                box->reject();
            }
        });
        runner.callOnTimeout([&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* name = shown ? shown->findChild<QLineEdit*>("fileNameEdit") : nullptr;
            if (!name || std::exchange(ran, true))
                return;
            // A missing name goes to the command, which also asks before overwriting.
            EXPECT_TRUE(shown->testOption(QFileDialog::DontUseNativeDialog) &&
                        shown->fileMode() == QFileDialog::AnyFile &&
                        shown->acceptMode() == (save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen) &&
                        (!save || shown->testOption(QFileDialog::DontConfirmOverwrite)));
            shown->setDirectory(folder.path());
            script(*shown, *name);
            accept ? static_cast<QDialog*>(shown)->accept()
                   : shown->reject();   // QFileDialog's is not public
            if (shown->isVisible())
                shown->reject();
        });
        boxWatch.start(50);
        runner.start(20);
        dialog.Filter = kFilter;
        save ? dialog.ShowSave() : dialog.ShowOpen();
        EXPECT_TRUE(ran) << "no modal file dialog appeared";
    }
    QTemporaryDir folder;
    CommonDialog dialog{nullptr};
};

TEST_F(CommonDialogShown, ReturnsAnyNameTypedOrKeepsThePresetOnCancel)
{
    dialog.FileName = "keep.pzl";
    show(false, false, [&](QFileDialog& shown, QLineEdit& name) {
        EXPECT_EQ(name.text(), "keep.pzl");
        QStringList offered;
        for (auto* box = shown.findChild<QComboBox*>("fileTypeCombo"); box && offered.size() < box->count();)
            offered << box->itemText(offered.size());
        EXPECT_EQ(offered.join('|'),
                  "Puzzle file (*.pzl)|Všechny soubory soubory (*.*)|Bitmaps (*.bmp;*.dib)");
    });
    EXPECT_EQ(dialog.FileName, "keep.pzl") << "the preset, kept on cancel";
    for (auto [save, typed] : {std::pair{true, "game.pzl"}, {false, "README"}, {false, "missing.pzl"}}) {
        // Empty, as every command leaves it: a preset would be selected again once Qt has listed
        // the folder, which may come after the typing.
        dialog.FileName.clear();
        show(save, true, [typed = typed](QFileDialog& shown, QLineEdit& name) {
            name.setText(typed);
            // "Všechny soubory soubory (*.*)" chosen: files without a dot are listed, the name stays
            emit shown.findChild<QComboBox*>("fileTypeCombo")->activated(1);
            EXPECT_EQ(shown.findChild<QFileSystemModel*>()->nameFilters(), QStringList("*"));
        });
        EXPECT_EQ(dialog.FileName, folder.filePath(typed)) << typed;
    }
}
