#include "stickhealth.h"

#include "gamepadbackend.h"

namespace joyvant {

namespace {

bool operator==(const StickAnalysis::Rest &a, const StickAnalysis::Rest &b)
{
    return a.measured == b.measured && a.offset == b.offset && a.direction == b.direction && a.noise == b.noise
        && a.deadZone == b.deadZone && a.samples == b.samples;
}

bool operator==(const StickAnalysis::Gate &a, const StickAnalysis::Gate &b)
{
    return a.coverage == b.coverage && a.circularityReported == b.circularityReported
        && a.circularityError == b.circularityError && a.worstAngle == b.worstAngle
        && a.worstRadius == b.worstRadius && a.overReach == b.overReach && a.reach == b.reach
        && a.sectors == b.sectors;
}

} // namespace

StickHealth::StickHealth(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    m_clock.start();
    // Repeats while reports come in, so a busy stick does not restart it each time.
    m_publishTimer.setInterval(PublishIntervalMs);
    connect(&m_publishTimer, &QTimer::timeout, this, &StickHealth::publishTick);
    m_restTimer.setSingleShot(true);
    // A coarse timer may fire a little early, before the run has lasted long enough.
    m_restTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_restTimer, &QTimer::timeout, this, &StickHealth::refresh);
    connect(m_backend.data(), &GamepadBackend::axisChanged, this, &StickHealth::onAxisChanged);
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, &StickHealth::onDeviceAdded);
}

StickHealth::~StickHealth() = default;

void StickHealth::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    m_deviceId = deviceId;
    restart();
    emit deviceIdChanged();
}

void StickHealth::setStick(Stick stick)
{
    if (m_stick == stick)
        return;
    m_stick = stick;
    restart();
    emit stickChanged();
}

int StickHealth::axisX() const
{
    return m_stick == Left ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_RIGHTX;
}

int StickHealth::axisY() const
{
    return m_stick == Left ? SDL_CONTROLLER_AXIS_LEFTY : SDL_CONTROLLER_AXIS_RIGHTY;
}

void StickHealth::reset()
{
    restart();
}

void StickHealth::restart()
{
    m_analysis.reset();
    m_armedRunStart = -1;
    m_restTimer.stop();
    // A still stick sends nothing: its present position is the first sample.
    if (m_backend->hasDevice(m_deviceId)) {
        m_rawX = m_backend->axis(m_deviceId, axisX());
        m_rawY = m_backend->axis(m_deviceId, axisY());
        sample();
    }
    refresh();
}

void StickHealth::onDeviceAdded(int deviceId)
{
    if (deviceId == m_deviceId && m_analysis.samples() == 0)
        restart();
}

void StickHealth::onAxisChanged(int deviceId, int sdlAxis, int value)
{
    if (deviceId != m_deviceId)
        return;
    if (sdlAxis == axisX())
        m_rawX = value;
    else if (sdlAxis == axisY())
        m_rawY = value;
    else
        return;
    sample();
    m_pending = true;
    if (!m_publishTimer.isActive())
        m_publishTimer.start();
}

void StickHealth::sample()
{
    m_analysis.addSample(m_clock.nsecsElapsed(), m_rawX, m_rawY);
}

void StickHealth::publishTick()
{
    if (m_pending)
        refresh();
    else
        m_publishTimer.stop();
}

void StickHealth::refresh()
{
    m_pending = false;
    const qint64 now = m_clock.nsecsElapsed();
    const bool atRest = m_analysis.atRest(now);
    const qint64 runStart = m_analysis.runStart();
    if (!atRest && runStart >= 0 && (runStart != m_armedRunStart || !m_restTimer.isActive())) {
        // A still stick reports nothing more: look again once this run has lasted long
        // enough to count as rest (samples that break it will publish anyway). A timer
        // that came too early for its run is armed again for the rest of the time.
        m_armedRunStart = runStart;
        const qint64 due = runStart + StickAnalysis::RestHoldNs - now;
        m_restTimer.start(int(qMax<qint64>(0, due / 1000000)) + 1);
    }
    const StickAnalysis::Rest rest = m_analysis.rest(now);
    if (atRest != m_atRest || !(rest == m_rest)) {
        m_atRest = atRest;
        m_rest = rest;
        emit restChanged();
    }
    const StickAnalysis::Gate gate = m_analysis.gate();
    if (!(gate == m_gate)) {
        m_gate = gate;
        emit gateChanged();
    }
    if (m_analysis.distinctX() != m_distinctX || m_analysis.distinctY() != m_distinctY) {
        m_distinctX = m_analysis.distinctX();
        m_distinctY = m_analysis.distinctY();
        emit resolutionChanged();
    }
}

QVariantList StickHealth::reach() const
{
    QVariantList list;
    for (double radius : m_gate.reach)
        list.append(radius);
    return list;
}

QVariantList StickHealth::sectorRadii() const
{
    QVariantList list;
    list.reserve(StickAnalysis::Sectors);
    for (double radius : m_gate.sectors)
        list.append(radius);
    return list;
}

QVariantList StickHealth::reachPassed() const
{
    QVariantList list;
    for (double radius : m_gate.reach)
        list.append(radius >= StickAnalysis::ReachNeeded);
    return list;
}

QVariantMap StickHealth::figures() const
{
    QVariantMap rest {{QStringLiteral("measured"), m_rest.measured}};
    if (m_rest.measured) {
        rest.insert(QStringLiteral("centreOffset"), m_rest.offset);
        rest.insert(QStringLiteral("centreDirection"), m_rest.direction);
        rest.insert(QStringLiteral("noise"), m_rest.noise);
        rest.insert(QStringLiteral("suggestedDeadZone"), m_rest.deadZone);
        rest.insert(QStringLiteral("samples"), m_rest.samples);
    }
    QVariantMap gate {{QStringLiteral("sectorCoverage"), m_gate.coverage},
                      {QStringLiteral("circularityReported"), m_gate.circularityReported},
                      {QStringLiteral("reach"), reach()},
                      {QStringLiteral("reachPassed"), reachPassed()}};
    if (m_gate.circularityReported) {
        gate.insert(QStringLiteral("circularityError"), m_gate.circularityError);
        gate.insert(QStringLiteral("worstSectorAngle"), m_gate.worstAngle);
        gate.insert(QStringLiteral("worstSectorRadius"), m_gate.worstRadius);
        gate.insert(QStringLiteral("worstSector"),
                    m_gate.overReach ? QStringLiteral("over-reaches") : QStringLiteral("under-reaches"));
    }
    return {{QStringLiteral("stick"), m_stick == Left ? QStringLiteral("left") : QStringLiteral("right")},
            {QStringLiteral("rest"), rest},
            {QStringLiteral("gate"), gate},
            {QStringLiteral("resolution"),
             QVariantMap {{QStringLiteral("distinctX"), m_distinctX},
                          {QStringLiteral("distinctY"), m_distinctY},
                          {QStringLiteral("bitsX"), resolutionX()},
                          {QStringLiteral("bitsY"), resolutionY()}}}};
}

} // namespace joyvant
