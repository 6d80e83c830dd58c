#pragma once

#include "hapticpattern.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>

namespace joyvant {

class GamepadBackend;

// Plays haptics patterns (see HapticPattern) on the pad `deviceId`, through the gamepad
// back end's rumble hold: while a pattern plays, the ordinary motor levels (the test
// view's triggers and dials) do not reach the pad, and afterwards they do again.
//
// Every pattern ends with every motor at 0: at its end, on stop(), when `active` turns
// false (the view is left), when `deviceId` changes, when the object goes, and when the
// pad leaves (its hold goes with it).
//
// A pattern the pad cannot play is refused by play(); isAvailable() and
// unavailableReason() say so beforehand, `patterns` lists them all for a view.
// `summary` is what the bench found, for the pad report.
class HapticBench : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(int pulseRate READ pulseRate WRITE setPulseRate NOTIFY pulseRateChanged)
    Q_PROPERTY(bool playing READ isPlaying NOTIFY playingChanged)
    Q_PROPERTY(Pattern pattern READ pattern NOTIFY playingChanged)
    Q_PROPERTY(bool rumble READ hasRumble NOTIFY featuresChanged)
    Q_PROPERTY(bool triggerRumble READ hasTriggerRumble NOTIFY featuresChanged)
    Q_PROPERTY(QVariantList patterns READ patterns NOTIFY featuresChanged)
    Q_PROPERTY(QVariantMap summary READ summary NOTIFY summaryChanged)
    // The levels the running pattern sends, 0..1 (all 0 while none plays).
    Q_PROPERTY(double lowLevel READ lowLevel NOTIFY levelsChanged)
    Q_PROPERTY(double highLevel READ highLevel NOTIFY levelsChanged)
    Q_PROPERTY(double leftTriggerLevel READ leftTriggerLevel NOTIFY levelsChanged)
    Q_PROPERTY(double rightTriggerLevel READ rightTriggerLevel NOTIFY levelsChanged)

public:
    enum Pattern {
        LowFrequency = HapticPattern::LowFrequency,
        HighFrequency = HapticPattern::HighFrequency,
        BothMotors = HapticPattern::BothMotors,
        Ramp = HapticPattern::Ramp,
        PulseTrain = HapticPattern::PulseTrain,
        LeftTrigger = HapticPattern::LeftTrigger,
        RightTrigger = HapticPattern::RightTrigger,
        NoPattern = -1
    };
    Q_ENUM(Pattern)

    explicit HapticBench(QObject *parent = nullptr);
    ~HapticBench() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    // True by default. While false nothing plays.
    bool isActive() const { return m_active; }
    void setActive(bool active);
    // 1..20 Hz; other values are brought to the nearest end. Applies to the next pulse train.
    int pulseRate() const { return m_pulseRate; }
    void setPulseRate(int rate);

    bool isPlaying() const { return m_pattern != NoPattern; }
    Pattern pattern() const { return m_pattern; }
    bool hasRumble() const;
    bool hasTriggerRumble() const;
    // One map per pattern: `pattern`, `name`, `available`, `reason`, `durationMs`.
    QVariantList patterns() const;
    // `rumble`, `triggerRumble`, `played` (one map per pattern played: `pattern`,
    // `pulseRate` for pulse trains, `completed` false when it was cut short).
    QVariantMap summary() const;
    MotorLevels levels() const { return m_levels; }
    double lowLevel() const { return m_levels.low / double(HapticPattern::Full); }
    double highLevel() const { return m_levels.high / double(HapticPattern::Full); }
    double leftTriggerLevel() const { return m_levels.leftTrigger / double(HapticPattern::Full); }
    double rightTriggerLevel() const { return m_levels.rightTrigger / double(HapticPattern::Full); }

    Q_INVOKABLE bool isAvailable(Pattern pattern) const { return unavailableReason(pattern).isEmpty(); }
    // Empty when the pattern can play, else why not, for the user.
    Q_INVOKABLE QString unavailableReason(Pattern pattern) const;
    // Starts a pattern, ending one that plays; false (nothing plays) when it cannot.
    Q_INVOKABLE bool play(Pattern pattern);
    Q_INVOKABLE void stop();

signals:
    void deviceIdChanged();
    void activeChanged();
    void pulseRateChanged();
    void playingChanged();
    void featuresChanged();
    void summaryChanged();
    void levelsChanged();
    // A pattern ended; `completed` false when it was cut short.
    void finished(Pattern pattern, bool completed);

private:
    void tick();
    void setLevels(const MotorLevels &levels);
    // Stops the motors, lets go of the pad and records the run.
    void end(bool completed);
    // Records the run that ends and says so.
    void record(bool completed);
    void onDeviceAdded(int deviceId);
    void onDeviceRemoved(int deviceId);

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    bool m_active = true;
    int m_pulseRate = 10;
    Pattern m_pattern = NoPattern;
    HapticPattern m_running;
    int m_heldDevice = -1; // the device whose motors the running pattern holds
    QElapsedTimer m_clock; // since the running pattern began
    QTimer m_timer; // fires at the running pattern's next change
    QVariantList m_played;
    MotorLevels m_levels; // what the running pattern sent last
};

} // namespace joyvant
