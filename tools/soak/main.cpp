// Soak test of the whole program: resident memory over a long run.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/tools/bin/soak
//       [--switch SECONDS] [--minutes MINUTES] [--sample SECONDS] [--csv FILE] [--scenes FILE]
//
// Starts the program's root document (qrc:/nimbo4.qml) in the program's folder, set up the
// way the program sets itself up (joyvant::prepareApplication, prepareEngine and
// trimHeapPeriodically), connects an SDL virtual pad and plays it: both sticks sweep round,
// both triggers are pulled and released, and every button is pressed in turn, one at a time
// (so Select and Start never open the pie menu by themselves). Every --switch seconds
// (default 30) the pad opens the pie menu with Select and Start, points the right stick at
// the "next" sector, presses R1 and closes the menu again, so the program steps to the next
// scene of its scenes.json (or of --scenes FILE) exactly as a user would; a scene that takes
// long to draw gets its full time all the same. Resident memory (VmRSS, with its anonymous
// and file-backed parts) and the C heap (glibc's bytes in use and free bytes kept) are
// sampled every --sample seconds (default 5) and printed, one line each, and written to
// --csv FILE if given. At the end: memory at the start, after the first pass through every
// scene, and the slope (least squares) after the first pass, in MB a minute.
//
// To find where memory goes: --direct steps scenes by their action instead of the pie menu,
// --still leaves the pad at rest, --no-trim leaves the C heap untrimmed.
#include "benchmath.h"
#include "padplayer.h"
#include "eventwait.h"
#include "startup.h"
#include "virtualgamepad.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

using joyvant::test::pause;
using joyvant::test::VirtualGamepad;
using joyvant::test::waitFor;

namespace {

using joyvant::test::axisValue;

constexpr double kPi = 3.14159265358979323846;

QQuickItem *mainScreenIn(QQuickItem *item)
{
    if (item->property("actionFullScreen").isValid())
        return item;
    const QList<QQuickItem *> items = item->childItems();
    for (QQuickItem *child : items) {
        if (QQuickItem *found = mainScreenIn(child))
            return found;
    }
    return nullptr;
}

struct Memory
{
    double rss = 0; // MB
    double anon = 0;
    double file = 0;
    double heapUsed = 0; // MB, glibc: allocated (heap and mmap)
    double heapFree = 0; // MB, glibc: free but kept in the heaps
};

Memory sampleMemory()
{
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = status.readAll().split('\n');
        for (const QByteArray &line : lines) {
            const auto value
                = [&line] { return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toDouble() / 1024.0; };
            if (line.startsWith("VmRSS:"))
                memory.rss = value();
            else if (line.startsWith("RssAnon:"))
                memory.anon = value();
            else if (line.startsWith("RssFile:"))
                memory.file = value();
        }
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    memory.heapUsed = double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
    memory.heapFree = double(info.fordblks) / (1024.0 * 1024.0);
#endif
    return memory;
}

// Plays the pad on the GUI thread while it runs: sticks round every 2 s, triggers in
// opposite sweeps, each button held for 100 ms in turn.
class Player : public QObject
{
public:
    explicit Player(VirtualGamepad &pad)
        : m_pad(pad)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    }

    void start() { m_timer.start(); }

    void stop()
    {
        m_timer.stop();
        joyvant::test::releaseAll(m_pad);
    }

private:
    void tick()
    {
        ++m_tick;
        joyvant::test::sweepTo(m_pad, 2.0 * kPi * (m_tick % 100) / 100.0, true);
        // 5 ticks held, 1 tick released, then the next button.
        const int phase = m_tick % 6;
        const auto button = VirtualGamepad::Button((m_tick / 6) % VirtualGamepad::ButtonCount);
        m_pad.setButton(button, phase < 5);
    }

    VirtualGamepad &m_pad;
    QTimer m_timer;
    int m_tick = 0;
};

double slopePerMinute(const std::vector<std::pair<double, double>> &points)
{
    if (points.size() < 2)
        return 0;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto &p : points) {
        sx += p.first;
        sy += p.second;
        sxx += p.first * p.first;
        sxy += p.first * p.second;
    }
    const double n = double(points.size());
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d * 60.0;
}

} // namespace

