// SPDX-License-Identifier: MIT
// The main window: button bar, frame lines, play area, and the game it owns.
#pragma once

#include "engine/form_frame.h"
#include "engine/game.h"
#include "files/puzzle_files.h"
#include "platform/picture_clip.h"
#include "platform/play_area_control.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_platform.h"
#include "platform/tile_controls.h"
#include "ui/layout.h"
#include "ui/reading_loader.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class QFrame;
class QPainter;
class QToolButton;

namespace zp {

class CommonDialog;
class Form2;
class PlayAreaWidget;
namespace test {
struct WindowAccess;
}

class Form1 : public QWidget, private FormFrame {
    Q_OBJECT
public:
    // `platform`, `loader` and `dialog` are the services the window uses; tests pass scripted
    // ones. All must outlive the window. Null dialog: the window makes its own.
    Form1(QtPlatform& platform, PictureLoader& loader, CommonDialog* dialog, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: no arguments builds a 4 x 4 board from "intro.jpg" (see startPictures);
    // otherwise the arguments, joined by single blanks, name a puzzle file to open.
    void Form_Load(const QStringList& arguments);

    // The six command buttons, and what they do (also callable from tests).
    void Command1_Click();                           // "Setup Size"
    void Command2_Click();                           // "Open"
    void Command3_Click() { game_.solveOrStop(); }   // "Solve It!"
    void Command4_Click();                           // "Save"
    void Command5_Click();                           // "Other Image"
    void Command6_Click();                           // "About"
    // A press of any mouse button on tile Index.
    void Image1_MouseDown(std::int16_t Index) { game_.pressTile(Index); }
    // What "Open" and "Other Image" do with the file chosen (also for a file dropped on the window).
    void openPuzzleFile(const QString& name);
    void useOtherImage(const QString& name);

    // The window's public wait: Doba seconds while the window stays alive (events go on); never
    // returns earlier.
    void delay(double Doba) { game_.delay(Doba); }

    // The game in play; a dropped file's command runs through it as a button's does.
    Game& game() { return game_; }
    // The picture cut into tiles (no picture: an empty clip).
    const PictureClip& PictureClip1() const { return PictureClip1_; }
    PlayAreaWidget* Picture1() const { return Picture1_; }
    Form2* sizeDialog() const { return Form2_; }
    QToolButton* button(int n) const { return commands_[n - 1]; }   // Command1 .. Command6

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend struct test::WindowAccess;   // the tests' one way in: they check where each tile stands

    // Runs the layout with the window's size as it is now.
    void Form_Resize();
    float outerWidth() const override;
    float line6Y1() const override { return layout_.lines[InnerRight].Y1; }
    float line6Y2() const override { return layout_.lines[InnerRight].Y2; }
    float patternWidth() const override;
    float patternHeight() const override;

    void buildControls();
    void buildButtons();
    void wireButtons();
    void applyLayout();
    void followFactors();
    void watchScreen();
    void followScreen();            // the window went to another screen
    QPointF logicalTwips() const;   // twipsPerLogicalPixel of this window
    QRect pixels(const TwipsRect& r) const;
    Result<> usePicture(const QString& path, const QString& recorded);
    QString askFileName(const QString& filter, bool save);
    void wirePlayInput();   // arrow keys on the play area, files dropped on the window
    void paintFocusFrame(QPainter& p);

    QtPlatform& platform_;
    TileControls Image1_;
    PlayAreaControl playArea_;
    PictureClip PictureClip1_;
    QImage Image2_;
    LayoutTargets layout_;
    QSize laidOutFor_;
    QPointF factors_;   // twips per device pixel the window was last laid out with
    QMetaObject::Connection dpiWatch_;
    bool centredWithFrame_ = false;
    QFrame* Frame1_ = nullptr;
    std::array<QToolButton*, 6> commands_{};
    PlayAreaWidget* Picture1_ = nullptr;
    Form2* Form2_ = nullptr;
    std::unique_ptr<CommonDialog> ownDialog_;
    CommonDialog* CommonDialog1_ = nullptr;
    Game game_;
    ReadingLoader reader_;   // the loader, the game kept waiting while it reads
    PuzzleFiles files_;
};

}   // namespace zp
