// The pad health view: its frame cost beside the stick views', and its picture.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_padhealth [--frames N] [--warmup N]
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_padhealth --screenshot docs/pad-health.png
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_padhealth --screenshot docs/pad-bench.png --bench
//
// Benchmark: a thread of its own moves both sticks of an SDL virtual pad round circles (one
// turn a second) at 250 Hz, while the window shows in turn nothing (the baseline), the
// controller picture's two stick views (240 x 240, bound as the picture binds them), and
// the pad health view, all on the program's 1280 x 800 dark ground. The render loop is
// "basic" (polish, sync, render and present on the GUI thread) with no swap interval, and
// a new frame is asked for as soon as one is presented, so frames follow each other as
// fast as the machine allows. The phases take turns in four rounds. Printed per phase: the
// median and 99th percentile of the time between two presented frames (all of a frame's
// work: the canvases paint in the polish step), the process's CPU time per frame, the
// cost over the baseline, and the most paints one plot canvas made in one frame (at most
// one is the aim, however many reports arrive); then the view's cost over the stick
// views' cost.
//
// Screenshot (in the system's language): the test view with the pad health view chosen,
// after a scripted play of a virtual pad: the left stick drifts and its gate is dented,
// the right stick is healthy, the left trigger stops short of full travel and the right
// one is a full analogue pull.
//
// With --bench the picture is the bench instead: a virtual pad with an LED and without
// trigger motors, its light set to the orange preset and the ramp pattern half way
// through, started by its button.
#include "benchmath.h"
#include "padplayer.h"
#include "startup.h"
#include "translation.h"
#include "eventwait.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSurfaceFormat>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>
#include <vector>

using joyvant::test::VirtualGamepad;
using joyvant::test::pause;
using joyvant::test::waitFor;

namespace {

using joyvant::test::axisValue;
using joyvant::test::percentile;

constexpr double kPi = 3.14159265358979323846;

struct Figures
{
    std::vector<double> intervals; // ms between presented frames
    double cpuMs = 0.0;
    int maxPaintsPerFrame = 0;

    double median() const { return percentile(intervals, 0.5); }
    double p99() const { return percentile(intervals, 0.99); }
    double cpuPerFrame() const { return intervals.empty() ? 0.0 : cpuMs / double(intervals.size()); }
};

// Counts the paints of one canvas.
class PaintCounter : public QObject
{
    Q_OBJECT
public:
    explicit PaintCounter(QObject *canvas, QObject *parent)
        : QObject(parent)
    {
        connect(canvas, SIGNAL(paint(QRect)), this, SLOT(painted()));
    }
    int take()
    {
        const int count = m_count;
        m_count = 0;
        return count;
    }

private slots:
    void painted() { ++m_count; }

private:
    int m_count = 0;
};

void measure(QQuickView &window, int warmup, int frames, const QList<QObject *> &canvases, Figures &figures)
{
    QObject counters;
    QList<PaintCounter *> counted;
    for (QObject *canvas : canvases)
        counted.append(new PaintCounter(canvas, &counters));
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    int frame = 0;
    std::clock_t cpuStart = 0;
    std::clock_t cpuEnd = 0;
    const int total = warmup + frames;
    const QMetaObject::Connection connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (frame == warmup)
            cpuStart = std::clock();
        for (PaintCounter *counter : qAsConst(counted)) {
            const int paints = counter->take();
            if (frame > warmup)
                figures.maxPaintsPerFrame = std::max(figures.maxPaintsPerFrame, paints);
        }
        if (frame > warmup)
            figures.intervals.push_back(double(now - last) / 1e6);
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
    figures.cpuMs += 1000.0 * double(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
}

// Every canvas under item (the plots' layers, the stick views).
void collectCanvases(QQuickItem *item, QList<QObject *> &out)
{
    if (!item)
        return;
    if (item->metaObject()->indexOfSignal("paint(QRect)") >= 0)
        out.append(item);
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children)
        collectCanvases(child, out);
}

void moveStick(VirtualGamepad &pad, bool left, double x, double y)
{
    pad.setAxis(left ? VirtualGamepad::AxisLeftX : VirtualGamepad::AxisRightX, axisValue(x));
    pad.setAxis(left ? VirtualGamepad::AxisLeftY : VirtualGamepad::AxisRightY, axisValue(y));
    pause(5);
}

// Twice round the gate, slowly, counter-clockwise as the user sees it; `radius` gives the
// gate's reach at each angle (radians).
template<typename Gate>
void roll(VirtualGamepad &pad, bool left, int steps, Gate radius)
{
    for (int step = 0; step <= steps; ++step) {
        const double a = 4.0 * kPi * step / steps;
        moveStick(pad, left, radius(a) * std::cos(a), -radius(a) * std::sin(a));
    }
}

// Lets the stick rest at (x, y), trembling by up to `noise`, until it counts as at rest.
void rest(VirtualGamepad &pad, bool left, double x, double y, double noise, std::mt19937 &random)
{
    std::uniform_real_distribution<double> tremble(-noise, noise);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 900)
        moveStick(pad, left, x + tremble(random), y + tremble(random));
}

