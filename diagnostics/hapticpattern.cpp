#include "hapticpattern.h"

#include <cmath>

namespace joyvant {

HapticPattern::HapticPattern(Kind kind, int pulseRate)
    : m_kind(kind)
    , m_pulseRate(qBound(MinPulseRate, pulseRate, MaxPulseRate))
{
}

qint64 HapticPattern::durationMs(Kind kind)
{
    switch (kind) {
    case Ramp: return RampMs;
    case PulseTrain: return PulseTrainMs;
    default: return SteadyMs;
    }
}

const char *HapticPattern::name(Kind kind)
{
    switch (kind) {
    case LowFrequency: return "lowFrequency";
    case HighFrequency: return "highFrequency";
    case BothMotors: return "bothMotors";
    case Ramp: return "ramp";
    case PulseTrain: return "pulseTrain";
    case LeftTrigger: return "leftTrigger";
    case RightTrigger: return "rightTrigger";
    default: return "";
    }
}

qint64 HapticPattern::halfPeriodIndex(qint64 ms) const
{
    // Half periods of 500 / rate ms, in integer arithmetic: ms * 2 * rate / 1000.
    return ms * 2 * m_pulseRate / 1000;
}

MotorLevels HapticPattern::levelsAt(qint64 ms) const
{
    MotorLevels levels;
    if (ms < 0 || ms >= durationMs())
        return levels;
    switch (m_kind) {
    case LowFrequency: levels.low = Full; break;
    case HighFrequency: levels.high = Full; break;
    case BothMotors: levels.low = levels.high = Full; break;
    case LeftTrigger: levels.leftTrigger = Full; break;
    case RightTrigger: levels.rightTrigger = Full; break;
    case Ramp: levels.low = levels.high = quint16(std::lround(double(Full) * double(ms) / double(RampMs))); break;
    case PulseTrain:
        if (halfPeriodIndex(ms) % 2 == 0)
            levels.low = levels.high = Full;
        break;
    case KindCount: break;
    }
    return levels;
}

qint64 HapticPattern::nextChangeAfter(qint64 ms) const
{
    const qint64 end = durationMs();
    if (ms < 0)
        return 0;
    if (ms >= end)
        return end;
    qint64 next = end;
    if (m_kind == Ramp) {
        next = (ms / RampStepMs + 1) * RampStepMs;
    } else if (m_kind == PulseTrain) {
        // The first millisecond of the next half period.
        const qint64 index = halfPeriodIndex(ms) + 1;
        next = (index * 1000 + 2 * m_pulseRate - 1) / (2 * m_pulseRate);
    }
    return qMin(next, end);
}

} // namespace joyvant
