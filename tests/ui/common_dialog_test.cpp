// Tests of the shared file dialog: its file types, what it lists, what it returns, its scripting seam.
#include "ui/common_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace zp {
namespace {

const QString kPuzzleFilter =
    QString::fromUtf8("Puzzle file (*.pzl)|*.pzl|Všechny soubory soubory (*.*)|*.*");
const QString kPictureFilter = QString::fromUtf8(
    "Bitmapy (*.bmp)|*.bmp|TIFF formát (*.tif)|*.tif|Gify (*.gif)|*.gif|"
    "JPEG soubory (*.jpg)|*.jpg|Všechny soubory soubory (*.*)|*.*");
const QString kAllFiles = QString::fromUtf8("Všechny soubory soubory (*.*)");

// --- The file types offered -------------------------------------------------------------------

TEST(CommonDialogFilters, PuzzleFilterGivesItsDescriptionsExactly)
{
    EXPECT_EQ(CommonDialog::nameFilters(kPuzzleFilter),
              (QStringList{QStringLiteral("Puzzle file (*.pzl)"), kAllFiles}));
}

TEST(CommonDialogFilters, PictureFilterGivesItsDescriptionsExactly)
{
    EXPECT_EQ(CommonDialog::nameFilters(kPictureFilter),
              (QStringList{QStringLiteral("Bitmapy (*.bmp)"), QString::fromUtf8("TIFF formát (*.tif)"),
                           QStringLiteral("Gify (*.gif)"), QStringLiteral("JPEG soubory (*.jpg)"),
                           kAllFiles}));
}

TEST(CommonDialogFilters, DescriptionsGetTheirPatternsListedOnlyWhenMissing)
{
    EXPECT_EQ(CommonDialog::nameFilters(QStringLiteral("Puzzle|*.pzl")),
              QStringList{QStringLiteral("Puzzle (*.pzl)")});
    EXPECT_EQ(CommonDialog::nameFilters(QStringLiteral("Bitmaps (*.bmp;*.dib)|*.bmp;*.dib")),
              QStringList{QStringLiteral("Bitmaps (*.bmp;*.dib)")});
    EXPECT_EQ(CommonDialog::nameFilters(QStringLiteral("Pictures (JPEG)|*.jpg;*.jpeg")),
              QStringList{QStringLiteral("Pictures (JPEG) (*.jpg *.jpeg)")});
    EXPECT_TRUE(CommonDialog::nameFilters(QString()).isEmpty());
}

// --- The real dialog, shown off screen -----------------------------------------------------------

// Runs `script` on the file dialog as soon as it is up; the script closes it.
void whenDialogShows(std::function<void(QFileDialog&)> script)
{
    QTimer::singleShot(0, [script] {
        QDeadlineTimer deadline(5000);
        QFileDialog* dialog = nullptr;
        while (!(dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
               && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (dialog) {
            script(*dialog);
            return;
        }
        ADD_FAILURE() << "no modal file dialog appeared";
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* stray = qobject_cast<QFileDialog*>(widget))
                stray->reject();
        }
    });
}

// The names the dialog's file view shows, once they are `expected` or after a while.
QStringList listedSoon(QFileDialog& dialog, QStringList expected)
{
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view)
        return {QStringLiteral("<no file view>")};
    expected.sort();
    QStringList names;
    QDeadlineTimer deadline(5000);
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names << view->model()->index(row, 0, root).data().toString();
        names.sort();
    } while (names != expected && !deadline.hasExpired());
    return names;
}

// Picks a file type the way a user does, with the arrow keys on the file-type box.
void chooseFileType(QFileDialog& dialog, const QString& text)
{
    auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(box, nullptr);
    const int target = box->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    for (int step = 0; step < box->count() && box->currentIndex() != target; ++step) {
        QKeyEvent key(QEvent::KeyPress, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up,
                      Qt::NoModifier);
        QApplication::sendEvent(box, &key);
    }
}

