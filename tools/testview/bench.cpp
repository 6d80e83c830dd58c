// Frame-time benchmark of the main screen with the controller test view.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_testview [--frames N] [--warmup N]
//       [--scene NAME] [--scene-scale auto|S] [--settle SECONDS] [--size WxH] [--idle SECONDS]
//
// Started in the program's folder (build/bin) the main screen plays the first scene of
// scenes.json, or the one named by --scene; --scene-scale is the program's option of the
// same name. Before measuring, the pad plays for --settle seconds with the test view
// shown, so that the scene's size and rate have adapted; each phase's line ends with the
// size and rate the scene was drawn at. --idle measures instead the process's processor
// time with the window shown and no pad (the program's own render loop, nothing forced)
// and then with the window minimised, each for the given seconds.
//
// Loads the program's main screen (qrc:/Main.qml) at 1280x800 and binds an SDL virtual
// pad to its test view. A thread of its own plays the pad at 250 Hz: both sticks go round
// once a second, both triggers sweep and every button toggles on every tick. Four phases
// of N frames each, taking turns in four rounds (each round after a warm-up): the main
// screen with the test view hidden (what full screen shows) while the pad plays, which is
// the baseline; the same with the pad at rest; the test view with the pad at rest; the
// test view while the pad plays. The pie menu is cut off from the pad, so its
// actions do not run. The render loop is "basic" with no swap
// interval and a new frame is asked for after each one is presented, so frames follow each
// other as fast as the renderer allows. Prints, per phase, the median and the 99th
// percentile of the frame time (from the scene graph's sync to the presented frame) and of
// the time between two presented frames, the process's CPU time per frame (the pad's
// thread and the renderer's threads included) and the ratios to the baseline.
#include "benchmath.h"
#include "padplayer.h"
#include "eventwait.h"
#include "sceneadapter.h"
#include "startup.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickView>
#include <QSurfaceFormat>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using joyvant::test::VirtualGamepad;
using joyvant::test::pause;
using joyvant::test::waitFor;

namespace {

using joyvant::test::axisValue;
using joyvant::test::percentile;

constexpr double kPi = 3.14159265358979323846;

// Plays the pad from a thread of its own while it lives: both sticks round once a second,
// the triggers in opposite sweeps, every button toggled on every tick (250 Hz).
class Player
{
public:
    explicit Player(VirtualGamepad &pad)
        : m_ticker(pad, [&pad](int tick) {
            joyvant::test::sweepTo(pad, 2.0 * kPi * (tick % 250) / 250.0, true);
            // The standard buttons, the guide button aside (it would open nothing here).
            for (int button = VirtualGamepad::ButtonA; button <= VirtualGamepad::ButtonDpadRight; ++button) {
                if (button != VirtualGamepad::ButtonGuide)
                    pad.setButton(VirtualGamepad::Button(button), tick % 2 == 0);
            }
        })
    {
    }

private:
    joyvant::test::PadTicker m_ticker;
};

struct Sample
{
    std::vector<double> intervals; // ms between presented frames
    std::vector<double> renders; // ms from the scene graph's sync to the presented frame
    double cpuMs = 0.0; // process CPU time over those frames
};

struct Figures
{
    std::vector<double> intervals;
    std::vector<double> renders;
    double cpuMs = 0.0;

    void add(const Sample &sample)
    {
        intervals.insert(intervals.end(), sample.intervals.begin(), sample.intervals.end());
        renders.insert(renders.end(), sample.renders.begin(), sample.renders.end());
        cpuMs += sample.cpuMs;
    }
    int frames() const { return int(intervals.size()); }
    double medianMs() const { return percentile(intervals, 0.5); }
    double p99Ms() const { return percentile(intervals, 0.99); }
    double renderMedianMs() const { return percentile(renders, 0.5); }
    double renderP99Ms() const { return percentile(renders, 0.99); }
    double cpuPerFrameMs() const { return intervals.empty() ? 0.0 : cpuMs / double(intervals.size()); }
};

Sample measure(QQuickView &window, int warmup, int frames)
{
    std::vector<double> intervals;
    std::vector<double> renders;
    intervals.reserve(size_t(frames));
    renders.reserve(size_t(frames));
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 syncStart = -1;
    int frame = 0;
    std::clock_t cpuStart = 0;
    std::clock_t cpuEnd = 0;
    const int total = warmup + frames;
    // The basic render loop syncs, renders and presents on this thread, one frame at a time.
    const QMetaObject::Connection syncing = QObject::connect(
        &window, &QQuickWindow::beforeSynchronizing, &window, [&] { syncStart = clock.nsecsElapsed(); },
        Qt::DirectConnection);
    const QMetaObject::Connection connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (frame == warmup)
            cpuStart = std::clock();
        if (frame > warmup) {
            intervals.push_back(double(now - last) / 1e6);
            if (syncStart >= 0)
                renders.push_back(double(now - syncStart) / 1e6);
        }
        syncStart = -1;
        if (frame == total)
            cpuEnd = std::clock();
        last = now;
        ++frame;
        if (frame <= total)
            window.update();
    });
    window.update();
    waitFor([&] { return frame > total; }, 600000);
    QObject::disconnect(connection);
    QObject::disconnect(syncing);

    Sample sample;
    sample.intervals = std::move(intervals);
    sample.renders = std::move(renders);
    sample.cpuMs = 1000.0 * double(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
    return sample;
}

double processCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QString levelText(const joyvant::SceneAdapter *adapter)
{
    if (!adapter)
        return QStringLiteral("?");
    QString text = QStringLiteral("%1 %").arg(qRound(adapter->scale() * 100));
    text += adapter->maxRate() > 0 ? QStringLiteral(", %1/s").arg(adapter->maxRate()) : QStringLiteral(", every frame");
    return text;
}

// Processor time of the process over `seconds` of the window's own pace, as a share of
// one core, and the frames presented meanwhile.
void measureIdle(QQuickView &window, joyvant::SceneAdapter *adapter, const char *name, double seconds)
{
    int frames = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] { ++frames; }, Qt::DirectConnection);
    const double cpuStart = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    pause(int(seconds * 1000));
    const double wall = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = processCpuSeconds() - cpuStart;
    QObject::disconnect(counting);
    std::printf("| %s | %.1f s | %.1f %% | %d | %.1f | %s |\n", name, wall, 100.0 * cpu / wall, frames,
                double(frames) / wall, qPrintable(levelText(adapter)));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    bool idle = false;
    for (int i = 1; i < argc; ++i)
        idle = idle || qstrcmp(argv[i], "--idle") == 0;
    // Frame times are measured with frames forced back to back; idle load with the render
    // loop and the swap interval the program itself runs with.
    if (!idle && qEnvironmentVariableIsEmpty("QSG_RENDER_LOOP"))
        qputenv("QSG_RENDER_LOOP", "basic");
    QSurfaceFormat format = joyvant::programSurfaceFormat();
    if (!idle)
        format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frame time of the main screen with the controller test view."));
    parser.addHelpOption();
    const QCommandLineOption framesOption(QStringLiteral("frames"), QStringLiteral("Measured frames per phase."),
                                          QStringLiteral("n"), QStringLiteral("400"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup"), QStringLiteral("Frames before measuring."),
                                          QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption sceneOption(QStringLiteral("scene"), QStringLiteral("Scene of scenes.json to play."),
                                         QStringLiteral("name"));
    const QCommandLineOption scaleOption(QStringLiteral("scene-scale"),
                                         QStringLiteral("auto, or a fixed scale of the scene's picture."),
                                         QStringLiteral("scale"), QStringLiteral("auto"));
    const QCommandLineOption settleOption(QStringLiteral("settle"),
                                          QStringLiteral("Seconds the pad plays before measuring."),
                                          QStringLiteral("s"), QStringLiteral("6"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Window size."), QStringLiteral("WxH"),
                                        QStringLiteral("1280x800"));
    const QCommandLineOption idleOption(QStringLiteral("idle"),
                                        QStringLiteral("Measure the idle and minimised load instead."),
                                        QStringLiteral("s"));
    parser.addOptions({framesOption, warmupOption, sceneOption, scaleOption, settleOption, sizeOption, idleOption});
    parser.process(app);
    const int frames = qMax(10, parser.value(framesOption).toInt());
    const int warmup = qMax(0, parser.value(warmupOption).toInt());
    const QStringList size = parser.value(sizeOption).split(QLatin1Char('x'));
    const QString scaleText = parser.value(scaleOption);
    const double sceneScale = scaleText == QLatin1String("auto") ? 0.0 : scaleText.toDouble();

    QQuickView window;
    window.engine()->addImportPath(QStringLiteral(":/imports"));
    window.engine()->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    window.setResizeMode(QQuickView::SizeRootObjectToView);
    window.resize(size.value(0).toInt() > 0 ? size.value(0).toInt() : 1280,
                  size.value(1).toInt() > 0 ? size.value(1).toInt() : 800);
    window.setSource(QUrl(QStringLiteral("qrc:/Main.qml")));
    QQuickItem *root = window.rootObject();
    QObject *test = root ? root->property("test").value<QObject *>() : nullptr;
    if (!test) {
        std::fprintf(stderr, "bench_testview: the main screen did not load\n");
        return 1;
    }
    root->setProperty("sceneScale", sceneScale);
    const int adapterType = qmlTypeId("com.corvane.scene", 1, 0, "SceneAdapter");
    auto *adapter = window.engine()->singletonInstance<joyvant::SceneAdapter *>(adapterType);
    if (parser.isSet(sceneOption)) {
        const QString name = QString::fromUtf8(
            QJsonDocument(QJsonArray {parser.value(sceneOption)}).toJson(QJsonDocument::Compact));
        QQmlExpression pick(window.engine()->contextForObject(root), root,
                            QStringLiteral("(function(name) { for (var i = 0; i < scenes.count; ++i) {"
                                           " if (scenes.get(i).scene.name === name) { scenes.currentIndex = i;"
                                           " playCurrent(); return true } } return false })(%1[0])")
                                .arg(name));
        if (!pick.evaluate().toBool()) {
            std::fprintf(stderr, "bench_testview: no scene named %s in scenes.json (run it in build/bin)\n",
                         qPrintable(parser.value(sceneOption)));
            return 1;
        }
    }
    if (parser.isSet(idleOption)) {
        const double seconds = qMax(1.0, parser.value(idleOption).toDouble());
        window.show();
        pause(int(parser.value(settleOption).toDouble() * 1000)); // start-up work and adaptation
        std::printf("| Window | Span | CPU (one core = 100 %%) | Frames | Frames/s | Scene drawn at |\n");
        std::printf("|---|---:|---:|---:|---:|---|\n");
        measureIdle(window, adapter, "shown, no pad", seconds);
        window.showMinimized();
        pause(200);
        measureIdle(window, adapter, "minimised", seconds);
        return 0;
    }
    // The pad presses every button, Select and Start and the shoulders among them: left
    // to the pie menu, that would open and close it and fire its actions (the music file
    // dialog, scene changes) all through the run. The menu is not what is measured.
    if (QObject *pieMenu = root->property("pieMenu").value<QObject *>())
        pieMenu->setProperty("gamepad", QVariant());
    window.show();

    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    if (!waitFor([&] { return test->property("currentDeviceId").toInt() == pad.deviceId(); }, 5000)) {
        std::fprintf(stderr, "bench_testview: the test view never took the virtual pad\n");
        return 1;
    }
    pause(1000); // the connect pulse runs out
    {
        // The scene's size and rate adapt while the pad plays over the test view.
        Player player(pad);
        test->setProperty("visible", true);
        QElapsedTimer settling;
        settling.start();
        const qint64 settleMs = qint64(parser.value(settleOption).toDouble() * 1000);
        while (settling.elapsed() < settleMs)
            measure(window, 0, 10);
    }

    struct Phase
    {
        const char *name;
        bool testView;
        bool playing;
        Figures figures;
        QString level;
    };
    Phase phases[] = {
        {"main screen without the test view, pad playing (baseline)", false, true, {}, {}},
        {"main screen without the test view, pad at rest", false, false, {}, {}},
        {"with the test view, pad at rest", true, false, {}, {}},
        {"with the test view, pad playing at 250 Hz", true, true, {}, {}},
    };
    // The phases take turns, a share of the frames each round, so that a change in the
    // load of a shared machine falls on all of them alike.
    const int rounds = 4;
    for (int round = 0; round < rounds; ++round) {
        for (Phase &phase : phases) {
            test->setProperty("visible", phase.testView);
            std::unique_ptr<Player> player(phase.playing ? new Player(pad) : nullptr);
            if (!phase.playing)
                pause(100); // the last input settles
            phase.figures.add(measure(window, warmup, frames / rounds));
            phase.level = levelText(adapter);
        }
    }
    pad.detach();

    const double baselineCpu = phases[0].figures.cpuPerFrameMs();
    const double baselineRender = phases[0].figures.renderMedianMs();
    std::printf("| Phase | Frames | Frame time, median | Frame time, p99 | Interval, median | Interval, p99 "
                "| CPU per frame | Frame time / baseline | CPU / baseline | Scene drawn at (last round) |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---|\n");
    for (const Phase &phase : phases) {
        const Figures &f = phase.figures;
        std::printf("| %s | %d | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.2f | %.2f | %s |\n", phase.name,
                    f.frames(), f.renderMedianMs(), f.renderP99Ms(), f.medianMs(), f.p99Ms(), f.cpuPerFrameMs(),
                    baselineRender > 0 ? f.renderMedianMs() / baselineRender : 0.0,
                    baselineCpu > 0 ? f.cpuPerFrameMs() / baselineCpu : 0.0, qPrintable(phase.level));
    }
    return 0;
}
