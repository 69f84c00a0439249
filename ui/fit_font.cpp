// SPDX-License-Identifier: MIT
// Fitting captions into the fixed widths of their controls.
#include "ui/fit_font.h"

#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zp {

namespace {
constexpr double SmallestPoints = 6;

// The share of its current width that the widest caption may take; 1 when all fit.
double shrinkNeeded(const QFont& font, const std::vector<std::pair<QWidget*, QString>>& group, int margin)
{
    const QFontMetricsF metrics(font);
    double factor = 1;
    for (const auto& [widget, caption] : group) {
        const double advance = metrics.horizontalAdvance(caption);
        if (advance > 0)
            factor = std::min(factor, (widget->width() - margin) / advance);
    }
    return factor;
}
}   // namespace

// Text width scales about linearly with the point size, so one guess usually fits; each try
// loads a font, which is what start-up pays for, so the loop rarely runs twice.
void fitFont(const std::vector<std::pair<QWidget*, QString>>& group, int margin)
{
    if (group.empty())
        return;
    QFont font = group.front().first->font();
    double factor = shrinkNeeded(font, group, margin);
    while (factor < 1 && font.pointSizeF() > SmallestPoints) {
        const double points = std::floor(font.pointSizeF() * std::min(factor, 0.97) * 2) / 2;
        font.setPointSizeF(std::max(SmallestPoints, points));
        factor = shrinkNeeded(font, group, margin);
    }
    for (const auto& w : group)
        w.first->setFont(font);
}

}   // namespace zp