QStringList fileTypes(QFileDialog& dialog)
{
    QStringList texts;
    if (auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    return texts;
}

QString typedName(QFileDialog& dialog)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QStringLiteral("<no name field>");
}

void typeName(QFileDialog& dialog, const QString& name)
{
    if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(name);
}

// Presses the dialog's own Open or Save button (QFileDialog hides accept() behind QDialog's).
// A message box raised meanwhile is dismissed, and so is the dialog if it stays open, so that
// a failing case cannot hang; returns whether such a box appeared.
bool pressAccept(QFileDialog& dialog)
{
    bool boxShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxShown = true;
            box->reject();
        }
    });
    watch.start(50);
    static_cast<QDialog&>(dialog).accept();
    if (dialog.isVisible())
        dialog.reject();
    return boxShown;
}

// A folder holding a puzzle, a text file and a file without a dot in its name.
class CommonDialogShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"a.pzl", "b.txt", "README"})
            makeFile(QString::fromLatin1(name));
    }
    void makeFile(const QString& name)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    CommonDialog dialog{nullptr};
};

TEST_F(CommonDialogShown, OffersTheDescriptionsAsFileTypes)
{
    QStringList offered;
    whenDialogShows([&](QFileDialog& shown) {
        offered = fileTypes(shown);
        shown.reject();
    });
    dialog.Filter = kPictureFilter;
    dialog.ShowOpen();
    EXPECT_EQ(offered, CommonDialog::nameFilters(kPictureFilter));
}

TEST_F(CommonDialogShown, ListsOnlyPuzzlesUnderThePuzzleTypeAndEveryFileUnderAllFiles)
{
    whenDialogShows([&](QFileDialog& shown) {
        shown.setDirectory(folder.path());
        EXPECT_EQ(listedSoon(shown, {"a.pzl"}), QStringList{"a.pzl"});
        chooseFileType(shown, kAllFiles);
        EXPECT_EQ(listedSoon(shown, {"a.pzl", "b.txt", "README"}),
                  (QStringList{"README", "a.pzl", "b.txt"}));
        chooseFileType(shown, QStringLiteral("Puzzle file (*.pzl)"));
        EXPECT_EQ(listedSoon(shown, {"a.pzl"}), QStringList{"a.pzl"});
        shown.reject();
    });
    dialog.Filter = kPuzzleFilter;
    dialog.ShowOpen();
}

TEST_F(CommonDialogShown, PatternsSeparatedBySemicolonsEachCount)
{
    makeFile(QStringLiteral("c.bmp"));
    makeFile(QStringLiteral("d.dib"));
    whenDialogShows([&](QFileDialog& shown) {
        shown.setDirectory(folder.path());
        EXPECT_EQ(listedSoon(shown, {"c.bmp", "d.dib"}), (QStringList{"c.bmp", "d.dib"}));
        shown.reject();
    });
    dialog.Filter = QStringLiteral("Bitmaps (*.bmp;*.dib)|*.bmp;*.dib");
    dialog.ShowOpen();
}

TEST_F(CommonDialogShown, OpenReturnsTheChosenExistingFileAsAnAbsolutePath)
{
    whenDialogShows([&](QFileDialog& shown) {
        EXPECT_TRUE(shown.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(shown.fileMode(), QFileDialog::ExistingFile);
        chooseFileType(shown, kAllFiles);
        shown.selectFile(path(QStringLiteral("README")));
        EXPECT_FALSE(pressAccept(shown));
    });
    dialog.Filter = kPuzzleFilter;
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, path(QStringLiteral("README")));
}

TEST_F(CommonDialogShown, CancelLeavesThePresetNameUnchanged)
{
    QString shownName;
    whenDialogShows([&](QFileDialog& shown) {
        shownName = typedName(shown);
        shown.reject();
    });
    dialog.Filter = kPuzzleFilter;
    dialog.FileName = QStringLiteral("keep.pzl");
    dialog.ShowOpen();
    EXPECT_EQ(shownName, QStringLiteral("keep.pzl"));
    EXPECT_EQ(dialog.FileName, QStringLiteral("keep.pzl"));
}

