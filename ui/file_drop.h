// SPDX-License-Identifier: MIT
// Files dropped on the main window.
#pragma once

#include <QObject>

namespace zp {

class Form1;

// Watches the main window for drops: one ".pzl" file does what "Open" does with it, one picture
// file what "Other Image" does; anything else (no local file, several files, another kind of
// file) is refused and changes nothing. A drop runs as a command does: deferred while a tile
// slides or a file replays. Owned by the window.
class FileDrop : public QObject {
public:
    explicit FileDrop(Form1& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1& form_;
};

}   // namespace zp
