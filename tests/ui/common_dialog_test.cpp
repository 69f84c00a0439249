// Tests of the shared file dialog: its file types, what it lists, what it returns, its scripting seam.
#include "ui/common_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace zp {
namespace {

const QString kPuzzleFilter = QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
const QString kAllFiles = QString::fromUtf8("Všechny soubory soubory (*.*)");
const QStringList kEveryFile{"README", "a.pzl", "b.txt", "c.bmp", "d.dib"};   // sorted

// Picks file type `type` unless in force, then waits for the file view to list `expected`, sorted.
::testing::AssertionResult lists(QFileDialog& dialog, const QString& type, const QStringList& expected)
{
    auto* box = dialog.findChild<QComboBox*>("fileTypeCombo");
    auto* view = dialog.findChild<QAbstractItemView*>("listView");
    if (!box || !view || box->findText(type) < 0)
        return ::testing::AssertionFailure() << "no file view or no type " << qPrintable(type);
    if (box->currentText() != type)
        dialog.selectNameFilter(type);
    QStringList names;
    for (QDeadlineTimer deadline(5000); names != expected && !deadline.hasExpired(); names.sort()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        names.clear();
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    }
    return names == expected ? ::testing::AssertionSuccess()
                             : ::testing::AssertionFailure() << qPrintable(type + ": " + names.join(", "));
}

// A folder holding a puzzle, a text file, two bitmaps and a file without a dot in its name.
class CommonDialogShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QString& name : kEveryFile)
            ASSERT_TRUE(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    }
    // Shows the dialog for `filter` in the folder, `script` playing the user, then Open/Save if `accept`.
    void show(const QString& filter, bool save, bool accept,
              const std::function<void(QFileDialog&, QLineEdit& name)>& script)
    {
        bool ran = false;
        QTimer boxWatch, runner;   // two: a timer's handler is not called again while it runs
        boxWatch.callOnTimeout([] {   // no case expects a message box, say about overwriting
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a message box appeared: " << qPrintable(box->text());
                box->reject();
            }
        });
        runner.callOnTimeout([&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!shown || std::exchange(ran, true))
                return;
            EXPECT_TRUE(shown->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(shown->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            EXPECT_EQ(shown->fileMode(), QFileDialog::AnyFile);   // a missing name goes to the command
            EXPECT_TRUE(!save || shown->testOption(QFileDialog::DontConfirmOverwrite));
            shown->setDirectory(folder.path());
            if (auto* name = shown->findChild<QLineEdit*>("fileNameEdit"))
                script(*shown, *name);
            accept ? static_cast<QDialog*>(shown)->accept() : shown->reject();   // QFileDialog's is not public
            if (shown->isVisible())
                shown->reject();
        });
        boxWatch.start(50);
        runner.start(20);
        dialog.Filter = filter;
        save ? dialog.ShowSave() : dialog.ShowOpen();
        EXPECT_TRUE(ran) << "no modal file dialog appeared";
    }
    QTemporaryDir folder;
    CommonDialog dialog{nullptr};
};

TEST_F(CommonDialogShown, SavesTypedOrExistingNamesListsByTypeKeepsPresetOnCancelOpensAnyFile)
{
    show(kPuzzleFilter, true, true, [&](QFileDialog& shown, QLineEdit& name) {
        name.setText("game.pzl");
        EXPECT_TRUE(lists(shown, kAllFiles, kEveryFile));
        EXPECT_EQ(name.text(), "game.pzl");
    });
    EXPECT_EQ(dialog.FileName, folder.filePath("game.pzl"));
    EXPECT_FALSE(QFile::exists(folder.filePath("game.pzl")));
    show(kPuzzleFilter, true, true, [](QFileDialog&, QLineEdit& name) { name.setText("a.pzl"); });
    EXPECT_EQ(dialog.FileName, folder.filePath("a.pzl"));
    const QString filter = kPuzzleFilter + "|Bitmaps (*.bmp;*.dib)|*.bmp;*.dib";
    dialog.FileName = "keep.pzl";
    show(filter, false, false, [&](QFileDialog& shown, QLineEdit& name) {
        EXPECT_EQ(name.text(), "keep.pzl");
        QStringList offered;
        for (auto* box = shown.findChild<QComboBox*>("fileTypeCombo"); box && offered.size() < box->count();)
            offered << box->itemText(offered.size());
        EXPECT_EQ(offered, CommonDialog::nameFilters(filter));
        EXPECT_TRUE(lists(shown, "Puzzle file (*.pzl)", {"a.pzl"}));
        EXPECT_TRUE(lists(shown, kAllFiles, kEveryFile));
        EXPECT_TRUE(lists(shown, "Bitmaps (*.bmp;*.dib)", {"c.bmp", "d.dib"}));
    });
    EXPECT_EQ(dialog.FileName, "keep.pzl");
    show(filter, false, true, [](QFileDialog&, QLineEdit& name) { name.setText("README"); });
    EXPECT_EQ(dialog.FileName, folder.filePath("README"));
    show(filter, false, true, [](QFileDialog&, QLineEdit& name) { name.setText("missing.pzl"); });
    EXPECT_EQ(dialog.FileName, folder.filePath("missing.pzl"));
}

} // namespace
} // namespace zp
