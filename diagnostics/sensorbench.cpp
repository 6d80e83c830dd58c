#include "sensorbench.h"

#include "gamepadbackend.h"

namespace joyvant {

namespace {

bool hasSensor(SDL_GameController *controller, SDL_SensorType type)
{
    return controller && SDL_GameControllerHasSensor(controller, type);
}

double sensorRate(SDL_GameController *controller, SDL_SensorType type)
{
    return hasSensor(controller, type) ? double(SDL_GameControllerGetSensorDataRate(controller, type)) : 0.0;
}

QVector3D readSensor(SDL_GameController *controller, SDL_SensorType type)
{
    float data[3] = {};
    if (!hasSensor(controller, type) || SDL_GameControllerGetSensorData(controller, type, data, 3) != 0)
        return QVector3D();
    return QVector3D(data[0], data[1], data[2]);
}

} // namespace

SensorBench::SensorBench(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    m_pollTimer.setInterval(PollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &SensorBench::poll);
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, [this](int deviceId) {
        if (deviceId != m_deviceId)
            return;
        m_ledSent = false;
        sendLed();
        update();
        emit featuresChanged();
        emit summaryChanged();
    });
    connect(m_backend.data(), &GamepadBackend::deviceRemoved, this, [this](int deviceId) {
        if (deviceId == m_enabledDevice)
            m_enabledDevice = -1; // SDL closed it, sensors and all
        if (deviceId != m_deviceId)
            return;
        update();
        emit featuresChanged();
        emit summaryChanged();
    });
}

SensorBench::~SensorBench()
{
    enableSensors(false);
}

void SensorBench::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    enableSensors(false); // on the pad that is left
    m_deviceId = deviceId;
    m_ledSent = false;
    sendLed();
    update();
    emit deviceIdChanged();
    emit featuresChanged();
    emit summaryChanged();
}

void SensorBench::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    update();
    emit activeChanged();
}

void SensorBench::setLedColor(const QColor &color)
{
    if (m_ledColor == color)
        return;
    m_ledColor = color;
    m_ledSent = false;
    sendLed();
    emit ledColorChanged();
    emit summaryChanged();
}

void SensorBench::sendLed()
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    if (!m_ledColor.isValid() || !controller || !SDL_GameControllerHasLED(controller))
        return;
    m_ledSent = SDL_GameControllerSetLED(controller, Uint8(m_ledColor.red()), Uint8(m_ledColor.green()),
                                         Uint8(m_ledColor.blue()))
        == 0;
}

bool SensorBench::hasLed() const
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    return controller && SDL_GameControllerHasLED(controller);
}

bool SensorBench::hasGyro() const
{
    return hasSensor(m_backend->controller(m_deviceId), SDL_SENSOR_GYRO);
}

bool SensorBench::hasAccelerometer() const
{
    return hasSensor(m_backend->controller(m_deviceId), SDL_SENSOR_ACCEL);
}

int SensorBench::touchpads() const
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    return controller ? SDL_GameControllerGetNumTouchpads(controller) : 0;
}

double SensorBench::gyroRate() const
{
    return sensorRate(m_backend->controller(m_deviceId), SDL_SENSOR_GYRO);
}

double SensorBench::accelerometerRate() const
{
    return sensorRate(m_backend->controller(m_deviceId), SDL_SENSOR_ACCEL);
}

QString SensorBench::unavailableReason(Feature feature) const
{
    if (!m_backend->hasDevice(m_deviceId))
        return tr("No pad is connected.");
    switch (feature) {
    case Led: return hasLed() ? QString() : tr("This pad has no light that SDL can set.");
    case Gyro: return hasGyro() ? QString() : tr("This pad has no gyro that SDL can read.");
    case Accelerometer: return hasAccelerometer() ? QString() : tr("This pad has no accelerometer that SDL can read.");
    case Touchpad: return touchpads() > 0 ? QString() : tr("This pad has no touchpad that SDL can read.");
    }
    return QString();
}

QVariantMap SensorBench::summary() const
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    QVariantMap map {{QStringLiteral("led"), hasLed()},
                     {QStringLiteral("gyro"),
                      QVariantMap {{QStringLiteral("present"), hasGyro()}, {QStringLiteral("rateHz"), gyroRate()}}},
                     {QStringLiteral("accelerometer"),
                      QVariantMap {{QStringLiteral("present"), hasAccelerometer()},
                                   {QStringLiteral("rateHz"), accelerometerRate()}}}};
    if (m_ledSent)
        map.insert(QStringLiteral("ledColor"), m_ledColor.name());
    QVariantList pads;
    for (int pad = 0; pad < touchpads(); ++pad)
        pads.append(SDL_GameControllerGetNumTouchpadFingers(controller, pad));
    map.insert(QStringLiteral("touchpads"), pads);
    return map;
}

void SensorBench::update()
{
    const bool reading = m_active && m_backend->hasDevice(m_deviceId);
    enableSensors(reading);
    if (reading && (hasGyro() || hasAccelerometer() || touchpads() > 0)) {
        if (!m_pollTimer.isActive())
            m_pollTimer.start();
        poll();
    } else {
        m_pollTimer.stop();
        clearValues();
    }
}

void SensorBench::enableSensors(bool enable)
{
    const int deviceId = enable ? m_deviceId : m_enabledDevice;
    SDL_GameController *controller = m_backend->controller(deviceId);
    if (!controller || (enable && m_enabledDevice == deviceId))
        return;
    for (SDL_SensorType type : {SDL_SENSOR_GYRO, SDL_SENSOR_ACCEL}) {
        if (SDL_GameControllerHasSensor(controller, type))
            SDL_GameControllerSetSensorEnabled(controller, type, enable ? SDL_TRUE : SDL_FALSE);
    }
    m_enabledDevice = enable ? deviceId : -1;
}

void SensorBench::poll()
{
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    const QVector3D gyro = readSensor(controller, SDL_SENSOR_GYRO);
    const QVector3D accelerometer = readSensor(controller, SDL_SENSOR_ACCEL);
    QVariantList fingers;
    const int pads = controller ? SDL_GameControllerGetNumTouchpads(controller) : 0;
    for (int pad = 0; pad < pads; ++pad) {
        const int fingerSlots = SDL_GameControllerGetNumTouchpadFingers(controller, pad);
        for (int finger = 0; finger < fingerSlots; ++finger) {
            Uint8 state = 0;
            float x = 0, y = 0, pressure = 0;
            if (SDL_GameControllerGetTouchpadFinger(controller, pad, finger, &state, &x, &y, &pressure) != 0)
                continue;
            fingers.append(QVariantMap {{QStringLiteral("touchpad"), pad},
                                        {QStringLiteral("finger"), finger},
                                        {QStringLiteral("down"), state != 0},
                                        {QStringLiteral("x"), double(x)},
                                        {QStringLiteral("y"), double(y)},
                                        {QStringLiteral("pressure"), double(pressure)}});
        }
    }
    if (gyro == m_gyro && accelerometer == m_accelerometer && fingers == m_fingers)
        return;
    m_gyro = gyro;
    m_accelerometer = accelerometer;
    m_fingers = fingers;
    emit valuesChanged();
}

void SensorBench::clearValues()
{
    if (m_gyro.isNull() && m_accelerometer.isNull() && m_fingers.isEmpty())
        return;
    m_gyro = m_accelerometer = QVector3D();
    m_fingers.clear();
    emit valuesChanged();
}

} // namespace joyvant
