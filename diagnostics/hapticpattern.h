#pragma once

#include <QtGlobal>

namespace joyvant {

// Motor levels 0..65535: the two main motors and the two trigger motors.
struct MotorLevels
{
    quint16 low = 0; // low-frequency (left) motor
    quint16 high = 0; // high-frequency (right) motor
    quint16 leftTrigger = 0;
    quint16 rightTrigger = 0;

    bool isOff() const { return !low && !high && !leftTrigger && !rightTrigger; }
    bool operator==(const MotorLevels &other) const
    {
        return low == other.low && high == other.high && leftTrigger == other.leftTrigger
            && rightTrigger == other.rightTrigger;
    }
    bool operator!=(const MotorLevels &other) const { return !(*this == other); }
};

// The level curve of one haptics pattern over its run, as plain arithmetic on the time
// since the pattern began, so the curve can be checked at any instant without a clock.
//
// - LowFrequency, HighFrequency, BothMotors, LeftTrigger, RightTrigger: that motor (or
//   both main motors) at full strength for SteadyMs.
// - Ramp: both main motors from 0 to full strength over RampMs, linearly.
// - PulseTrain: both main motors at full strength for the first half of each period of
//   the pulse rate (1..20 Hz) and off for the second, for PulseTrainMs.
// Before 0 and from the end on every level is 0.
class HapticPattern
{
public:
    enum Kind { LowFrequency, HighFrequency, BothMotors, Ramp, PulseTrain, LeftTrigger, RightTrigger, KindCount };

    static constexpr qint64 SteadyMs = 1000;
    static constexpr qint64 RampMs = 2000;
    static constexpr qint64 PulseTrainMs = 2000;
    // The ramp is sent in steps this far apart (50 a second).
    static constexpr qint64 RampStepMs = 20;
    static constexpr int MinPulseRate = 1;
    static constexpr int MaxPulseRate = 20;
    static constexpr quint16 Full = 65535;

    // A rate outside 1..20 Hz is brought to the nearest end.
    explicit HapticPattern(Kind kind = BothMotors, int pulseRate = 10);

    Kind kind() const { return m_kind; }
    int pulseRate() const { return m_pulseRate; }
    qint64 durationMs() const { return durationMs(m_kind); }
    static qint64 durationMs(Kind kind);
    static bool usesTriggers(Kind kind) { return kind == LeftTrigger || kind == RightTrigger; }
    // A stable name for reports ("lowFrequency", "ramp", ...).
    static const char *name(Kind kind);

    // The levels `ms` milliseconds after the start.
    MotorLevels levelsAt(qint64 ms) const;
    // When the levels next change after `ms` (the end of the pattern at the latest); at
    // or after the end, the end.
    qint64 nextChangeAfter(qint64 ms) const;

private:
    // Pulse train: the half period containing `ms`, counted from 0.
    qint64 halfPeriodIndex(qint64 ms) const;

    Kind m_kind;
    int m_pulseRate;
};

} // namespace joyvant
