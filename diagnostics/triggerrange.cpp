#include "triggerrange.h"

#include "gamepadbackend.h"

namespace joyvant {

TriggerRange::TriggerRange(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    // Repeats while reports come in, so a busy stick does not restart it each time.
    m_publishTimer.setInterval(PublishIntervalMs);
    connect(&m_publishTimer, &QTimer::timeout, this, &TriggerRange::publishTick);
    connect(m_backend.data(), &GamepadBackend::axisChanged, this, &TriggerRange::onAxisChanged);
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, &TriggerRange::onDeviceAdded);
}

TriggerRange::~TriggerRange() = default;

void TriggerRange::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    m_deviceId = deviceId;
    restart();
    emit deviceIdChanged();
}

void TriggerRange::setTrigger(Trigger trigger)
{
    if (m_trigger == trigger)
        return;
    m_trigger = trigger;
    restart();
    emit triggerChanged();
}

int TriggerRange::axis() const
{
    return m_trigger == Left ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

void TriggerRange::reset()
{
    restart();
}

void TriggerRange::restart()
{
    m_analysis.reset();
    // A released trigger sends nothing: its present value is the first sample.
    if (m_backend->hasDevice(m_deviceId))
        m_analysis.addSample(m_backend->axis(m_deviceId, axis()));
    refresh();
}

void TriggerRange::onDeviceAdded(int deviceId)
{
    if (deviceId == m_deviceId && m_analysis.distinct() == 0)
        restart();
}

void TriggerRange::onAxisChanged(int deviceId, int sdlAxis, int value)
{
    if (deviceId != m_deviceId || sdlAxis != axis())
        return;
    m_analysis.addSample(value);
    m_pending = true;
    if (!m_publishTimer.isActive())
        m_publishTimer.start();
}

void TriggerRange::publishTick()
{
    if (m_pending)
        refresh();
    else
        m_publishTimer.stop();
}

void TriggerRange::refresh()
{
    m_pending = false;
    Summary summary;
    summary.distinct = m_analysis.distinct();
    summary.rest = m_analysis.restRaw();
    summary.actuation = m_analysis.actuationRaw();
    summary.highest = m_analysis.maximumRaw();
    summary.verdict = m_analysis.verdict();
    if (summary == m_published)
        return;
    m_published = summary;
    emit resultsChanged();
}

QVariantMap TriggerRange::figures() const
{
    QVariantMap figures {{QStringLiteral("trigger"), m_trigger == Left ? QStringLiteral("left") : QStringLiteral("right")},
                         {QStringLiteral("distinctValues"), distinctValues()},
                         {QStringLiteral("verdict"), verdict()}};
    if (m_published.rest >= 0) {
        figures.insert(QStringLiteral("restValue"), restValue());
        figures.insert(QStringLiteral("maximum"), maximum());
    }
    if (m_published.actuation >= 0)
        figures.insert(QStringLiteral("actuationPoint"), actuationPoint());
    return figures;
}

} // namespace joyvant
