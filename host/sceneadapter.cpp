#include "sceneadapter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>

#include <cmath>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <ctime>
#endif

namespace joyvant {

namespace {

Q_LOGGING_CATEGORY(sceneLog, "joyvant.scene", QtInfoMsg)

// Processor time of the whole process, every thread included.
double processCpuMs()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0.0;
    const auto ticks = [](const FILETIME &time) {
        return (quint64(time.dwHighDateTime) << 32) | quint64(time.dwLowDateTime);
    };
    return double(ticks(kernel) + ticks(user)) / 1e4; // 100 ns units
#else
    timespec now {};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0)
        return 0.0;
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
#endif
}

} // namespace

SceneAdapter::SceneAdapter(QObject *parent)
    : QObject(parent)
{
    m_elapsed.start();
    m_clock.setTimerType(Qt::PreciseTimer);
    connect(&m_clock, &QTimer::timeout, this, &SceneAdapter::tick);
    updateClock();
}

SceneAdapter::~SceneAdapter()
{
    disconnectWindow();
}

void SceneAdapter::disconnectWindow()
{
    for (const QMetaObject::Connection &connection : qAsConst(m_connections))
        disconnect(connection);
    m_connections.clear();
    if (m_window)
        m_window->removeEventFilter(this);
}

void SceneAdapter::setWindow(QQuickWindow *window)
{
    if (m_window == window)
        return;
    disconnectWindow();
    m_window = window;
    if (window) {
        if (QScreen *screen = window->screen())
            m_controller.setDisplayRate(screen->refreshRate());
        window->installEventFilter(this);
        m_connections << connect(window, &QWindow::visibilityChanged, this, &SceneAdapter::updateDrawing);
        // Both run on the render thread; the GUI thread is blocked during synchronisation.
        m_connections << connect(
            window, &QQuickWindow::beforeSynchronizing, this,
            [this] {
                if (m_syncStartNs < 0)
                    m_syncStartNs = m_elapsed.nsecsElapsed();
                const bool layered = m_layered.load();
                m_frameDrawsScene = m_frameDrawsScene || !layered || m_scenePending.exchange(false);
            },
            Qt::DirectConnection);
        m_connections << connect(
            window, &QQuickWindow::frameSwapped, this,
            [this] {
                const qint64 now = m_elapsed.nsecsElapsed();
                const double cpu = processCpuMs();
                SceneFrame frame;
                frame.timeMs = double(now) / 1e6;
                frame.wallMs = m_syncStartNs >= 0 ? double(now - m_syncStartNs) / 1e6 : 0.0;
                frame.cpuMs = m_lastCpuMs >= 0.0 ? cpu - m_lastCpuMs : 0.0;
                frame.sceneDrawn = m_frameDrawsScene;
                m_lastCpuMs = cpu;
                m_syncStartNs = -1;
                m_frameDrawsScene = false;
                QMetaObject::invokeMethod(this, [this, frame] { takeFrame(frame); }, Qt::QueuedConnection);
            },
            Qt::DirectConnection);
    }
    m_controller.restart(double(m_elapsed.nsecsElapsed()) / 1e6);
    m_lastCpuMs = -1.0;
    updateDrawing();
    emit windowChanged();
}

void SceneAdapter::setFixedScale(qreal scale)
{
    const double wanted = scale > 0.0 ? std::min(double(scale), 1.0) : 0.0;
    if (qFuzzyCompare(1.0 + wanted, 1.0 + m_controller.fixedScale()))
        return;
    const int before = level();
    const qreal scaleBefore = this->scale();
    m_controller.setFixedScale(wanted);
    emit fixedScaleChanged();
    if (before != level() || !qFuzzyCompare(scaleBefore, this->scale()))
        announceLevel(adaptive() ? "the scene adapts again" : "fixed on the command line");
}

int SceneAdapter::clockInterval() const
{
    return std::max(1, int(std::floor(1000.0 / m_controller.sceneRate())));
}

bool SceneAdapter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Expose)
        QMetaObject::invokeMethod(this, &SceneAdapter::updateDrawing, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void SceneAdapter::updateDrawing()
{
    bool drawing = true;
    if (m_window) {
        const QWindow::Visibility visibility = m_window->visibility();
        drawing = m_window->isExposed() && visibility != QWindow::Minimized && visibility != QWindow::Hidden;
    }
    if (drawing == m_drawing)
        return;
    m_drawing = drawing;
    // Frames after a pause say nothing about the level before it.
    m_controller.restart(double(m_elapsed.nsecsElapsed()) / 1e6);
    updateClock();
    emit drawingChanged();
}

void SceneAdapter::updateClock()
{
    m_layered = layered();
    m_clock.setInterval(clockInterval());
    if (m_drawing)
        m_clock.start();
    else
        m_clock.stop();
}

void SceneAdapter::tick()
{
    if (m_layered.load())
        m_scenePending = true;
    emit ticked();
}

void SceneAdapter::takeFrame(const SceneFrame &frame)
{
    ++m_framesPresented;
    emit framesPresentedChanged();
    if (!m_drawing)
        return;
    if (m_controller.addFrame(frame))
        announceLevel(m_controller.reason().c_str());
}

void SceneAdapter::announceLevel(const char *why)
{
    updateClock();
    const SceneLevel now = m_controller.level();
    const int percent = int(std::lround(now.scale * 100.0));
    if (now.maxRate > 0)
        qCInfo(sceneLog, "Scene drawn at %d %% of the window's size, %d pictures a second (%s)", percent, now.maxRate,
               why);
    else
        qCInfo(sceneLog, "Scene drawn at %d %% of the window's size, every frame (%s)", percent, why);
    emit levelChanged();
}

void registerSceneTypes()
{
    qmlRegisterSingletonType<SceneAdapter>("com.corvane.scene", 1, 0, "SceneAdapter",
                                           [](QQmlEngine *, QJSEngine *) -> QObject * { return new SceneAdapter; });
}

} // namespace joyvant

// Every program that carries the interface bundle gets the type before its first engine.
static void registerSceneTypesAtStart()
{
    joyvant::registerSceneTypes();
}
Q_COREAPP_STARTUP_FUNCTION(registerSceneTypesAtStart)
