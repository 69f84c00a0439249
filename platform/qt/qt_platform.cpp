// SPDX-License-Identifier: MIT
// Qt's side of the platform services.
#include "platform/qt/qt_platform.h"

#include "platform/twips.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace zp {

namespace {
// Twips per logical pixel by the screen's logical dots per inch; the usual where they are unknown.
QPointF screenTwips(const QWidget* window)
{
    const QScreen* s = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const auto twips = [](double dpi) { return dpi > 0 ? TwipsPerInch / dpi : UsualTwipsPerPixel; };
    return s ? QPointF(twips(s->logicalDotsPerInchX()), twips(s->logicalDotsPerInchY()))
             : QPointF(UsualTwipsPerPixel, UsualTwipsPerPixel);
}

double pixelRatio(const QWidget* window)
{
    const double ratio = window ? window->devicePixelRatioF() : qApp->devicePixelRatio();
    return ratio > 0 ? ratio : 1.0;
}
}   // namespace

QPointF twipsPerLogicalPixel(const Platform& platform, const QWidget& widget)
{
    return QPointF(platform.twipsPerPixelX(), platform.twipsPerPixelY()) * widget.devicePixelRatioF();
}

QtPlatform::QtPlatform() { clock_.start(); }

double QtPlatform::twipsPerPixelX() const { return screenTwips(window_).x() / pixelRatio(window_); }

double QtPlatform::twipsPerPixelY() const { return screenTwips(window_).y() / pixelRatio(window_); }

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
    QMessageBox box(icon, title.isEmpty() ? ProgramName.toString() : title, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, window_);
    if (question)
        box.setDefaultButton(QMessageBox::No);
    const int answer = box.exec();
    if (!question)
        return MsgResult::Ok;
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}

}   // namespace zp
