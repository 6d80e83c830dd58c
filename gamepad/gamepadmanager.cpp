#include "gamepadmanager.h"

#include "gamepadbackend.h"

namespace joyvant {

GamepadManager::GamepadManager(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, &GamepadManager::onDeviceAdded);
    connect(m_backend.data(), &GamepadBackend::deviceRemoved, this, &GamepadManager::onDeviceRemoved);
    QMetaObject::invokeMethod(this, &GamepadManager::announcePresent, Qt::QueuedConnection);
}

GamepadManager::~GamepadManager() = default;

bool GamepadManager::isGamepadConnected(int deviceId) const
{
    return m_connected.contains(deviceId);
}

QString GamepadManager::gamepadName(int deviceId) const
{
    return isGamepadConnected(deviceId) ? m_backend->name(deviceId) : QString();
}

void GamepadManager::announcePresent()
{
    m_announced = true;
    const QList<int> present = m_backend->devices();
    for (int deviceId : present) {
        // A handler may have caused a pump already; take only what is still there.
        if (m_backend->hasDevice(deviceId))
            onDeviceAdded(deviceId);
    }
}

void GamepadManager::onDeviceAdded(int deviceId)
{
    if (!m_announced || m_connected.contains(deviceId))
        return;
    m_connected.append(deviceId);
    emit connectedGamepadsChanged();
    emit gamepadConnected(deviceId);
}

void GamepadManager::onDeviceRemoved(int deviceId)
{
    if (!m_connected.removeOne(deviceId))
        return;
    emit connectedGamepadsChanged();
    emit gamepadDisconnected(deviceId);
}

} // namespace joyvant
