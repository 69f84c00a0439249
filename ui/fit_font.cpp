// Fitting captions into designed widths.
#include "ui/fit_font.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace zp {

void fitFont(const std::vector<std::pair<QWidget*, QString>>& group, int margin)
{
    if (group.empty())
        return;
    QFont font = group.front().first->font();
    const auto fits = [&](const std::pair<QWidget*, QString>& w) {
        return QFontMetrics(font).horizontalAdvance(w.second) <= w.first->width() - margin;
    };
    while (font.pointSizeF() > 6 && !std::all_of(group.begin(), group.end(), fits))
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (const auto& w : group)
        w.first->setFont(font);
}

} // namespace zp
