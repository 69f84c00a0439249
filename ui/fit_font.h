// SPDX-License-Identifier: MIT
// One font for a group of captions that must fit the fixed widths of their controls.
#pragma once

#include <QString>

#include <utility>
#include <vector>

class QWidget;

namespace zp {

// Gives every widget of the group the largest font, no larger than the first one's, at which
// each caption fits its widget's width less `margin` pixels (down to 6 points). The widths
// are fixed in twips whatever the font; this keeps captions whole instead of elided.
void fitFont(const std::vector<std::pair<QWidget*, QString>>& group, int margin);

}   // namespace zp
