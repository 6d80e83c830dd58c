// Stick view benchmark, and a screenshot of the controller widgets.
//
//   build/tools/bin/bench_stick [--seconds S]
//   build/tools/bin/bench_stick --screenshot FILE.png
//
// Benchmark: two StickViews at their default size (131 x 131) are bound to a Gamepad of
// the gamepad module the way the controller picture binds them, while an SDL virtual pad
// moves both sticks round circles (one turn a second), setting its axes every 4 ms
// (250 Hz). Each frame's paint work is the GUI thread's polish phase, timed from the
// window's update request to afterAnimating (which the scene graph emits right after it
// polishes, and a canvas paints when it is polished), divided by the number of paints in
// that frame. The same run is made first with two baseline canvases that only clear and
// fill one rectangle per paint: the ratio of the two is the stick view's own cost over
// the canvas machinery. Also reported: paints per view per frame (at most one is the aim,
// however many axis changes arrive), frames and paints per second. Each run lasts S
// seconds (default 10).
//
// Screenshot: renders the widget gallery (stick views in their states, the indicator
// family in its three states) and writes it to FILE.
#include "benchmath.h"
#include "startup.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSurfaceFormat>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using joyvant::test::VirtualGamepad;

namespace {

using joyvant::test::percentile;

constexpr double Pi = 3.14159265358979323846;

struct Frame
{
    qint64 nanos; // polish phase
    int paints[2];
};

// Times the polish phase of each frame and counts the paints of the two views in it.
class FrameRecorder : public QObject
{
    Q_OBJECT
public:
    explicit FrameRecorder(QQuickWindow *window)
        : m_window(window)
    {
        m_clock.start();
        window->installEventFilter(this);
        connect(window, &QQuickWindow::afterAnimating, this, &FrameRecorder::frameEnd);
    }

    void watch(QObject *left, QObject *right)
    {
        for (const QMetaObject::Connection &c : qAsConst(m_paintConnections))
            disconnect(c);
        m_paintConnections = {connect(left, SIGNAL(paint(QRect)), this, SLOT(leftPainted())),
                              connect(right, SIGNAL(paint(QRect)), this, SLOT(rightPainted()))};
    }

    void reset()
    {
        m_frames.clear();
        m_unattributed = 0;
        m_start = -1;
    }

    const std::vector<Frame> &frames() const { return m_frames; }
    int unattributedPaints() const { return m_unattributed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::UpdateRequest && m_start < 0) {
            m_start = m_clock.nsecsElapsed();
            m_current = {0, {0, 0}};
        }
        return false;
    }

private slots:
    void leftPainted() { painted(0); }
    void rightPainted() { painted(1); }

    void frameEnd()
    {
        if (m_start < 0)
            return;
        m_current.nanos = m_clock.nsecsElapsed() - m_start;
        m_frames.push_back(m_current);
        m_start = -1;
    }

private:
    void painted(int view)
    {
        if (m_start < 0)
            ++m_unattributed; // a paint outside a timed polish phase: reported
        else
            ++m_current.paints[view];
    }

    QQuickWindow *m_window;
    QElapsedTimer m_clock;
    qint64 m_start = -1;
    Frame m_current {0, {0, 0}};
    std::vector<Frame> m_frames;
    int m_unattributed = 0;
    QVector<QMetaObject::Connection> m_paintConnections;
};

void spin(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()> &condition, int msecs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > msecs)
            return false;
        spin(10);
    }
    return true;
}

struct Summary
{
    double median = 0;
    double p99 = 0;
    int frames = 0;
    int paints = 0;
    int maxPerViewPerFrame = 0;
    int unattributed = 0;
};

