// SPDX-License-Identifier: MIT
// The picture-clip service: one source picture cut into numbered cells by source rectangles.
#pragma once

#include "platform/picture.h"

#include <QRect>

namespace zp {

class PictureClip {
public:
    // Replaces the source picture (may be null: no picture).
    void setPicture(PicturePtr picture) { picture_ = std::move(picture); }
    const PicturePtr& picture() const { return picture_; }
    bool hasPicture() const { return picture_ != nullptr; }

    // Size of the whole picture in pixels, whatever the grid; 0 without a picture.
    int width() const { return picture_ ? picture_->width() : 0; }
    int height() const { return picture_ ? picture_->height() : 0; }

    // Grid; requires rows, cols >= 1.
    void setRows(int rows) { rows_ = rows; }
    void setCols(int cols) { cols_ = cols; }

    // Cell n in pixels of the source: row n div cols, column n mod cols,
    // (width div cols) x (height div rows) pixels.
    QRect cellRect(int n) const;

private:
    PicturePtr picture_;
    int rows_ = 1;
    int cols_ = 1;
};

}   // namespace zp
