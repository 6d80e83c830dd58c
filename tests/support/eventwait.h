#pragma once
// Waiting in tools and tests that drive the real program: the event loop keeps running
// (frames, timers, gamepad events) while they wait.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

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

} // namespace test
} // namespace joyvant
