// A scripted platform for tests: fake clock, chosen twips per pixel, recorded message boxes.
#pragma once

#include "platform/platform.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace zp::test {

struct ShownMessage {
    QString text;
    MsgStyle style;
    QString title;
};

class FakePlatform : public Platform {
public:
    double tppx = 15, tppy = 15;
    double now = 1000;            // fake clock, seconds
    double eventStep = 0.001;     // seconds that one processEvents takes
    int processEventsCalls = 0;
    int beeps = 0;
    double totalWaited = 0;
    std::vector<ShownMessage> messages;
    std::deque<MsgResult> answers;    // answers to message boxes, in order; default Ok/No
    // Runs inside processEvents and waitUntil, as user input arriving then would.
    std::function<void()> onEvents;

    double twipsPerPixelX() const override { return tppx; }
    double twipsPerPixelY() const override { return tppy; }
    void processEvents() override
    {
        ++processEventsCalls;
        now += eventStep;
        runEvents();
    }
    double clock() const override { return now; }
    void waitUntil(double deadline) override
    {
        runEvents();
        if (interrupted)
            return;
        if (deadline > now) {
            totalWaited += deadline - now;
            now = deadline;
        }
    }
    void interruptWait() override { interrupted = true; }
    void beep() override { ++beeps; }
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title) override
    {
        messages.push_back({text, style, title});
        if (!answers.empty()) {
            const MsgResult a = answers.front();
            answers.pop_front();
            return a;
        }
        return style == MsgStyle::QuestionYesNo ? MsgResult::No : MsgResult::Ok;
    }

    bool interrupted = false;

private:
    void runEvents()
    {
        if (onEvents && !inEvents) {
            inEvents = true;
            auto f = onEvents;
            f();
            inEvents = false;
        }
    }
    bool inEvents = false;
};

} // namespace zp::test
