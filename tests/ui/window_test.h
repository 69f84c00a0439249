// SPDX-License-Identifier: MIT
// A main window in a temporary working folder, its messages and file dialogs answered by the test.
#pragma once

#include "platform/qt/play_area_widget.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"
#include "ui/form2.h"

namespace zp::test {

// The window's tiles, which no public member gives: the tests check where each one stands.
struct WindowAccess {
    static TileControls& tiles(Form1& form) { return form.Image1_; }
};

// The button captioned `caption` in `w`, found as the user finds it.
inline QAbstractButton* buttonOf(const QWidget& w, const QString& caption)
{
    const auto all = w.findChildren<QAbstractButton*>();
    return all.value(std::ranges::find(all, caption, &QAbstractButton::text) - all.begin());
}

using Moves = std::vector<std::int16_t>;
// The awkward and broken pictures made by tools/make_hostile_pictures.py.
inline const QString HostileDir = QFileInfo(__FILE__).absoluteDir().filePath("../data/hostile");

template <class Base = ::testing::Test> struct WindowIn : Base {
    QTemporaryDir dir;
    // Puts back the working folder the test began in.
    QScopeGuard<std::function<void()>> cwd{[old = QDir::currentPath()] { QDir::setCurrent(old); }};
    ScriptedPlatform platform;
    QtPictureLoader loader;
    ScriptedDialog dialog;
    Form1 form{platform, loader, &dialog};

    WindowIn() { QDir::setCurrent(dir.path()); }
    // A plain w x h picture at `path` (relative to the folder), its folders made; its absolute path.
    QString picture(const QString& path, int w = 480, int h = 360)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString at = QDir(dir.path()).filePath(path);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(at).path()) && image.save(at, "BMP"));
        return at;
    }
    // Started as the program starts without arguments, from an intro.jpg of w x h pixels.
    void start(int w = 480, int h = 360) { picture("intro.jpg", w, h), form.Form_Load({}); }
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    // Setup Size shown, `cols` typed as the columns, then left by OK or by its close box.
    void setupSize(const char* cols, bool closeBox = false)
    {
        QTimer::singleShot(0, [this, cols, closeBox] {
            form.sizeDialog()->setColumnsText(cols);
            closeBox ? void(form.sizeDialog()->close()) : buttonOf(*form.sizeDialog(), "OK")->click();
        });
        form.Command1_Click();
    }
    bool saveEnabled() { return form.button(4)->isEnabled(); }
    Moves moves() { return form.game().history().entries(); }
    TileControls& tiles() { return WindowAccess::tiles(form); }
    QString fault()
    {
        return boardFault(form.game(), tiles(), platform.twipsPerPixelX(), platform.twipsPerPixelY());
    }
};

}   // namespace zp::test