void pullSlowly(VirtualGamepad &pad, VirtualGamepad::Axis trigger, double top)
{
    for (int step = 0; step <= 120; ++step) {
        const double t = step <= 60 ? step / 60.0 : (120 - step) / 60.0;
        pad.setAxis(trigger, int(std::lround(top * t * 32767)));
        pause(6);
    }
}

// The figures of docs/pad-health.png: a worn left stick, a healthy right one, a left
// trigger that stops short and a full right one, the right stick moving when this returns.
void playFigures(VirtualGamepad &pad)
{
    std::mt19937 random(17);
    // Left: a gate worn flat between 100 and 150 degrees, resting 6 % off centre.
    roll(pad, true, 720, [](double a) {
        const double degrees = std::fmod(a * 180.0 / kPi, 360.0);
        return degrees > 100.0 && degrees < 150.0 ? 0.84 : 1.0;
    });
    rest(pad, true, 0.055, 0.025, 0.006, random);
    // Right: round, reaching the edge, resting at the centre.
    roll(pad, false, 1440, [](double) { return 1.0; });
    rest(pad, false, 0.0, 0.0, 0.002, random);
    pullSlowly(pad, VirtualGamepad::AxisTriggerLeft, 0.8);
    pullSlowly(pad, VirtualGamepad::AxisTriggerRight, 1.0);
    pad.setAxis(VirtualGamepad::AxisTriggerRight, 16000);
    pause(1000); // the figures are published
    // The right stick on its way when the picture is taken, with its trail.
    double angle = 0.2;
    QTimer move;
    QObject::connect(&move, &QTimer::timeout, [&] {
        angle += 0.02;
        pad.setAxis(VirtualGamepad::AxisRightX, axisValue(0.7 * std::cos(angle)));
        pad.setAxis(VirtualGamepad::AxisRightY, axisValue(-0.7 * std::sin(angle)));
    });
    move.start(8);
    pause(600);
}

// The visual descendant of `item` with this object name (Repeater and Loader items are
// not QObject children).
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (!item)
        return nullptr;
    if (item->objectName() == name)
        return item;
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

// A click of the left button in the middle of `item`, as the window system sends it.
void click(QQuickView &window, QQuickItem *item)
{
    const QPointF at = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, at, window.mapToGlobal(at.toPoint()), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    }
}

// The bench of the pad on show with a pattern playing, started by its button.
bool playOnBench(QQuickView &window, QObject *view, VirtualGamepad &pad)
{
    QTextStream err(stderr);
    QObject *model = view->property("padHealth").value<QObject *>();
    QObject *health = model ? model->property("current").value<QObject *>() : nullptr;
    if (!health) {
        err << "bench_padhealth: no pad on show\n";
        return false;
    }
    model->setProperty("benchChosen", true);
    QQuickItem *row = nullptr;
    if (!waitFor([&] { return (row = findItem(window.rootObject(), QStringLiteral("pattern_ramp"))); }, 5000)) {
        err << "bench_padhealth: the bench did not show\n";
        return false;
    }
    pause(200); // laid out
    // The orange preset, then the ramp once the device-change pulse is over, so the
    // pattern starts from silence.
    QQuickItem *preset = findItem(findItem(window.rootObject(), QStringLiteral("preset_4")), QStringLiteral("mouse"));
    QQuickItem *button = findItem(row, QStringLiteral("button"));
    if (!preset || !button) {
        err << "bench_padhealth: the bench's controls are missing\n";
        return false;
    }
    click(window, preset);
    waitFor([&] { return pad.lowFrequencyRumble() == 0 && pad.highFrequencyRumble() == 0; }, 3000);
    click(window, button);
    if (!waitFor([&] { return pad.lowFrequencyRumble() > 0; }, 3000)) {
        err << "bench_padhealth: the ramp did not start\n";
        return false;
    }
    pause(1200);
    return true;
}

