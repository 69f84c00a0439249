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

inline const QString ProgramName = QStringLiteral("Zornik PUZZLE!");

class QtPlatform : public Platform {
public:
    QtPlatform();

    // The window whose screen gives the factors and which parents the message boxes.
    void setWindow(QWidget* window) { window_ = window; }

    // Twips per device pixel: the screen pixel that shows one picture pixel, so they change
    // with the window's device pixel ratio as well as with the screen's logical dpi. Times the
    // device pixel ratio they give twips per logical pixel, the unit of widget geometry.
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
