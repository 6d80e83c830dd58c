#pragma once

#include "benchmath.h"
#include "virtualgamepad.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

// How the benchmarks and tools move a virtual pad, in one place.
namespace joyvant {
namespace test {

// Both sticks a point `angle` radians round their circle (left at cos, sin; right at
// sin, cos), and with `triggers` both triggers in opposite sweeps.
inline void sweepTo(VirtualGamepad &pad, double angle, bool triggers = false)
{
    pad.setAxis(VirtualGamepad::AxisLeftX, axisValue(std::cos(angle)));
    pad.setAxis(VirtualGamepad::AxisLeftY, axisValue(std::sin(angle)));
    pad.setAxis(VirtualGamepad::AxisRightX, axisValue(std::sin(angle)));
    pad.setAxis(VirtualGamepad::AxisRightY, axisValue(std::cos(angle)));
    if (!triggers)
        return;
    const int trigger = axisValue(0.5 - 0.5 * std::cos(angle));
    pad.setAxis(VirtualGamepad::AxisTriggerLeft, trigger);
    pad.setAxis(VirtualGamepad::AxisTriggerRight, 32767 - trigger);
}

// Every button released and every axis at rest.
inline void releaseAll(VirtualGamepad &pad)
{
    for (int button = 0; button < VirtualGamepad::ButtonCount; ++button)
        pad.setButton(VirtualGamepad::Button(button), false);
    for (int axis = 0; axis < VirtualGamepad::AxisCount; ++axis)
        pad.setAxis(VirtualGamepad::Axis(axis), 0);
}

// Calls `tick` with a running count every 4 ms (250 Hz, on a steady schedule) from a
// thread of its own while it lives; the pad is released when it goes.
class PadTicker
{
public:
    PadTicker(VirtualGamepad &pad, std::function<void(int)> tick)
        : m_thread([this, &pad, tick = std::move(tick)] {
            auto next = std::chrono::steady_clock::now();
            for (int count = 0; !m_stop; ++count) {
                next += std::chrono::milliseconds(4);
                std::this_thread::sleep_until(next);
                tick(count);
            }
            releaseAll(pad);
        })
    {
    }
    ~PadTicker()
    {
        m_stop = true;
        m_thread.join();
    }
    PadTicker(const PadTicker &) = delete;
    PadTicker &operator=(const PadTicker &) = delete;

private:
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

} // namespace test
} // namespace joyvant
