#include "gamepad.h"

#include "gamepadbackend.h"

#include <cmath>

namespace joyvant {

Gamepad::Gamepad(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    GamepadBackend *backend = m_backend.data();
    connect(backend, &GamepadBackend::deviceAdded, this, &Gamepad::onDeviceAdded);
    connect(backend, &GamepadBackend::deviceRemoved, this, &Gamepad::onDeviceRemoved);
    connect(backend, &GamepadBackend::buttonChanged, this, &Gamepad::onButtonChanged);
    connect(backend, &GamepadBackend::axisChanged, this, &Gamepad::onAxisChanged);
}

Gamepad::~Gamepad()
{
    stopMotors();
}

double Gamepad::stickValue(int sdlValue)
{
    return sdlValue < 0 ? sdlValue / 32768.0 : sdlValue / 32767.0;
}

double Gamepad::triggerValue(int sdlValue)
{
    return sdlValue <= 0 ? 0.0 : sdlValue / 32767.0;
}

quint16 Gamepad::rumbleStrength(double speed)
{
    if (!(speed > 0.0)) // also catches NaN
        return 0;
    if (speed >= 1.0)
        return 65535;
    return static_cast<quint16>(std::lround(speed * 65535.0));
}

void Gamepad::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    stopMotors();
    m_deviceId = deviceId;
    loadState();
    applyMotors();
    emit deviceIdChanged(m_deviceId);
}

void Gamepad::setLeftMotorSpeed(double speed)
{
    if (!(speed >= 0.0))
        speed = 0.0;
    if (m_leftMotorSpeed == speed)
        return;
    m_leftMotorSpeed = speed;
    applyMotors();
    emit leftMotorSpeedChanged(m_leftMotorSpeed);
}

void Gamepad::setRightMotorSpeed(double speed)
{
    if (!(speed >= 0.0))
        speed = 0.0;
    if (m_rightMotorSpeed == speed)
        return;
    m_rightMotorSpeed = speed;
    applyMotors();
    emit rightMotorSpeedChanged(m_rightMotorSpeed);
}

void Gamepad::stopMotors()
{
    // Only when this object set them: a device's motors may belong to another user.
    if (m_connected && (rumbleStrength(m_leftMotorSpeed) || rumbleStrength(m_rightMotorSpeed)))
        m_backend->setRumble(m_deviceId, 0, 0);
}

void Gamepad::applyMotors()
{
    if (m_connected)
        m_backend->setRumble(m_deviceId, rumbleStrength(m_leftMotorSpeed), rumbleStrength(m_rightMotorSpeed));
}

void Gamepad::onDeviceAdded(int deviceId)
{
    if (deviceId != m_deviceId)
        return;
    loadState();
    applyMotors();
}

void Gamepad::onDeviceRemoved(int deviceId)
{
    if (deviceId == m_deviceId)
        loadState(); // the device is gone: reads as a neutral pad
}

void Gamepad::onButtonChanged(int deviceId, int sdlButton, bool pressed)
{
    if (deviceId != m_deviceId || !m_connected)
        return;
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_A: setButton(A, pressed); break;
    case SDL_CONTROLLER_BUTTON_B: setButton(B, pressed); break;
    case SDL_CONTROLLER_BUTTON_X: setButton(X, pressed); break;
    case SDL_CONTROLLER_BUTTON_Y: setButton(Y, pressed); break;
    case SDL_CONTROLLER_BUTTON_BACK: setButton(Select, pressed); break;
    case SDL_CONTROLLER_BUTTON_GUIDE: setButton(Guide, pressed); break;
    case SDL_CONTROLLER_BUTTON_START: setButton(Start, pressed); break;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: setButton(L3, pressed); break;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: setButton(R3, pressed); break;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: setButton(L1, pressed); break;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: setButton(R1, pressed); break;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        setButton(Up, pressed);
        updateDiagonals();
        break;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        setButton(Down, pressed);
        updateDiagonals();
        break;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        setButton(Left, pressed);
        updateDiagonals();
        break;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        setButton(Right, pressed);
        updateDiagonals();
        break;
    default: break; // paddles, touchpad and the like have no property
    }
}

void Gamepad::onAxisChanged(int deviceId, int sdlAxis, int value)
{
    if (deviceId != m_deviceId || !m_connected)
        return;
    switch (sdlAxis) {
    case SDL_CONTROLLER_AXIS_LEFTX: setAnalog(LeftX, stickValue(value)); break;
    case SDL_CONTROLLER_AXIS_LEFTY: setAnalog(LeftY, stickValue(value)); break;
    case SDL_CONTROLLER_AXIS_RIGHTX: setAnalog(RightX, stickValue(value)); break;
    case SDL_CONTROLLER_AXIS_RIGHTY: setAnalog(RightY, stickValue(value)); break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: setAnalog(L2, triggerValue(value)); break;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: setAnalog(R2, triggerValue(value)); break;
    default: break;
    }
}

