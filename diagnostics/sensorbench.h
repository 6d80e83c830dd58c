#pragma once

#include <QColor>
#include <QObject>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <QVector3D>

namespace joyvant {

class GamepadBackend;

// The light, motion sensors and touchpads of the pad `deviceId`, as far as SDL says it
// has them.
//
// - Light: `ledColor` is sent to the pad's LED whenever it is set and whenever the pad
//   (re)appears; an invalid colour (the default) sends nothing.
// - Motion sensors: while `active` is true, the gyro and the accelerometer are enabled
//   in SDL and their values (gyro in rad/s, accelerometer in m/s^2, SDL's axes) are
//   read every PollIntervalMs with the data rate SDL reports; when the bench is left
//   (`active` false, another device, the object goes) they are disabled again.
// - Touchpads: the fingers' positions (0..1 from the top left), read alongside.
//
// unavailableReason() says, in plain words, why a feature is missing; `summary` is what
// the bench found, for the pad report.
class SensorBench : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool led READ hasLed NOTIFY featuresChanged)
    Q_PROPERTY(QColor ledColor READ ledColor WRITE setLedColor NOTIFY ledColorChanged)
    Q_PROPERTY(bool gyro READ hasGyro NOTIFY featuresChanged)
    Q_PROPERTY(bool accelerometer READ hasAccelerometer NOTIFY featuresChanged)
    Q_PROPERTY(int touchpads READ touchpads NOTIFY featuresChanged)
    Q_PROPERTY(double gyroRate READ gyroRate NOTIFY featuresChanged)
    Q_PROPERTY(double accelerometerRate READ accelerometerRate NOTIFY featuresChanged)
    Q_PROPERTY(QVector3D gyroValues READ gyroValues NOTIFY valuesChanged)
    Q_PROPERTY(QVector3D accelerometerValues READ accelerometerValues NOTIFY valuesChanged)
    Q_PROPERTY(QVariantList fingers READ fingers NOTIFY valuesChanged)
    Q_PROPERTY(QVariantMap summary READ summary NOTIFY summaryChanged)

public:
    enum Feature { Led, Gyro, Accelerometer, Touchpad };
    Q_ENUM(Feature)

    static constexpr int PollIntervalMs = 16;

    explicit SensorBench(QObject *parent = nullptr);
    ~SensorBench() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    // True by default.
    bool isActive() const { return m_active; }
    void setActive(bool active);
    QColor ledColor() const { return m_ledColor; }
    void setLedColor(const QColor &color);

    bool hasLed() const;
    bool hasGyro() const;
    bool hasAccelerometer() const;
    int touchpads() const;
    // Hz as SDL reports it; 0 when SDL does not know or there is no such sensor.
    double gyroRate() const;
    double accelerometerRate() const;
    QVector3D gyroValues() const { return m_gyro; }
    QVector3D accelerometerValues() const { return m_accelerometer; }
    // One map per finger slot of every touchpad: `touchpad`, `finger`, `down`, `x`, `y`,
    // `pressure`.
    QVariantList fingers() const { return m_fingers; }
    // `led`, `ledColor` (when one was sent), `gyro` and `accelerometer` (each `present`
    // and `rateHz`), `touchpads` (finger slots per touchpad).
    QVariantMap summary() const;

    // Empty when the pad has the feature, else why not, for the user.
    Q_INVOKABLE QString unavailableReason(Feature feature) const;

signals:
    void deviceIdChanged();
    void activeChanged();
    void ledColorChanged();
    void featuresChanged();
    void valuesChanged();
    void summaryChanged();

private:
    // Enables or disables the sensors and polling as `active` and the device say.
    void update();
    void enableSensors(bool enable);
    void sendLed();
    void poll();
    void clearValues();

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    bool m_active = true;
    QColor m_ledColor;
    bool m_ledSent = false; // the colour reached the pad
    int m_enabledDevice = -1; // whose sensors this bench enabled
    QTimer m_pollTimer;
    QVector3D m_gyro;
    QVector3D m_accelerometer;
    QVariantList m_fingers;
};

} // namespace joyvant
