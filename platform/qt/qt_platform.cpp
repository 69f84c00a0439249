// SPDX-License-Identifier: MIT
// Qt's side of the platform services.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace zp {

namespace {
QScreen* screenOf(const QWidget* window)
{
    if (window && window->screen())
        return window->screen();
    return QGuiApplication::primaryScreen();
}

double twipsPerPixel(double dpi) { return dpi > 0 ? 1440.0 / dpi : 15.0; }

double pixelRatio(const QWidget* window)
{
    const double ratio = window ? window->devicePixelRatioF() : qApp->devicePixelRatio();
    return ratio > 0 ? ratio : 1.0;
}

double twipsPerLogicalPixelX(const QWidget* window)
{
    const QScreen* s = screenOf(window);
    return twipsPerPixel(s ? s->logicalDotsPerInchX() : 96);
}

double twipsPerLogicalPixelY(const QWidget* window)
{
    const QScreen* s = screenOf(window);
    return twipsPerPixel(s ? s->logicalDotsPerInchY() : 96);
}
}   // namespace

QtPlatform::QtPlatform() { clock_.start(); }

double QtPlatform::twipsPerPixelX() const { return twipsPerLogicalPixelX(window_) / pixelRatio(window_); }

double QtPlatform::twipsPerPixelY() const { return twipsPerLogicalPixelY(window_) / pixelRatio(window_); }

void QtPlatform::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

double QtPlatform::clock() const { return clock_.nsecsElapsed() / 1e9; }

// An event loop quit by a timer sleeps between events; processEvents with a time limit
// would spin.
void QtPlatform::waitUntil(double deadline)
{
    const double left = deadline - clock();
    if (interrupted_ || left <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(int(std::ceil(left * 1000)));
    waits_.push_back(&loop);
    loop.exec();
    waits_.pop_back();
}

void QtPlatform::interruptWait()
{
    interrupted_ = true;
    for (QEventLoop* loop : waits_)
        loop->quit();
}

void QtPlatform::beep() { QApplication::beep(); }

MsgResult QtPlatform::messageBox(const QString& text, MsgStyle style, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (style) {
    case MsgStyle::Critical: icon = QMessageBox::Critical; break;
    case MsgStyle::Exclamation: icon = QMessageBox::Warning; break;
    case MsgStyle::Information: icon = QMessageBox::Information; break;
    case MsgStyle::QuestionYesNo: icon = QMessageBox::Question; break;
    }
    const bool question = style == MsgStyle::QuestionYesNo;
    QMessageBox box(icon, title.isEmpty() ? ProgramName : title, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, window_);
    if (question)
        box.setDefaultButton(QMessageBox::No);
    const int answer = box.exec();
    if (!question)
        return MsgResult::Ok;
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}

}   // namespace zp
