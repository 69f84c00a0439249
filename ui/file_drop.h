// SPDX-License-Identifier: MIT
// Files dropped on the main window.
#pragma once

#include <QObject>

namespace zp {

class Form1;

// Watches the main window for drops: one ".pzl" file does what "Open" does with it, one picture
// file (a suffix of a format the loader reads) what "Other Image" does; anything else (no local
// file, several files, no regular file, another suffix) is refused and changes nothing. Nothing
// is opened while a file is dragged. A drop runs after its event has returned, as a command does:
// deferred while a tile slides or a file replays. Owned by the window.
class FileDrop : public QObject {
public:
    explicit FileDrop(Form1& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1& form_;
};

}   // namespace zp
