// Diagnostics benchmark: what the stick and trigger analysis costs per axis report.
//
//   build/tools/bin/bench_diagnostics [--seconds S]
//
// An SDL virtual pad sweeps both sticks round a circle (and both triggers up and down)
// from a second thread, 1000 position changes a second, while the GUI thread runs the
// gamepad backend's pump every 4 ms, as its timer does. Each axis report is timed from
// a handler connected before the analysis objects to one connected after them.
//
// 1. Floor: the same two handlers with nothing between them (clock reads and signal
//    delivery), and the pump round's own cost, for S seconds (default 5).
// 2. Analysis: two StickHealth and two TriggerRange objects bound to the pad between the
//    handlers (each sees every report and keeps those of its own axes), for S seconds.
// 3. The stick analysis alone: StickAnalysis::addSample on a moving stick, in a loop.
// Prints the analysis cost per report (median and 90th percentile, floor taken off)
// and its ratio to the median pump round.
//
//   build/tools/bin/bench_diagnostics --mappings
//
// Instead: the cost of loading the user's mapping file at start, for files of SDL's
// community database shape (a third of the lines for this platform) and larger ones.
// For each: reading the file alone (the baseline), the gamepad backend's start with the
// file less its start without one, and SDL's own loader given the whole file at once;
// medians of 5 runs.
#include "gamepadbackend.h"
#include "gamepadmappings.h"
#include "stickanalysis.h"
#include "stickhealth.h"
#include "triggerrange.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtMath>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using joyvant::GamepadBackend;
using joyvant::StickHealth;
using joyvant::TriggerRange;
using joyvant::test::VirtualGamepad;

namespace {

double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const size_t index = std::min(samples.size() - 1, size_t(p * double(samples.size() - 1) + 0.5));
    return samples[index];
}

struct Phase
{
    std::vector<double> reportNs; // per axis report, between the two handlers
    std::vector<double> stickNs; // the same, stick reports only
    std::vector<double> triggerNs; // trigger reports only
    std::vector<double> pumpNs; // per pump round
};

// Pumps every 4 ms for `seconds` while the sweeper moves the pad.
Phase measure(GamepadBackend &backend, const QElapsedTimer &clock, qint64 &reportStart, int seconds,
              QObject *context, bool withAnalysis, int deviceId)
{
    Phase phase;
    std::vector<std::unique_ptr<QObject>> analysis;
    if (withAnalysis) {
        for (auto stick : {StickHealth::Left, StickHealth::Right}) {
            auto health = std::make_unique<StickHealth>();
            health->setStick(stick);
            health->setDeviceId(deviceId);
            analysis.push_back(std::move(health));
        }
        for (auto trigger : {TriggerRange::Left, TriggerRange::Right}) {
            auto range = std::make_unique<TriggerRange>();
            range->setTrigger(trigger);
            range->setDeviceId(deviceId);
            analysis.push_back(std::move(range));
        }
    }
    // Connected after the analysis objects, so it runs after them for each report.
    const QMetaObject::Connection end
        = QObject::connect(&backend, &GamepadBackend::axisChanged, context,
                           [&phase, &clock, &reportStart](int, int axis, int) {
                               const double ns = double(clock.nsecsElapsed() - reportStart);
                               phase.reportNs.push_back(ns);
                               (axis >= SDL_CONTROLLER_AXIS_TRIGGERLEFT ? phase.triggerNs : phase.stickNs).push_back(ns);
                           });
    const auto period = std::chrono::milliseconds(GamepadBackend::PumpIntervalMs);
    auto next = std::chrono::steady_clock::now();
    const auto stop = next + std::chrono::seconds(seconds);
    while (next < stop) {
        next += period;
        std::this_thread::sleep_until(next);
        const qint64 start = clock.nsecsElapsed();
        backend.pump();
        phase.pumpNs.push_back(double(clock.nsecsElapsed() - start));
        // Let the analysis objects publish, as the event loop would.
        QCoreApplication::processEvents();
    }
    QObject::disconnect(end);
    return phase;
}

