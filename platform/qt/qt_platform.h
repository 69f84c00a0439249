// SPDX-License-Identifier: MIT
// The platform services on Qt: screen factors, events, clock, waiting, beep and message boxes.
#pragma once

#include "platform/platform.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <vector>

class QEventLoop;

namespace zp {

inline constexpr QStringView ProgramName = u"Zornik PUZZLE!";

// Twips per logical pixel of `widget`, the unit of its geometry: the platform's twips per device
// pixel times the widget's device pixel ratio.
QPointF twipsPerLogicalPixel(const Platform& platform, const QWidget& widget);

class QtPlatform : public Platform {
public:
    QtPlatform();

    // The window whose screen gives the factors and which parents the message boxes.
    void setWindow(QWidget* window) { window_ = window; }

    // Twips per device pixel: the screen pixel that shows one picture pixel, so they change
    // with the window's device pixel ratio as well as with the screen's logical dpi.
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    void processEvents() override;
    double clock() const override;
    void waitUntil(double deadline) override;
    void interruptWait() override;
    void beep() override;
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) override;

private:
    QPointer<QWidget> window_;
    QElapsedTimer clock_;
    std::vector<QEventLoop*> waits_;
    bool interrupted_ = false;
};

}   // namespace zp
