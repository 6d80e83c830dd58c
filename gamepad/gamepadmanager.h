#pragma once

#include "gamepadglobal.h"

#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>

namespace joyvant {

class GamepadBackend;

// The game controllers present, as device ids (SDL joystick instance ids: unique for
// the life of the process, so a re-plugged pad gets a new one). One instance per QML
// engine; all of them share the process's single backend.
//
// Pads that are already present when an instance is created are announced one by one
// with `gamepadConnected` from the event loop, once the document that created the
// instance has finished loading, so its handlers see them. `connectedGamepads` already
// holds the new id when `gamepadConnected` is emitted, and no longer holds it when
// `gamepadDisconnected` is.
class JOYVANT_GAMEPAD_EXPORT GamepadManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<int> connectedGamepads READ connectedGamepads NOTIFY connectedGamepadsChanged)
public:
    explicit GamepadManager(QObject *parent = nullptr);
    ~GamepadManager() override;

    QList<int> connectedGamepads() const { return m_connected; }
    Q_INVOKABLE bool isGamepadConnected(int deviceId) const;
    Q_INVOKABLE QString gamepadName(int deviceId) const;

signals:
    void connectedGamepadsChanged();
    void gamepadConnected(int deviceId);
    void gamepadDisconnected(int deviceId);

private:
    void announcePresent();
    void onDeviceAdded(int deviceId);
    void onDeviceRemoved(int deviceId);

    QSharedPointer<GamepadBackend> m_backend;
    QList<int> m_connected;
    bool m_announced = false;
};

} // namespace joyvant