// Mean time of one StickAnalysis::addSample for a stick going round, moving on each time.
double engineNs()
{
    joyvant::StickAnalysis stick;
    const int samples = 2000000;
    std::vector<std::pair<int, int>> circle;
    for (int i = 0; i < 997; ++i)
        circle.emplace_back(int(32767 * std::cos(i * 0.0063)), int(-32767 * std::sin(i * 0.0063)));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < samples; ++i) {
        const auto &point = circle[size_t(i % 997)];
        stick.addSample(qint64(i) * 1000000, point.first, point.second);
    }
    return double(timer.nsecsElapsed()) / samples;
}

// A mapping file of `lines` lines for distinct devices, one in `thisPlatformEvery` for
// this platform and the rest for two others, in the shape of SDL's database.
QByteArray mappingFile(int lines, int thisPlatformEvery)
{
    QByteArray text = "# Game controller mappings\n\n";
    const char *others[] = {"Windows", "Mac OS X"};
    for (int i = 0; i < lines; ++i) {
        const QByteArray platform
            = i % thisPlatformEvery == 0 ? QByteArray(SDL_GetPlatform()) : QByteArray(others[i % 2]);
        text += QByteArray("03000000") + QByteArray::number(0x1000 + i % 0xe000, 16) + "0000"
            + QByteArray::number(0x1000 + i / 0xe000, 16) + "000010010000,Pad " + QByteArray::number(i)
            + ",a:b0,b:b1,back:b8,dpdown:h0.4,dpleft:h0.8,dpright:h0.2,dpup:h0.1,guide:,leftshoulder:b4,"
              "leftstick:b10,lefttrigger:b6,leftx:a0,lefty:a1,rightshoulder:b5,rightstick:b11,righttrigger:b7,"
              "rightx:a2,righty:a3,start:b9,x:b2,y:b3,platform:"
            + platform + ",\n";
    }
    return text;
}

double medianMs(const std::function<qint64()> &run)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i)
        runs.push_back(double(run()) / 1e6);
    return percentile(runs, 0.5);
}