void Gamepad::loadState()
{
    const bool connected = m_backend->hasDevice(m_deviceId);
    // Unknown devices read false and 0 from the backend, which is the neutral pad.
    const int id = connected ? m_deviceId : -1;
    setConnected(connected);
    setName(m_backend->name(id));
    const GamepadBackend &backend = *m_backend;
    setButton(A, backend.button(id, SDL_CONTROLLER_BUTTON_A));
    setButton(B, backend.button(id, SDL_CONTROLLER_BUTTON_B));
    setButton(X, backend.button(id, SDL_CONTROLLER_BUTTON_X));
    setButton(Y, backend.button(id, SDL_CONTROLLER_BUTTON_Y));
    setButton(Start, backend.button(id, SDL_CONTROLLER_BUTTON_START));
    setButton(Select, backend.button(id, SDL_CONTROLLER_BUTTON_BACK));
    setButton(Guide, backend.button(id, SDL_CONTROLLER_BUTTON_GUIDE));
    setButton(Up, backend.button(id, SDL_CONTROLLER_BUTTON_DPAD_UP));
    setButton(Down, backend.button(id, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    setButton(Left, backend.button(id, SDL_CONTROLLER_BUTTON_DPAD_LEFT));
    setButton(Right, backend.button(id, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    setButton(L1, backend.button(id, SDL_CONTROLLER_BUTTON_LEFTSHOULDER));
    setButton(R1, backend.button(id, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER));
    setButton(L3, backend.button(id, SDL_CONTROLLER_BUTTON_LEFTSTICK));
    setButton(R3, backend.button(id, SDL_CONTROLLER_BUTTON_RIGHTSTICK));
    updateDiagonals();
    setAnalog(LeftX, stickValue(backend.axis(id, SDL_CONTROLLER_AXIS_LEFTX)));
    setAnalog(LeftY, stickValue(backend.axis(id, SDL_CONTROLLER_AXIS_LEFTY)));
    setAnalog(RightX, stickValue(backend.axis(id, SDL_CONTROLLER_AXIS_RIGHTX)));
    setAnalog(RightY, stickValue(backend.axis(id, SDL_CONTROLLER_AXIS_RIGHTY)));
    setAnalog(L2, triggerValue(backend.axis(id, SDL_CONTROLLER_AXIS_TRIGGERLEFT)));
    setAnalog(R2, triggerValue(backend.axis(id, SDL_CONTROLLER_AXIS_TRIGGERRIGHT)));
}

void Gamepad::setConnected(bool connected)
{
    if (m_connected == connected)
        return;
    m_connected = connected;
    emit connectedChanged(m_connected);
}

void Gamepad::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged(m_name);
}

void Gamepad::setButton(int button, bool pressed)
{
    bool &stored = m_buttons[static_cast<size_t>(button)];
    if (stored == pressed)
        return;
    stored = pressed;
    switch (button) {
    case A: emit buttonAChanged(pressed); break;
    case B: emit buttonBChanged(pressed); break;
    case X: emit buttonXChanged(pressed); break;
    case Y: emit buttonYChanged(pressed); break;
    case Start: emit buttonStartChanged(pressed); break;
    case Select: emit buttonSelectChanged(pressed); break;
    case Guide: emit buttonGuideChanged(pressed); break;
    case Up: emit buttonUpChanged(pressed); break;
    case Down: emit buttonDownChanged(pressed); break;
    case Left: emit buttonLeftChanged(pressed); break;
    case Right: emit buttonRightChanged(pressed); break;
    case L1: emit buttonL1Changed(pressed); break;
    case R1: emit buttonR1Changed(pressed); break;
    case L3: emit buttonL3Changed(pressed); break;
    case R3: emit buttonR3Changed(pressed); break;
    case LeftUp: emit buttonLeftUpChanged(pressed); break;
    case LeftDown: emit buttonLeftDownChanged(pressed); break;
    case RightUp: emit buttonRightUpChanged(pressed); break;
    case RightDown: emit buttonRightDownChanged(pressed); break;
    default: break;
    }
}

void Gamepad::setAnalog(int analog, double value)
{
    double &stored = m_analog[static_cast<size_t>(analog)];
    if (stored == value)
        return;
    stored = value;
    switch (analog) {
    case LeftX: emit axisLeftXChanged(value); break;
    case LeftY: emit axisLeftYChanged(value); break;
    case RightX: emit axisRightXChanged(value); break;
    case RightY: emit axisRightYChanged(value); break;
    case L2: emit buttonL2Changed(value); break;
    case R2: emit buttonR2Changed(value); break;
    default: break;
    }
}

void Gamepad::updateDiagonals()
{
    setButton(LeftUp, m_buttons[Left] && m_buttons[Up]);
    setButton(LeftDown, m_buttons[Left] && m_buttons[Down]);
    setButton(RightUp, m_buttons[Right] && m_buttons[Up]);
    setButton(RightDown, m_buttons[Right] && m_buttons[Down]);
}

} // namespace joyvant