TEST_F(CommonDialogShown, SaveAcceptsAnExistingFileWithoutAsking)
{
    whenDialogShows([&](QFileDialog& shown) {
        EXPECT_TRUE(shown.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(shown.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(shown.fileMode(), QFileDialog::AnyFile);
        shown.selectFile(path(QStringLiteral("a.pzl")));
        EXPECT_FALSE(pressAccept(shown)) << "the dialog asked about overwriting";
    });
    dialog.Filter = kPuzzleFilter;
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, path(QStringLiteral("a.pzl")));
}

TEST_F(CommonDialogShown, SaveReturnsANewTypedNameWithoutWritingIt)
{
    whenDialogShows([&](QFileDialog& shown) {
        shown.setDirectory(folder.path());
        typeName(shown, QStringLiteral("new.pzl"));
        EXPECT_FALSE(pressAccept(shown));
    });
    dialog.Filter = kPuzzleFilter;
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, path(QStringLiteral("new.pzl")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("new.pzl"))));
}

TEST_F(CommonDialogShown, SaveKeepsTheTypedNameWhenAllFilesIsChosen)
{
    whenDialogShows([&](QFileDialog& shown) {
        shown.setDirectory(folder.path());
        typeName(shown, QStringLiteral("game.pzl"));
        chooseFileType(shown, kAllFiles);
        EXPECT_EQ(typedName(shown), QStringLiteral("game.pzl"));
        EXPECT_EQ(listedSoon(shown, {"a.pzl", "b.txt", "README"}),
                  (QStringList{"README", "a.pzl", "b.txt"}));
        shown.reject();
    });
    dialog.Filter = kPuzzleFilter;
    dialog.ShowSave();
    EXPECT_TRUE(dialog.FileName.isEmpty());
}

// --- The scripting seam ------------------------------------------------------------------------

// Answers from a script instead of showing a dialog, and notes what it was asked.
class ScriptedDialog : public CommonDialog {
public:
    using CommonDialog::CommonDialog;
    struct Call {
        bool save;
        QStringList nameFilters;
        QString preset;
    };
    QString answer;
    std::vector<Call> calls;

protected:
    QString run(bool save, const QStringList& nameFilters, const QString& preset) override
    {
        calls.push_back({save, nameFilters, preset});
        return answer;
    }
};

TEST(CommonDialogScripted, RunIsAskedWithModeFiltersAndPreset)
{
    ScriptedDialog dialog(nullptr);
    dialog.Filter = kPuzzleFilter;
    dialog.FileName = QStringLiteral("old.pzl");
    dialog.answer = QStringLiteral("/games/new.pzl");
    dialog.ShowSave();
    dialog.Filter = kPictureFilter;
    dialog.ShowOpen();
    ASSERT_EQ(dialog.calls.size(), 2u);
    EXPECT_TRUE(dialog.calls[0].save);
    EXPECT_EQ(dialog.calls[0].nameFilters, CommonDialog::nameFilters(kPuzzleFilter));
    EXPECT_EQ(dialog.calls[0].preset, QStringLiteral("old.pzl"));
    EXPECT_FALSE(dialog.calls[1].save);
    EXPECT_EQ(dialog.calls[1].nameFilters, CommonDialog::nameFilters(kPictureFilter));
    EXPECT_EQ(dialog.calls[1].preset, QStringLiteral("/games/new.pzl"));
    EXPECT_EQ(dialog.FileName, QStringLiteral("/games/new.pzl"));
}

TEST(CommonDialogScripted, AnEmptyAnswerLeavesFileName)
{
    ScriptedDialog dialog(nullptr);
    dialog.FileName = QStringLiteral("kept.pzl");
    dialog.ShowOpen();
    dialog.ShowSave();
    EXPECT_EQ(dialog.calls.size(), 2u);
    EXPECT_EQ(dialog.FileName, QStringLiteral("kept.pzl"));
}

} // namespace
} // namespace zp
