// SPDX-License-Identifier: MIT
// Telling when a widget gets painted.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace zp::bench {

// Calls `onPaint` each time `widget` receives a paint event, just before the widget paints.
// Requires the widget to outlive the watch.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* widget, std::function<void()> onPaint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onPaint_;
};

}   // namespace zp::bench
