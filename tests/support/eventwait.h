#pragma once
// Waiting in tools and tests that drive the real program with a virtual pad: the event
// loop keeps running (frames, timers, gamepad events) while they wait.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "virtualgamepad.h"

#include <functional>
#include <initializer_list>

namespace joyvant {
namespace test {

// Runs the event loop for msecs milliseconds.
inline void pause(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds, at most msecs milliseconds; says whether it held.
inline bool waitFor(const std::function<bool()> &done, int msecs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > msecs)
            return false;
        pause(10);
    }
    return true;
}

// Presses the buttons together and lets them go, each state held for 60 ms so the
// program's gamepad pump sees both.
inline void tap(VirtualGamepad &pad, std::initializer_list<VirtualGamepad::Button> buttons)
{
    for (VirtualGamepad::Button button : buttons)
        pad.setButton(button, true);
    pause(60);
    for (VirtualGamepad::Button button : buttons)
        pad.setButton(button, false);
    pause(60);
}

} // namespace test
} // namespace joyvant