int screenshot(QQuickView &window, const QString &file, bool bench)
{
    QTextStream err(stderr);
    window.setSource(QUrl(QStringLiteral("qrc:/bench_padhealth/shot.qml")));
    QObject *view = window.rootObject() ? window.rootObject()->property("view").value<QObject *>() : nullptr;
    if (!view) {
        err << "bench_padhealth: the test view did not load\n";
        return 1;
    }
    window.show();
    VirtualGamepad pad;
    pad.setName(QStringLiteral("Joyvant Virtual Gamepad"));
    pad.setLed(bench);
    if (!pad.attach())
        return 1;
    if (!waitFor([&] { return view->property("currentDeviceId").toInt() == pad.deviceId(); }, 5000)) {
        err << "bench_padhealth: the view never took the virtual pad\n";
        return 1;
    }
    if (bench) {
        if (!playOnBench(window, view, pad))
            return 1;
    } else {
        playFigures(pad);
    }
    if (!window.grabWindow().save(file)) {
        err << "bench_padhealth: cannot write " << file << "\n";
        return 1;
    }
    QTextStream(stdout) << file << "\n";
    pad.detach();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QSG_RENDER_LOOP"))
        qputenv("QSG_RENDER_LOOP", "basic");
    QSurfaceFormat format = joyvant::programSurfaceFormat();
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication app(argc, argv);
    // In the system's language, as the program shows it.
    joyvant::installInterfaceTranslation(app, QLocale::system());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frame cost and picture of the pad health view."));
    parser.addHelpOption();
    const QCommandLineOption framesOption(QStringLiteral("frames"), QStringLiteral("Measured frames per phase."),
                                          QStringLiteral("n"), QStringLiteral("800"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup"), QStringLiteral("Frames before measuring."),
                                          QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Write the view's picture to FILE and quit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption benchOption(QStringLiteral("bench"),
                                         QStringLiteral("With --screenshot: the bench with a pattern playing."));
    parser.addOptions({framesOption, warmupOption, screenshotOption, benchOption});
    parser.process(app);

    QQuickView window;
    window.engine()->addImportPath(QStringLiteral(":/imports"));
    window.engine()->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    window.setResizeMode(QQuickView::SizeRootObjectToView);
    window.resize(1280, 800);
    if (parser.isSet(screenshotOption))
        return screenshot(window, parser.value(screenshotOption), parser.isSet(benchOption));

    const int frames = qMax(10, parser.value(framesOption).toInt());
    const int warmup = qMax(0, parser.value(warmupOption).toInt());
    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    window.engine()->rootContext()->setContextProperty(QStringLiteral("padDeviceId"), pad.deviceId());
    window.setSource(QUrl(QStringLiteral("qrc:/bench_padhealth/bench.qml")));
    QQuickItem *root = window.rootObject();
    QObject *gamepad = root ? root->findChild<QObject *>(QStringLiteral("gamepad")) : nullptr;
    if (!gamepad) {
        std::fprintf(stderr, "bench_padhealth: the scene did not load\n");
        return 1;
    }
    window.show();
    if (!waitFor([&] { return gamepad->property("connected").toBool(); }, 5000)) {
        std::fprintf(stderr, "bench_padhealth: the gamepad module does not see the virtual pad\n");
        return 1;
    }

    struct Phase
    {
        const char *name;
        const char *phase;
        Figures figures;
    };
    Phase phases[] = {
        {"nothing (baseline)", "none", {}},
        {"two stick views (240 x 240)", "sticks", {}},
        {"the health view's two stick plots (264 x 264)", "plots", {}},
        {"pad health view", "health", {}},
    };
    // Both sticks round once a second at 250 Hz while the phases run.
    joyvant::test::PadTicker sweeper(pad, [&pad](int tick) {
        joyvant::test::sweepTo(pad, 2.0 * kPi * (tick % 250) / 250.0);
    });
    const int rounds = 4;
    for (int round = 0; round < rounds; ++round) {
        for (Phase &phase : phases) {
            root->setProperty("phase", QString::fromLatin1(phase.phase));
            pause(200);
            QList<QObject *> canvases;
            collectCanvases(root->property("content").value<QQuickItem *>(), canvases);
            measure(window, warmup, frames / rounds, canvases, phase.figures);
        }
    }

    const Figures &base = phases[0].figures;
    std::printf("| Shown | Frames | Interval, median | Interval, p99 | CPU per frame | Interval over baseline "
                "(median) | Most paints of one canvas in a frame |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (const Phase &phase : phases) {
        const Figures &f = phase.figures;
        std::printf("| %s | %d | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %d |\n", phase.name, int(f.intervals.size()),
                    f.median(), f.p99(), f.cpuPerFrame(), f.median() - base.median(), f.maxPaintsPerFrame);
    }
    // CPU time per frame is the steadier figure on a shared machine (the intervals also
    // count the time other processes take).
    const double sticks = phases[1].figures.cpuPerFrame() - base.cpuPerFrame();
    const double plots = phases[2].figures.cpuPerFrame() - base.cpuPerFrame();
    const double health = phases[3].figures.cpuPerFrame() - base.cpuPerFrame();
    std::printf("CPU per frame over the baseline: stick views %.2f ms, plots %.2f ms (%.2f x), whole view %.2f ms "
                "(%.2f x)\n",
                sticks, plots, sticks > 0 ? plots / sticks : 0.0, health, sticks > 0 ? health / sticks : 0.0);
    return 0;
}

#include "main.moc"