int benchMappingLoad()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString path = joyvant::gamepadmappings::userFile();
    const auto start = [] {
        QElapsedTimer timer;
        timer.start();
        const auto backend = GamepadBackend::instance();
        const qint64 ns = timer.nsecsElapsed();
        if (!backend->userMappingError().isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(backend->userMappingError()));
        return ns;
    };
    QFile::remove(path);
    const double bare = medianMs(start);
    std::printf("Backend start without a mapping file: %.2f ms\n", bare);
    std::printf("%8s %9s %10s %10s %8s %12s\n", "lines", "KiB", "read ms", "load ms", "load/read", "SDL alone ms");
    const std::pair<int, int> files[] = {{2000, 3}, {10000, 3}, {10000, 1}, {50000, 1}};
    for (const auto &file : files) {
        const QByteArray text = mappingFile(file.first, file.second);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            return 1;
        out.close();
        const double read = medianMs([&path] {
            QElapsedTimer timer;
            timer.start();
            QByteArray data;
            bool exists = false;
            joyvant::gamepadmappings::readFile(path, &data, &exists);
            return timer.nsecsElapsed();
        });
        const double load = medianMs(start) - bare;
        // SDL's loader with the whole text, as the file was once loaded; beyond 10,000
        // lines for this platform it takes minutes.
        double sdl = -1;
        if (file.first / file.second <= 4000) {
            sdl = medianMs([&text] {
                SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
                QElapsedTimer timer;
                timer.start();
                SDL_GameControllerAddMappingsFromRW(SDL_RWFromConstMem(text.constData(), int(text.size())), 1);
                const qint64 ns = timer.nsecsElapsed();
                SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
                return ns;
            });
        }
        std::printf("%8d %9.0f %10.2f %10.2f %8.1f %12s  (%s: 1 in %d)\n", file.first, text.size() / 1024.0, read, load,
                    load / read, sdl < 0 ? "-" : qPrintable(QString::number(sdl, 'f', 1)), SDL_GetPlatform(),
                    file.second);
    }
    QFile::remove(path);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption secondsOption("seconds", "Length of each measurement.", "S", "5");
    parser.addOption(secondsOption);
    QCommandLineOption mappingsOption("mappings", "Measure loading the user's mapping file instead.");
    parser.addOption(mappingsOption);
    parser.process(app);
    if (parser.isSet(mappingsOption))
        return benchMappingLoad();
    const int seconds = qMax(1, parser.value(secondsOption).toInt());

    const auto backend = GamepadBackend::instance();
    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    backend->pump();
    if (!backend->hasDevice(pad.deviceId())) {
        std::fprintf(stderr, "the virtual pad never arrived\n");
        return 1;
    }

    // 1 kHz sweep: the left stick one turn a second, the right one the other way round at
    // a different pace, the triggers up and down.
    std::atomic<bool> sweeping {true};
    std::thread sweeper([&pad, &sweeping] {
        auto next = std::chrono::steady_clock::now();
        for (int tick = 0; sweeping; ++tick) {
            next += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(next);
            const double left = qDegreesToRadians(360.0 * tick / 1000.0);
            const double right = qDegreesToRadians(-360.0 * tick / 730.0);
            pad.setAxis(VirtualGamepad::AxisLeftX, int(32767 * std::cos(left)));
            pad.setAxis(VirtualGamepad::AxisLeftY, int(-32767 * std::sin(left)));
            pad.setAxis(VirtualGamepad::AxisRightX, int(32767 * std::cos(right)));
            pad.setAxis(VirtualGamepad::AxisRightY, int(-32767 * std::sin(right)));
            const int trigger = int(32767 * (tick % 500) / 499.0);
            pad.setAxis(VirtualGamepad::AxisTriggerLeft, trigger);
            pad.setAxis(VirtualGamepad::AxisTriggerRight, 32767 - trigger);
        }
    });

    QElapsedTimer clock;
    clock.start();
    qint64 reportStart = 0;
    QObject context;
    // Connected first, so it runs before everything else for each report.
    QObject::connect(backend.data(), &GamepadBackend::axisChanged, &context,
                     [&clock, &reportStart] { reportStart = clock.nsecsElapsed(); });

    const Phase floor = measure(*backend, clock, reportStart, seconds, &context, false, pad.deviceId());
    const Phase analysed = measure(*backend, clock, reportStart, seconds, &context, true, pad.deviceId());
    sweeping = false;
    sweeper.join();

    const double floorMedian = percentile(floor.reportNs, 0.5);
    const double perReport = percentile(analysed.reportNs, 0.5) - floorMedian;
    const double perReport90 = percentile(analysed.reportNs, 0.9) - floorMedian;
    const double pumpRound = percentile(floor.pumpNs, 0.5);
    const double reportsPerRound = double(analysed.reportNs.size()) / double(analysed.pumpNs.size());
    std::printf("Axis reports: %zu without analysis, %zu with (%.1f per pump round)\n", floor.reportNs.size(),
                analysed.reportNs.size(), reportsPerRound);
    std::printf("Floor per report (two clock reads and signal delivery): median %.0f ns, 90th percentile %.0f ns\n",
                floorMedian, percentile(floor.reportNs, 0.9));
    std::printf("Analysis per report (2 StickHealth + 2 TriggerRange): median %.0f ns, 90th percentile %.0f ns\n",
                perReport, perReport90);
    std::printf("  stick reports: median %.0f ns, 90th percentile %.0f ns; trigger reports: median %.0f ns, 90th "
                "percentile %.0f ns\n",
                percentile(analysed.stickNs, 0.5) - floorMedian, percentile(analysed.stickNs, 0.9) - floorMedian,
                percentile(analysed.triggerNs, 0.5) - floorMedian, percentile(analysed.triggerNs, 0.9) - floorMedian);
    std::printf("Pump round without analysis: median %.0f ns; with analysis: median %.0f ns\n", pumpRound,
                percentile(analysed.pumpNs, 0.5));
    std::printf("Analysis per report / pump round: %.3f; per round (x %.1f reports): %.3f\n", perReport / pumpRound,
                reportsPerRound, perReport * reportsPerRound / pumpRound);
    std::printf("StickAnalysis::addSample alone, stick going round: %.0f ns\n", engineNs());
    return 0;
}
