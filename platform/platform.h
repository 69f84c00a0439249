// SPDX-License-Identifier: MIT
// What the game needs of the windowing system besides its controls.
#pragma once

#include <QString>

namespace zp {

// Message box styles; the numbers are the style codes (icon plus buttons) the program uses.
enum class MsgStyle {
    Critical = 16,         // critical icon, OK
    Exclamation = 48,      // exclamation icon, OK
    Information = 64,      // information icon, OK
    QuestionYesNo = 292,   // question icon, Yes and No, No the default
};

enum class MsgResult { Ok, Yes, No };

class Platform {
public:
    virtual ~Platform() = default;

    // Twips per screen pixel, horizontally and vertically. Always positive; read afresh at each use.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;

    // Runs the pending events (repaints, input) and returns.
    virtual void processEvents() = 0;

    // Monotonic seconds from an arbitrary start; never goes back.
    virtual double clock() const = 0;

    // Blocks, running events as they arrive, until clock() >= deadline or interruptWait() is called.
    // Must not spin.
    virtual void waitUntil(double deadline) = 0;

    // Makes a running waitUntil return at once (used when the program is closing).
    virtual void interruptWait() = 0;

    // The system's warning sound.
    virtual void beep() = 0;

    // A modal message box; an empty title means the program's name.
    virtual MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) = 0;
};

}   // namespace zp
