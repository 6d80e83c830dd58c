#include "hapticbench.h"

#include "gamepadbackend.h"

namespace joyvant {

HapticBench::HapticBench(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &HapticBench::tick);
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, &HapticBench::onDeviceAdded);
    connect(m_backend.data(), &GamepadBackend::deviceRemoved, this, &HapticBench::onDeviceRemoved);
    // Another holder of the same pad makes the patterns unavailable while it holds it.
    connect(m_backend.data(), &GamepadBackend::rumbleHoldChanged, this, [this](int deviceId) {
        if (deviceId == m_deviceId)
            emit featuresChanged();
    });
}

HapticBench::~HapticBench()
{
    // No motor keeps running after the bench is gone; nobody is left to tell.
    const QSignalBlocker blocker(this);
    stop();
}

void HapticBench::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    stop(); // on the pad that is left
    m_deviceId = deviceId;
    m_played.clear();
    emit deviceIdChanged();
    emit featuresChanged();
    emit summaryChanged();
}

void HapticBench::setActive(bool active)
{
    if (m_active == active)
        return;
    if (!active)
        stop();
    m_active = active;
    emit activeChanged();
    emit featuresChanged();
}

void HapticBench::setPulseRate(int rate)
{
    rate = qBound(HapticPattern::MinPulseRate, rate, HapticPattern::MaxPulseRate);
    if (m_pulseRate == rate)
        return;
    m_pulseRate = rate;
    emit pulseRateChanged();
}

bool HapticBench::hasRumble() const
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    return controller && SDL_GameControllerHasRumble(controller);
}

bool HapticBench::hasTriggerRumble() const
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    return controller && SDL_GameControllerHasRumbleTriggers(controller);
}

QString HapticBench::unavailableReason(Pattern pattern) const
{
    if (pattern < 0 || pattern >= Pattern(HapticPattern::KindCount))
        return tr("There is no such pattern.");
    if (!m_backend->hasDevice(m_deviceId))
        return tr("No pad is connected.");
    if (!m_active)
        return tr("The bench is not active.");
    if (HapticPattern::usesTriggers(HapticPattern::Kind(pattern))) {
        if (!hasTriggerRumble())
            return tr("This pad has no trigger motors.");
    } else if (!hasRumble()) {
        return tr("This pad has no rumble motors.");
    }
    if (m_backend->isRumbleHeld(m_deviceId) && m_heldDevice != m_deviceId)
        return tr("Another pattern is playing on this pad.");
    return QString();
}

QVariantList HapticBench::patterns() const
{
    QVariantList list;
    for (int kind = 0; kind < HapticPattern::KindCount; ++kind) {
        const QString reason = unavailableReason(Pattern(kind));
        list.append(
            QVariantMap {{QStringLiteral("pattern"), kind},
                         {QStringLiteral("name"), QString::fromLatin1(HapticPattern::name(HapticPattern::Kind(kind)))},
                         {QStringLiteral("available"), reason.isEmpty()},
                         {QStringLiteral("reason"), reason},
                         {QStringLiteral("durationMs"), HapticPattern::durationMs(HapticPattern::Kind(kind))}});
    }
    return list;
}

QVariantMap HapticBench::summary() const
{
    return {{QStringLiteral("rumble"), hasRumble()},
            {QStringLiteral("triggerRumble"), hasTriggerRumble()},
            {QStringLiteral("played"), m_played}};
}

bool HapticBench::play(Pattern pattern)
{
    if (!unavailableReason(pattern).isEmpty())
        return false;
    if (isPlaying() && m_heldDevice == m_deviceId) {
        // One pattern follows another on the same pad without letting go of it, so the
        // levels the test view asks for do not come through in between.
        m_timer.stop();
        record(false);
    } else if (isPlaying()) {
        end(false);
    }
    // Ours before the hold is taken: the hold's signal has every pattern's availability
    // read again, and this bench's own hold must not read as another's.
    m_heldDevice = m_deviceId;
    if (!m_backend->holdRumble(m_deviceId, this)) {
        m_heldDevice = -1;
        return false;
    }
    m_running = HapticPattern(HapticPattern::Kind(pattern), m_pulseRate);
    m_pattern = pattern;
    m_clock.start();
    emit playingChanged();
    tick();
    return true;
}

void HapticBench::stop()
{
    if (isPlaying())
        end(false);
}

void HapticBench::tick()
{
    if (!isPlaying())
        return;
    const qint64 now = m_clock.elapsed();
    if (now >= m_running.durationMs()) {
        end(true);
        return;
    }
    const MotorLevels levels = m_running.levelsAt(now);
    m_backend->setHeldRumble(m_heldDevice, this, levels.low, levels.high, levels.leftTrigger, levels.rightTrigger);
    setLevels(levels);
    // Late ticks (a busy event loop) send the levels of the moment they run.
    m_timer.start(int(qMax<qint64>(0, m_running.nextChangeAfter(now) - m_clock.elapsed())));
}

void HapticBench::end(bool completed)
{
    m_timer.stop();
    // Every motor to 0 before the hold goes, so the levels the test view asked for come
    // back from silence rather than from the pattern's last level.
    m_backend->setHeldRumble(m_heldDevice, this, 0, 0, 0, 0);
    m_backend->releaseRumble(m_heldDevice, this);
    m_heldDevice = -1;
    setLevels(MotorLevels());
    record(completed);
}

void HapticBench::setLevels(const MotorLevels &levels)
{
    if (m_levels == levels)
        return;
    m_levels = levels;
    emit levelsChanged();
}

void HapticBench::record(bool completed)
{
    const Pattern pattern = m_pattern;
    m_pattern = NoPattern;
    QVariantMap run {{QStringLiteral("pattern"), QString::fromLatin1(HapticPattern::name(m_running.kind()))},
                     {QStringLiteral("completed"), completed}};
    if (m_running.kind() == HapticPattern::PulseTrain)
        run.insert(QStringLiteral("pulseRate"), m_running.pulseRate());
    m_played.append(run);
    emit playingChanged();
    emit summaryChanged();
    emit finished(pattern, completed);
}

void HapticBench::onDeviceAdded(int deviceId)
{
    if (deviceId != m_deviceId)
        return;
    emit featuresChanged();
    emit summaryChanged();
}

void HapticBench::onDeviceRemoved(int deviceId)
{
    // The hold has gone with the device; SDL stopped its motors when it closed it.
    if (deviceId == m_heldDevice)
        end(false);
    if (deviceId != m_deviceId)
        return;
    emit featuresChanged();
    emit summaryChanged();
}

} // namespace joyvant
