// Gamepad module benchmark: input latency and the cost of the event pump.
//
//   build/tools/bin/bench_gamepad [--presses N] [--seconds S]
//
// 1. Latency: an SDL virtual pad bound to a Gamepad is pressed N times (default 1000) at
//    random moments from a second thread; each sample is the time from the pad's button change to the
//    Gamepad's buttonAChanged signal. Prints the median, the 99th percentile and the
//    maximum.
// 2. Pump cost: the process's CPU time per second of an otherwise idle event loop,
//    without the module, with the module and no pad, and with four idle pads attached;
//    the differences are what the pump costs. Also the CPU time of one pump round,
//    timed directly.
#include "gamepad.h"
#include "gamepadbackend.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <ctime>
#endif

using joyvant::Gamepad;
using joyvant::GamepadBackend;
using joyvant::test::VirtualGamepad;

namespace {

// CPU time (user + system) of the process, or of the calling thread, in nanoseconds.
qint64 cpuNanos(bool thread)
{
#ifdef Q_OS_WIN
    FILETIME creation, exit, kernel, user;
    if (thread)
        GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    else
        GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto ticks = [](const FILETIME &t) { return (qint64(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 100; };
    return ticks(kernel) + ticks(user);
#else
    timespec t {};
    clock_gettime(thread ? CLOCK_THREAD_CPUTIME_ID : CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
#endif
}

void runEventLoop(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Percent of one core that the process spends while its event loop idles for `seconds`.
double idleLoad(int seconds)
{
    const qint64 cpu = cpuNanos(false);
    QElapsedTimer wall;
    wall.start();
    runEventLoop(seconds * 1000);
    return 100.0 * double(cpuNanos(false) - cpu) / double(wall.nsecsElapsed());
}

double percentile(std::vector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const size_t index = std::min(samples.size() - 1, size_t(p * double(samples.size() - 1) + 0.5));
    return samples[index];
}

bool waitFor(const std::function<bool()> &condition, int msecs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < msecs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption pressesOption("presses", "Button presses to time.", "N", "1000");
    QCommandLineOption secondsOption("seconds", "Length of each idle measurement.", "S", "10");
    parser.addOption(pressesOption);
    parser.addOption(secondsOption);
    parser.process(app);
    const int presses = qMax(1, parser.value(pressesOption).toInt());
    const int seconds = qMax(1, parser.value(secondsOption).toInt());

    // Idle process without the module.
    const double baseLoad = idleLoad(seconds);

    // Latency.
    std::vector<double> latencies;
    double noPadLoad = 0.0;
    double fourPadLoad = 0.0;
    double pumpMicrosNoPad = 0.0;
    double pumpMicrosFourPads = 0.0;
    {
        auto gamepad = std::make_unique<Gamepad>();
        runEventLoop(1000); // SDL's start-up is not the pump's cost
        noPadLoad = idleLoad(seconds);

        VirtualGamepad pad;
        if (!pad.attach())
            return 1;
        gamepad->setDeviceId(pad.deviceId());
        if (!waitFor([&] { return gamepad->isConnected(); })) {
            std::fprintf(stderr, "the virtual pad never arrived\n");
            return 1;
        }

        // Presses come from a thread of their own at random moments, so they fall on
        // every phase of the pump's rhythm; the GUI thread only runs its event loop.
        QElapsedTimer clock;
        clock.start();
        std::atomic<qint64> changedAt {0};
        QObject::connect(gamepad.get(), &Gamepad::buttonAChanged, &app, [&] { changedAt.store(clock.nsecsElapsed()); });
        std::atomic<bool> lost {false};
        latencies.reserve(size_t(presses));
        QEventLoop loop;
        std::thread presser([&] {
            std::mt19937 random(20240501);
            std::uniform_int_distribution<int> pause(6000, 14000); // microseconds
            bool pressed = false;
            for (int i = 0; i < presses * 2 && !lost; ++i) {
                std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
                pressed = !pressed;
                changedAt.store(0);
                const qint64 start = clock.nsecsElapsed();
                pad.setButton(VirtualGamepad::ButtonA, pressed);
                while (changedAt.load() == 0) {
                    if (clock.nsecsElapsed() - start > 1000000000LL) {
                        lost = true;
                        break;
                    }
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                }
                if (pressed && !lost)
                    latencies.push_back(double(changedAt.load() - start) / 1e6);
            }
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec();
        presser.join();
        if (lost) {
            std::fprintf(stderr, "a press was lost\n");
            return 1;
        }

        // Four idle pads.
        std::vector<std::unique_ptr<VirtualGamepad>> more;
        for (int i = 0; i < 3; ++i) {
            more.push_back(std::make_unique<VirtualGamepad>());
            more.back()->attach();
        }
        const auto backend = GamepadBackend::instance();
        waitFor([&] { return backend->devices().size() >= 4; });
        runEventLoop(1000);
        fourPadLoad = idleLoad(seconds);

        const auto timeRounds = [&] {
            const int rounds = 20000;
            const qint64 cpu = cpuNanos(true);
            for (int i = 0; i < rounds; ++i)
                backend->pump();
            return double(cpuNanos(true) - cpu) / rounds / 1000.0;
        };
        pumpMicrosFourPads = timeRounds();
        more.clear();
        pad.detach();
        waitFor([&] { return backend->devices().isEmpty(); });
        pumpMicrosNoPad = timeRounds();
    }

    const double rate = 1000.0 / GamepadBackend::PumpIntervalMs;
    std::printf("Latency, button change to signal, %d presses: median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n",
                presses, percentile(latencies, 0.5), percentile(latencies, 0.99), percentile(latencies, 1.0));
    std::printf("Idle process load over %d s: without the module %.3f %%, no pad %.3f %%, four pads %.3f %%\n", seconds,
                baseLoad, noPadLoad, fourPadLoad);
    std::printf("Pump load (difference to no module): no pad %.3f %% of a core, four pads %.3f %% of a core\n",
                noPadLoad - baseLoad, fourPadLoad - baseLoad);
    std::printf("One pump round: no pad %.2f us, four pads %.2f us (x %.0f Hz = %.3f %% / %.3f %% of a core)\n",
                pumpMicrosNoPad, pumpMicrosFourPads, rate, pumpMicrosNoPad * rate / 1e4,
                pumpMicrosFourPads * rate / 1e4);
    return 0;
}
