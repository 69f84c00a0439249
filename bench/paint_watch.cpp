// SPDX-License-Identifier: MIT
// The paint event filter.
#include "bench/paint_watch.h"

#include <QEvent>
#include <QWidget>

namespace zp::bench {

PaintWatch::PaintWatch(QWidget* widget, std::function<void()> onPaint) : onPaint_(std::move(onPaint))
{
    widget->installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        onPaint_();
    return false;
}

}   // namespace zp::bench
