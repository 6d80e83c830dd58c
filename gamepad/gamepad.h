#pragma once

#include "gamepadglobal.h"

#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <array>

namespace joyvant {

class GamepadBackend;

// One game controller as QML sees it: bound through `deviceId` to a device that
// `GamepadManager` reports, it mirrors that device's buttons, triggers and sticks and
// drives its two motors. Every value has a change signal carrying the new value as
// `value`. With no device bound, or once the bound device is gone, it reads as a
// neutral pad (all buttons false, all axes 0); `deviceId` keeps whatever was set.
//
// Ranges: sticks -1..1 (y grows downwards), triggers 0..1. The four diagonals are true
// while both of their cross-pad directions are held.
//
// Motor levels: 0..1 is the motor's strength, above 1 is full strength, below 0 or not
// a number is off (and reads back as 0). A non-zero level holds until it is changed.
class JOYVANT_GAMEPAD_EXPORT Gamepad : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(bool connected READ isConnected NOTIFY connectedChanged)
    Q_PROPERTY(QString name READ name NOTIFY nameChanged)

    Q_PROPERTY(double axisLeftX READ axisLeftX NOTIFY axisLeftXChanged)
    Q_PROPERTY(double axisLeftY READ axisLeftY NOTIFY axisLeftYChanged)
    Q_PROPERTY(double axisRightX READ axisRightX NOTIFY axisRightXChanged)
    Q_PROPERTY(double axisRightY READ axisRightY NOTIFY axisRightYChanged)
    Q_PROPERTY(double buttonL2 READ buttonL2 NOTIFY buttonL2Changed)
    Q_PROPERTY(double buttonR2 READ buttonR2 NOTIFY buttonR2Changed)

    Q_PROPERTY(bool buttonA READ buttonA NOTIFY buttonAChanged)
    Q_PROPERTY(bool buttonB READ buttonB NOTIFY buttonBChanged)
    Q_PROPERTY(bool buttonX READ buttonX NOTIFY buttonXChanged)
    Q_PROPERTY(bool buttonY READ buttonY NOTIFY buttonYChanged)
    Q_PROPERTY(bool buttonStart READ buttonStart NOTIFY buttonStartChanged)
    Q_PROPERTY(bool buttonSelect READ buttonSelect NOTIFY buttonSelectChanged)
    Q_PROPERTY(bool buttonGuide READ buttonGuide NOTIFY buttonGuideChanged)
    Q_PROPERTY(bool buttonUp READ buttonUp NOTIFY buttonUpChanged)
    Q_PROPERTY(bool buttonDown READ buttonDown NOTIFY buttonDownChanged)
    Q_PROPERTY(bool buttonLeft READ buttonLeft NOTIFY buttonLeftChanged)
    Q_PROPERTY(bool buttonRight READ buttonRight NOTIFY buttonRightChanged)
    Q_PROPERTY(bool buttonL1 READ buttonL1 NOTIFY buttonL1Changed)
    Q_PROPERTY(bool buttonR1 READ buttonR1 NOTIFY buttonR1Changed)
    Q_PROPERTY(bool buttonL3 READ buttonL3 NOTIFY buttonL3Changed)
    Q_PROPERTY(bool buttonR3 READ buttonR3 NOTIFY buttonR3Changed)
    Q_PROPERTY(bool buttonLeftUp READ buttonLeftUp NOTIFY buttonLeftUpChanged)
    Q_PROPERTY(bool buttonLeftDown READ buttonLeftDown NOTIFY buttonLeftDownChanged)
    Q_PROPERTY(bool buttonRightUp READ buttonRightUp NOTIFY buttonRightUpChanged)
    Q_PROPERTY(bool buttonRightDown READ buttonRightDown NOTIFY buttonRightDownChanged)

    Q_PROPERTY(double leftMotorSpeed READ leftMotorSpeed WRITE setLeftMotorSpeed NOTIFY leftMotorSpeedChanged)
    Q_PROPERTY(double rightMotorSpeed READ rightMotorSpeed WRITE setRightMotorSpeed NOTIFY rightMotorSpeedChanged)

public:
    explicit Gamepad(QObject *parent = nullptr);
    ~Gamepad() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    bool isConnected() const { return m_connected; }
    QString name() const { return m_name; }

    double axisLeftX() const { return m_analog[LeftX]; }
    double axisLeftY() const { return m_analog[LeftY]; }
    double axisRightX() const { return m_analog[RightX]; }
    double axisRightY() const { return m_analog[RightY]; }
    double buttonL2() const { return m_analog[L2]; }
    double buttonR2() const { return m_analog[R2]; }

