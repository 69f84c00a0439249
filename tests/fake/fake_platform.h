// SPDX-License-Identifier: MIT
// A scripted platform for tests: fake clock, chosen twips per pixel, recorded message boxes, counted beeps.
#pragma once

#include "tests/fake/message_log.h"

#include <algorithm>
#include <functional>

namespace zp::test {

class FakePlatform : public Platform, public MessageLog {
public:
    double tppx = 15, tppy = 15;
    double now = 1000;   // fake clock, seconds; each processEvents takes a millisecond
    int processEventsCalls = 0, beeps = 0;
    // Runs inside processEvents and waitUntil, as user input arriving then would; not within itself.
    std::function<void()> onEvents;

    double twipsPerPixelX() const override { return tppx; }
    double twipsPerPixelY() const override { return tppy; }
    void processEvents() override { ++processEventsCalls, now += 0.001, runEvents(); }
    double clock() const override { return now; }
    void waitUntil(double deadline) override { runEvents(), now = std::max(now, deadline); }
    void interruptWait() override {}   // every wait ends at once anyway
    void beep() override { ++beeps; }
    MsgResult messageBox(const QString& m, MsgStyle s, const QString& t) override { return record(m, s, t); }

private:
    void runEvents()
    {
        if (onEvents && !std::exchange(inEvents, true)) {
            std::function<void()>{onEvents}();   // a copy: the call may set another
            inEvents = false;
        }
    }
    bool inEvents = false;
};

}   // namespace zp::test
