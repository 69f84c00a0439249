// SPDX-License-Identifier: MIT
// What the engine reads of the main window around the play area.
#pragma once

namespace zp {

class FormFrame {
public:
    virtual ~FormFrame() = default;
    // The window's outer width (frame included), in twips, as it is now.
    virtual float outerWidth() const = 0;
    // Upper and lower end of frame line 6 (the inner frame's right side), window twips.
    virtual float line6Y1() const = 0;
    virtual float line6Y2() const = 0;
    // Size of the background pattern (Image2), in twips.
    virtual float patternWidth() const = 0;
    virtual float patternHeight() const = 0;
};

}   // namespace zp