    bool buttonA() const { return m_buttons[A]; }
    bool buttonB() const { return m_buttons[B]; }
    bool buttonX() const { return m_buttons[X]; }
    bool buttonY() const { return m_buttons[Y]; }
    bool buttonStart() const { return m_buttons[Start]; }
    bool buttonSelect() const { return m_buttons[Select]; }
    bool buttonGuide() const { return m_buttons[Guide]; }
    bool buttonUp() const { return m_buttons[Up]; }
    bool buttonDown() const { return m_buttons[Down]; }
    bool buttonLeft() const { return m_buttons[Left]; }
    bool buttonRight() const { return m_buttons[Right]; }
    bool buttonL1() const { return m_buttons[L1]; }
    bool buttonR1() const { return m_buttons[R1]; }
    bool buttonL3() const { return m_buttons[L3]; }
    bool buttonR3() const { return m_buttons[R3]; }
    bool buttonLeftUp() const { return m_buttons[LeftUp]; }
    bool buttonLeftDown() const { return m_buttons[LeftDown]; }
    bool buttonRightUp() const { return m_buttons[RightUp]; }
    bool buttonRightDown() const { return m_buttons[RightDown]; }

    double leftMotorSpeed() const { return m_leftMotorSpeed; }
    void setLeftMotorSpeed(double speed);
    double rightMotorSpeed() const { return m_rightMotorSpeed; }
    void setRightMotorSpeed(double speed);

    // A stick value of SDL (-32768..32767) as -1..1, both ends exact.
    static double stickValue(int sdlValue);
    // A trigger value of SDL (0..32767) as 0..1.
    static double triggerValue(int sdlValue);
    // A motor level as SDL's rumble strength: 0..1 -> 0..65535, above 1 full, below 0
    // or not a number off.
    static quint16 rumbleStrength(double speed);

signals:
    void deviceIdChanged(int value);
    void connectedChanged(bool value);
    void nameChanged(const QString &value);

    void axisLeftXChanged(double value);
    void axisLeftYChanged(double value);
    void axisRightXChanged(double value);
    void axisRightYChanged(double value);
    void buttonL2Changed(double value);
    void buttonR2Changed(double value);

    void buttonAChanged(bool value);
    void buttonBChanged(bool value);
    void buttonXChanged(bool value);
    void buttonYChanged(bool value);
    void buttonStartChanged(bool value);
    void buttonSelectChanged(bool value);
    void buttonGuideChanged(bool value);
    void buttonUpChanged(bool value);
    void buttonDownChanged(bool value);
    void buttonLeftChanged(bool value);
    void buttonRightChanged(bool value);
    void buttonL1Changed(bool value);
    void buttonR1Changed(bool value);
    void buttonL3Changed(bool value);
    void buttonR3Changed(bool value);
    void buttonLeftUpChanged(bool value);
    void buttonLeftDownChanged(bool value);
    void buttonRightUpChanged(bool value);
    void buttonRightDownChanged(bool value);

    void leftMotorSpeedChanged(double value);
    void rightMotorSpeedChanged(double value);

private:
    enum Button {
        A,
        B,
        X,
        Y,
        Start,
        Select,
        Guide,
        Up,
        Down,
        Left,
        Right,
        L1,
        R1,
        L3,
        R3,
        LeftUp,
        LeftDown,
        RightUp,
        RightDown,
        ButtonCount
    };
    enum Analog { LeftX, LeftY, RightX, RightY, L2, R2, AnalogCount };

    void onDeviceAdded(int deviceId);
    void onDeviceRemoved(int deviceId);
    void onButtonChanged(int deviceId, int sdlButton, bool pressed);
    void onAxisChanged(int deviceId, int sdlAxis, int value);

    // Reads the bound device (or a neutral pad) into every value, signalling changes.
    void loadState();
    void setConnected(bool connected);
    void setName(const QString &name);
    void setButton(int button, bool pressed);
    void setAnalog(int analog, double value);
    void updateDiagonals();
    void applyMotors();
    void stopMotors();

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    bool m_connected = false;
    QString m_name;
    std::array<bool, ButtonCount> m_buttons {};
    std::array<double, AnalogCount> m_analog {};
    double m_leftMotorSpeed = 0.0;
    double m_rightMotorSpeed = 0.0;
};

} // namespace joyvant