Summary sweep(QQuickView &view, FrameRecorder &recorder, VirtualGamepad &pad, bool baseline, int seconds)
{
    QObject *root = view.rootObject();
    root->setProperty("baselineRun", baseline);
    QList<QVariant> views;
    waitFor([&] {
        views = root->property("views").toList();
        return views.size() == 2 && views[0].value<QObject *>() && views[1].value<QObject *>();
    }, 5000);
    recorder.watch(views[0].value<QObject *>(), views[1].value<QObject *>());

    double angle = 0;
    QTimer axes;
    axes.setTimerType(Qt::PreciseTimer);
    axes.setInterval(4);
    QObject::connect(&axes, &QTimer::timeout, [&] {
        angle += 2 * Pi / 250;
        pad.setAxis(VirtualGamepad::AxisLeftX, int(std::lround(32767 * std::cos(angle))));
        pad.setAxis(VirtualGamepad::AxisLeftY, int(std::lround(32767 * std::sin(angle))));
        pad.setAxis(VirtualGamepad::AxisRightX, int(std::lround(32767 * std::cos(-angle))));
        pad.setAxis(VirtualGamepad::AxisRightY, int(std::lround(32767 * std::sin(-angle))));
    });
    axes.start();
    spin(1000); // warm-up
    recorder.reset();
    spin(seconds * 1000);
    axes.stop();

    Summary s;
    std::vector<double> perPaint;
    for (const Frame &f : recorder.frames()) {
        const int paints = f.paints[0] + f.paints[1];
        s.maxPerViewPerFrame = std::max({s.maxPerViewPerFrame, f.paints[0], f.paints[1]});
        s.paints += paints;
        if (paints > 0)
            perPaint.push_back(f.nanos / 1e6 / paints);
    }
    s.frames = int(recorder.frames().size());
    s.median = percentile(perPaint, 0.5);
    s.p99 = percentile(perPaint, 0.99);
    s.unattributed = recorder.unattributedPaints();
    return s;
}

int screenshot(QQuickView &view, const QString &file)
{
    view.setSource(QUrl(QStringLiteral("qrc:/bench_stick/gallery.qml")));
    if (view.status() != QQuickView::Ready)
        return 1;
    view.show();
    int swapped = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&] { ++swapped; });
    if (!waitFor([&] { return swapped >= 3; }, 10000)) {
        std::fprintf(stderr, "bench_stick: the gallery did not render\n");
        return 1;
    }
    if (!view.grabWindow().save(file)) {
        std::fprintf(stderr, "bench_stick: cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(file));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Length of each run."),
                                     QStringLiteral("S"), QStringLiteral("10"));
    QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Write the widget gallery to FILE and quit."),
                                        QStringLiteral("FILE"));
    parser.addOptions({secondsOption, screenshotOption});
    parser.process(app);

    QQuickView view;
    view.engine()->addImportPath(QStringLiteral(":/imports"));
    view.engine()->addImportPath(QStringLiteral(JOYVANT_MODULE_DIR));
    view.setResizeMode(QQuickView::SizeViewToRootObject);

    if (parser.isSet(screenshotOption))
        return screenshot(view, parser.value(screenshotOption));

    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    view.engine()->rootContext()->setContextProperty(QStringLiteral("padDeviceId"), pad.deviceId());
    view.setSource(QUrl(QStringLiteral("qrc:/bench_stick/sweep.qml")));
    if (view.status() != QQuickView::Ready)
        return 1;
    view.show();
    QObject *gamepad = view.rootObject()->findChild<QObject *>(QStringLiteral("gamepad"));
    if (!gamepad || !waitFor([&] { return gamepad->property("connected").toBool(); }, 5000)) {
        std::fprintf(stderr, "bench_stick: the gamepad module does not see the virtual pad\n");
        return 1;
    }

    FrameRecorder recorder(&view);
    const int seconds = std::max(1, parser.value(secondsOption).toInt());
    const Summary base = sweep(view, recorder, pad, true, seconds);
    const Summary stick = sweep(view, recorder, pad, false, seconds);

    std::printf("%-16s %12s %12s %9s %10s %18s %13s\n", "canvas (131 px)", "median ms", "p99 ms", "frames/s",
                "paints/s", "max paints/view/f", "paints/frame");
    for (const auto &row : {std::make_pair("baseline", base), std::make_pair("stick view", stick)}) {
        const Summary &s = row.second;
        std::printf("%-16s %12.3f %12.3f %9.1f %10.1f %18d %13.2f\n", row.first, s.median, s.p99,
                    double(s.frames) / seconds, double(s.paints) / seconds, s.maxPerViewPerFrame,
                    s.frames ? double(s.paints) / s.frames : 0.0);
        if (s.unattributed)
            std::printf("  (%d paints outside a timed polish phase)\n", s.unattributed);
    }
    std::printf("stick view / baseline: median %.2f, p99 %.2f\n", base.median > 0 ? stick.median / base.median : 0.0,
                base.p99 > 0 ? stick.p99 / base.p99 : 0.0);
    return 0;
}

#include "main.moc"