int main(int argc, char *argv[])
{
    joyvant::prepareApplication();
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Soak test: the program for a long time, memory sampled"));
    parser.addHelpOption();
    const QCommandLineOption switchOption(QStringLiteral("switch"), QStringLiteral("Seconds per scene"),
                                          QStringLiteral("seconds"), QStringLiteral("30"));
    const QCommandLineOption minutesOption(QStringLiteral("minutes"), QStringLiteral("Length of the run"),
                                           QStringLiteral("minutes"), QStringLiteral("30"));
    const QCommandLineOption sampleOption(QStringLiteral("sample"), QStringLiteral("Seconds between samples"),
                                          QStringLiteral("seconds"), QStringLiteral("5"));
    const QCommandLineOption csvOption(QStringLiteral("csv"), QStringLiteral("Write the samples to FILE"),
                                       QStringLiteral("file"));
    const QCommandLineOption scenesOption(QStringLiteral("scenes"),
                                          QStringLiteral("Play the scene list FILE instead of the program's"),
                                          QStringLiteral("file"));
    const QCommandLineOption directOption(QStringLiteral("direct"),
                                          QStringLiteral("Step scenes by their action, not through the pie menu "
                                                         "(to tell the menu's share from the scenes')"));
    const QCommandLineOption stillOption(QStringLiteral("still"),
                                         QStringLiteral("Leave the pad at rest between switches "
                                                        "(to tell the pad's share from the scenes')"));
    const QCommandLineOption noTrimOption(QStringLiteral("no-trim"),
                                          QStringLiteral("Leave the C heap untrimmed, as the program did before "
                                                         "(to see what the trim gives)"));
    parser.addOptions(
        {switchOption, minutesOption, sampleOption, csvOption, scenesOption, directOption, stillOption, noTrimOption});
    parser.process(app);
    const double switchSeconds = qMax(3.0, parser.value(switchOption).toDouble());
    const double minutes = parser.value(minutesOption).toDouble();
    const double sampleSeconds = qMax(1.0, parser.value(sampleOption).toDouble());

    QTextStream out(stdout);
    // The program's own chatter (every scene switch logs its scene) stays out of the figures.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    QTextStream err(stderr);
    QFile csv;
    if (parser.isSet(csvOption)) {
        csv.setFileName(QFileInfo(parser.value(csvOption)).absoluteFilePath());
        if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << "soak: cannot write " << csv.fileName() << "\n";
            return 1;
        }
        csv.write("seconds,switches,scene,rss_mb,anon_mb,file_mb,heap_used_mb,heap_free_mb\n");
    }
    const QString sceneList
        = parser.isSet(scenesOption) ? QFileInfo(parser.value(scenesOption)).absoluteFilePath() : QString();
    if (!QDir::setCurrent(QStringLiteral(JOYVANT_BIN_DIR))) {
        err << "soak: no program folder " << JOYVANT_BIN_DIR << "\n";
        return 1;
    }

    if (!parser.isSet(noTrimOption))
        joyvant::trimHeapPeriodically(&app);
    QQmlApplicationEngine engine;
    joyvant::prepareEngine(engine, QStringLiteral(JOYVANT_BIN_DIR));
    if (!sceneList.isEmpty())
        engine.rootContext()->setContextProperty(QStringLiteral("joyvantSceneList"), QUrl::fromLocalFile(sceneList));
    engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    engine.load(QUrl(QStringLiteral("qrc:/nimbo4.qml")));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    QQuickItem *main = window ? mainScreenIn(window->contentItem()) : nullptr;
    QObject *test = main ? main->property("test").value<QObject *>() : nullptr;
    QObject *menu = main ? main->property("pieMenu").value<QObject *>() : nullptr;
    QObject *scenes = main ? main->property("scenes").value<QObject *>() : nullptr;
    if (!test || !menu || !scenes) {
        err << "soak: the main screen did not load\n";
        return 1;
    }
    const int sceneCount = scenes->property("count").toInt();
    if (sceneCount == 0) {
        err << "soak: no scenes in " << JOYVANT_BIN_DIR << "/scenes.json\n";
        return 1;
    }

    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    if (!waitFor([&] { return test->property("currentDeviceId").toInt() == pad.deviceId(); }, 5000)) {
        err << "soak: the test view never took the virtual pad\n";
        return 1;
    }
    using B = VirtualGamepad;
    const auto menuOpen = [&] { return menu->property("state").toString() == QLatin1String("active"); };
    const auto toggleMenu = [&](bool open) {
        pad.setButton(B::ButtonBack, true);
        pad.setButton(B::ButtonStart, true);
        const bool done = waitFor([&] { return menuOpen() == open; }, 3000);
        pad.setButton(B::ButtonBack, false);
        pad.setButton(B::ButtonStart, false);
        pause(80);
        return done;
    };
    // The sixth sector (300 to 360 degrees from the stick's x axis) is "next".
    const bool direct = parser.isSet(directOption);
    const bool still = parser.isSet(stillOption);
    QObject *actionNext = main->property("actionNext").value<QObject *>();
    const auto stepThroughMenu = [&]() {
        const int before = scenes->property("currentIndex").toInt();
        if (direct) {
            QMetaObject::invokeMethod(actionNext, "trigger");
            return scenes->property("currentIndex").toInt() == (before + 1) % sceneCount;
        }
        if (!toggleMenu(true))
            return false;
        pad.setAxis(B::AxisRightX, axisValue(std::cos(330.0 * kPi / 180.0)));
        pad.setAxis(B::AxisRightY, axisValue(std::sin(330.0 * kPi / 180.0)));
        pause(80);
        pad.setButton(B::ButtonRightShoulder, true);
        pause(60);
        pad.setButton(B::ButtonRightShoulder, false);
        const bool stepped
            = waitFor([&] { return scenes->property("currentIndex").toInt() == (before + 1) % sceneCount; }, 3000);
        pad.setAxis(B::AxisRightX, 0);
        pad.setAxis(B::AxisRightY, 0);
        pause(80);
        return toggleMenu(false) && stepped;
    };

    Player player(pad);
    if (!still)
        player.start();

    QElapsedTimer clock;
    clock.start();
    const qint64 endMs = qint64(minutes * 60000.0);
    qint64 nextSwitch = qint64(switchSeconds * 1000.0);
    qint64 nextSample = 0;
    int switches = 0;
    double startRss = -1;
    double firstPassRss = -1;
    double firstPassSeconds = -1;
    std::vector<std::pair<double, double>> afterFirstPass;

    out << "soak: " << sceneCount << " scenes, " << switchSeconds << " s each, " << minutes << " min\n";
    out << "seconds switches scene rss_mb anon_mb file_mb heap_used_mb heap_free_mb\n";
    out.flush();
    while (clock.elapsed() < endMs) {
        const qint64 now = clock.elapsed();
        if (now >= nextSample) {
            const Memory m = sampleMemory();
            const double seconds = double(now) / 1000.0;
            const int scene = scenes->property("currentIndex").toInt();
            const QString line = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                                     .arg(seconds, 0, 'f', 1)
                                     .arg(switches)
                                     .arg(scene)
                                     .arg(m.rss, 0, 'f', 1)
                                     .arg(m.anon, 0, 'f', 1)
                                     .arg(m.file, 0, 'f', 1)
                                     .arg(m.heapUsed, 0, 'f', 1)
                                     .arg(m.heapFree, 0, 'f', 1);
            out << line << "\n";
            out.flush();
            if (csv.isOpen()) {
                csv.write(QString(line).replace(QLatin1Char(' '), QLatin1Char(',')).toUtf8() + '\n');
                csv.flush();
            }
            if (startRss < 0 && seconds >= 5.0)
                startRss = m.rss;
            if (switches >= sceneCount) {
                if (firstPassRss < 0) {
                    firstPassRss = m.rss;
                    firstPassSeconds = seconds;
                }
                afterFirstPass.emplace_back(seconds, m.rss);
            }
            nextSample = qMax(nextSample + qint64(sampleSeconds * 1000.0), now + 1);
        }
        if (now >= nextSwitch) {
            player.stop();
            pause(100);
            if (!stepThroughMenu()) {
                err << "soak: the pie menu did not step to the next scene (switch " << switches + 1 << ")\n";
                return 1;
            }
            ++switches;
            if (!still)
                player.start();
            // A scene gets its time from when it started, however long the step took.
            nextSwitch = clock.elapsed() + qint64(switchSeconds * 1000.0);
        }
        pause(50);
    }
    player.stop();

    out << "\nsoak summary: " << QString::number(double(clock.elapsed()) / 60000.0, 'f', 1) << " min, " << switches
        << " switches, " << sceneCount << " scenes\n";
    out << "  resident memory at the start (5 s): " << QString::number(startRss, 'f', 1) << " MB\n";
    if (firstPassRss >= 0) {
        out << "  after the first pass (" << QString::number(firstPassSeconds / 60.0, 'f', 1)
            << " min): " << QString::number(firstPassRss, 'f', 1) << " MB\n";
        out << "  slope after the first pass: " << QString::number(slopePerMinute(afterFirstPass), 'f', 2)
            << " MB/min over " << QString::number((afterFirstPass.back().first - firstPassSeconds) / 60.0, 'f', 1)
            << " min\n";
    } else {
        out << "  the first pass did not end: run longer or switch more often\n";
    }
    pad.detach();
    return 0;
}
