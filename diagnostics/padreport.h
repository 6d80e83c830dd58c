#pragma once

#include "hapticbench.h"
#include "reportratebench.h"
#include "sensorbench.h"
#include "stickhealth.h"
#include "triggerrange.h"

#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QUrl>
#include <QVariant>
#include <QVariantMap>

namespace joyvant {

class GamepadBackend;

// What one pad is and how it tests, as a JSON object (json()) or Markdown (markdown()),
// built when asked from SDL's joystick and game-controller queries:
// - "identity": name, GUID, vendor and product id, product version, firmware version,
//   serial and device path where SDL knows them, controller type, the mapping in use,
//   whether a mapping is needed, and the SDL version;
// - "features": rumble, trigger rumble, LED, sensors, touchpads, battery level;
// - "sticks" and "triggers": the figures of the StickHealth and TriggerRange objects
//   handed in (those not set are left out);
// - "progress": whatever test progress the caller hands in (a JSON-like value);
// - "bench": what the bench objects handed in found (those not set are left out):
//   "haptics" (motors, trigger motors, the patterns played), "lightAndSensors" (LED and
//   the colour sent, gyro and accelerometer with SDL's rates, touchpads) and
//   "reportRate" (the measured rate with its class, jitter and longest gap, or why it
//   could not be measured); see each bench's `summary`.
// `deviceId` may be a game controller of the gamepad module or a joystick SDL has no
// mapping for. A device that is not there gives "present": false and no identity.
//
// `progress` may nest up to MaxDepth - 1 levels (the report itself is the first); a
// deeper value is refused with `errorString` saying so, and the progress stays as it was.
//
// save(url) writes the report to a local file: Markdown for a ".md" name, JSON
// otherwise, replacing the file only once the whole report is written (see
// gamepadmappings::writeFile: a link to a regular file is followed, a folder, pipe or
// device refused). It returns false, with `errorString` saying why, for a URL it cannot
// write; the file is as it was then.
class PadReport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(joyvant::StickHealth *leftStick READ leftStick WRITE setLeftStick NOTIFY leftStickChanged)
    Q_PROPERTY(joyvant::StickHealth *rightStick READ rightStick WRITE setRightStick NOTIFY rightStickChanged)
    Q_PROPERTY(joyvant::TriggerRange *leftTrigger READ leftTrigger WRITE setLeftTrigger NOTIFY leftTriggerChanged)
    Q_PROPERTY(joyvant::TriggerRange *rightTrigger READ rightTrigger WRITE setRightTrigger NOTIFY rightTriggerChanged)
    Q_PROPERTY(QVariant progress READ progress WRITE setProgress NOTIFY progressChanged)
    Q_PROPERTY(joyvant::HapticBench *haptics READ haptics WRITE setHaptics NOTIFY hapticsChanged)
    Q_PROPERTY(joyvant::SensorBench *sensors READ sensors WRITE setSensors NOTIFY sensorsChanged)
    Q_PROPERTY(joyvant::ReportRateBench *reportRate READ reportRate WRITE setReportRate NOTIFY reportRateChanged)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorStringChanged)

public:
    // Levels of nesting in the JSON report, the report object included.
    static constexpr int MaxDepth = 64;

    explicit PadReport(QObject *parent = nullptr);
    ~PadReport() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    StickHealth *leftStick() const { return m_leftStick; }
    void setLeftStick(StickHealth *stick);
    StickHealth *rightStick() const { return m_rightStick; }
    void setRightStick(StickHealth *stick);
    TriggerRange *leftTrigger() const { return m_leftTrigger; }
    void setLeftTrigger(TriggerRange *trigger);
    TriggerRange *rightTrigger() const { return m_rightTrigger; }
    void setRightTrigger(TriggerRange *trigger);
    QVariant progress() const { return m_progress; }
    void setProgress(const QVariant &progress);
    HapticBench *haptics() const { return m_haptics; }
    void setHaptics(HapticBench *haptics);
    SensorBench *sensors() const { return m_sensors; }
    void setSensors(SensorBench *sensors);
    ReportRateBench *reportRate() const { return m_reportRate; }
    void setReportRate(ReportRateBench *reportRate);
    QString errorString() const { return m_errorString; }

    Q_INVOKABLE QVariantMap json() const;
    Q_INVOKABLE QString markdown() const;
    Q_INVOKABLE bool save(const QUrl &url);

signals:
    void deviceIdChanged();
    void leftStickChanged();
    void rightStickChanged();
    void leftTriggerChanged();
    void rightTriggerChanged();
    void progressChanged();
    void hapticsChanged();
    void sensorsChanged();
    void reportRateChanged();
    void errorStringChanged();

private:
    void setErrorString(const QString &error);

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    QPointer<StickHealth> m_leftStick;
    QPointer<StickHealth> m_rightStick;
    QPointer<TriggerRange> m_leftTrigger;
    QPointer<TriggerRange> m_rightTrigger;
    QVariant m_progress;
    QPointer<HapticBench> m_haptics;
    QPointer<SensorBench> m_sensors;
    QPointer<ReportRateBench> m_reportRate;
    QString m_errorString;
};

} // namespace joyvant
