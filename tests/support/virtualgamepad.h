#pragma once

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVector>

struct _SDL_Joystick;
struct SDL_VirtualJoystickDesc;

namespace joyvant {
namespace test {

// A game controller that exists only in this process: an SDL virtual joystick of the
// game-controller type, with every standard button and axis. Test code only.
//
// C++ (link the `joyvant_test_gamepad` library, include "virtualgamepad.h"):
//
//     joyvant::test::VirtualGamepad pad;
//     QVERIFY(pad.attach());              // SDL reports a new controller
//     pad.setButton(VirtualGamepad::ButtonA, true);
//     pad.setAxis(VirtualGamepad::AxisLeftX, -32768);
//     pad.setAxis(VirtualGamepad::AxisTriggerRight, 32767);
//     QTRY_COMPARE(pad.lowFrequencyRumble(), 65535);
//     pad.detach();                       // also done by the destructor
//
// QML (`import JoyvantTest 1.0`): the type `VirtualGamepad` with the same members.
//
// Values: buttons and axes use SDL's game-controller numbering (the Button and Axis
// enumerations) and the values a game controller reports: sticks -32768..32767,
// triggers 0..32767 (0 at rest). A value set here reaches SDL's controller state and
// events the next time SDL updates its joysticks (whoever pumps SDL in the process).
// A new pad starts with everything released and centred.
//
// Rumble: every call SDL makes to the pad's rumble callback is recorded with the time
// since attach. SDL calls it when a rumble starts or changes, with 0, 0 when a rumble
// is stopped or runs out, and again with the same levels every 2 s while one lasts.
//
// Trigger rumble and the light: with `triggerRumble` or `led` true (false by default;
// both take effect at the next attach) SDL says the pad has trigger motors or an LED, and
// every call SDL makes to them is recorded like the rumble calls: triggerRumbleCalls()
// with both trigger motors' levels, ledCalls() with the colour. SDL ends a trigger
// rumble with 0, 0 as it ends a rumble.
//
// A pad with `gameController` false is a plain joystick of unknown type with the same
// buttons and axes: SDL has no controller mapping for it, so the gamepad module does not
// see it until one is added.
//
// Raw layouts: setRawLayout() gives the next attach any number of buttons, axes and hats
// instead, each axis resting where setRawAxisRest() says (0 by default). Such a pad is a
// plain joystick of unknown type whatever `gameController` says, so a test can lay it
// out unlike any standard pad; setRawButton(), setRawAxis() and setHat() move its inputs
// by joystick index, with SDL's raw values (axes -32768..32767, hats SDL_HAT_*).
//
//     pad.setGameController(false);
//     pad.setRawLayout(12, 6, 1);
//     pad.setRawAxisRest(2, -32768);          // a trigger that rests at the bottom
//     QVERIFY(pad.attach());
//     pad.setHat(0, SDL_HAT_UP);
//     pad.setRawAxis(2, 32767);
//
// Attaching takes a reference on SDL's joystick subsystem, released by detach(), so a
// pad can be attached before or after anything else in the process uses SDL.
// Everything runs on the thread that created the object (the GUI thread in tests).
class VirtualGamepad : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(bool gameController READ isGameController WRITE setGameController NOTIFY gameControllerChanged)
    Q_PROPERTY(bool attached READ isAttached NOTIFY attachedChanged)
    Q_PROPERTY(int deviceId READ deviceId NOTIFY attachedChanged)
    Q_PROPERTY(int lowFrequencyRumble READ lowFrequencyRumble NOTIFY rumbleChanged)
    Q_PROPERTY(int highFrequencyRumble READ highFrequencyRumble NOTIFY rumbleChanged)
    Q_PROPERTY(int rumbleCount READ rumbleCount NOTIFY rumbleChanged)
    Q_PROPERTY(bool triggerRumble READ hasTriggerRumble WRITE setTriggerRumble NOTIFY triggerRumbleChanged)
    Q_PROPERTY(bool led READ hasLed WRITE setLed NOTIFY ledChanged)
    Q_PROPERTY(int leftTriggerRumble READ leftTriggerRumble NOTIFY rumbleChanged)
    Q_PROPERTY(int rightTriggerRumble READ rightTriggerRumble NOTIFY rumbleChanged)
    Q_PROPERTY(int triggerRumbleCount READ triggerRumbleCount NOTIFY rumbleChanged)
    Q_PROPERTY(QString ledColor READ ledColor NOTIFY ledColorChanged)
public:
    // SDL_GameControllerButton.
    enum Button {
        ButtonA,
        ButtonB,
        ButtonX,
        ButtonY,
        ButtonBack,
        ButtonGuide,
        ButtonStart,
        ButtonLeftStick,
        ButtonRightStick,
        ButtonLeftShoulder,
        ButtonRightShoulder,
        ButtonDpadUp,
        ButtonDpadDown,
        ButtonDpadLeft,
        ButtonDpadRight,
        ButtonMisc1,
        ButtonPaddle1,
        ButtonPaddle2,
        ButtonPaddle3,
        ButtonPaddle4,
        ButtonTouchpad,
        ButtonCount
    };
    Q_ENUM(Button)
    // SDL_GameControllerAxis.
    enum Axis { AxisLeftX, AxisLeftY, AxisRightX, AxisRightY, AxisTriggerLeft, AxisTriggerRight, AxisCount };
    Q_ENUM(Axis)

    struct RumbleCall
    {
        qint64 msecs; // since attach
        int low; // low-frequency (left) motor, 0..65535
        int high; // high-frequency (right) motor, 0..65535
    };
    struct TriggerRumbleCall
    {
        qint64 msecs; // since attach
        int left; // left trigger motor, 0..65535
        int right; // right trigger motor, 0..65535
    };
    struct LedCall
    {
        qint64 msecs; // since attach
        int red, green, blue; // 0..255
    };

    explicit VirtualGamepad(QObject *parent = nullptr);
    ~VirtualGamepad() override;

    // Name SDL reports for the pad; takes effect at the next attach.
    QString name() const { return m_name; }
    void setName(const QString &name);
    // Takes effect at the next attach.
    bool isGameController() const { return m_gameController; }
    void setGameController(bool gameController);
    // Take effect at the next attach.
    bool hasTriggerRumble() const { return m_triggerRumble; }
    void setTriggerRumble(bool triggerRumble);
    bool hasLed() const { return m_led; }
    void setLed(bool led);

    // Plugs the pad in. False (with a warning) if SDL refuses or it is already attached.
    Q_INVOKABLE bool attach();
    // Unplugs the pad; nothing happens if it is not attached.
    Q_INVOKABLE void detach();
    bool isAttached() const { return m_joystick != nullptr; }
    // SDL's instance id of the pad (the device id the gamepad module reports), -1 when
    // not attached.
    int deviceId() const { return m_deviceId; }

    Q_INVOKABLE void setButton(Button button, bool pressed);
    // Stick values -32768..32767, trigger values 0..32767.
    Q_INVOKABLE void setAxis(Axis axis, int value);

    // Raw layout for the next attach; -1, -1, -1 (the default) is the standard one.
    Q_INVOKABLE void setRawLayout(int buttons, int axes, int hats);
    // Where raw axis `axis` rests from the next attach on.
    Q_INVOKABLE void setRawAxisRest(int axis, int value);
    Q_INVOKABLE void setRawButton(int button, bool pressed);
    Q_INVOKABLE void setRawAxis(int axis, int value);
    // SDL_HAT_* values: 0 centred, 1 up, 2 right, 4 down, 8 left, or two of them together.
    Q_INVOKABLE void setHat(int hat, int value);

    int lowFrequencyRumble() const;
    int highFrequencyRumble() const;
    int rumbleCount() const;
    QVector<RumbleCall> rumbleCalls() const;
    Q_INVOKABLE void clearRumbleCalls();

    int leftTriggerRumble() const;
    int rightTriggerRumble() const;
    int triggerRumbleCount() const;
    QVector<TriggerRumbleCall> triggerRumbleCalls() const;
    // The last colour SDL set, as "#rrggbb"; empty before the first.
    QString ledColor() const;
    QVector<LedCall> ledCalls() const;

signals:
    void nameChanged();
    void gameControllerChanged();
    void attachedChanged();
    // Emitted (queued) after each rumble call SDL made to the pad.
    void rumbleChanged();
    void triggerRumbleChanged();
    void ledChanged();
    // Emitted (queued) after each LED call SDL made to the pad.
    void ledColorChanged();

private:
    static int rumbleCallback(void *userdata, quint16 low, quint16 high);
    bool hasRawLayout() const { return m_rawButtons >= 0; }
    // The raw layout's part of attach: before the pad is made, and once it is open.
    void describeRawLayout(SDL_VirtualJoystickDesc &desc) const;
    void restRawAxes();

    int m_rawButtons = -1;
    int m_rawAxes = -1;
    int m_rawHats = -1;
    QVector<int> m_rawAxisRest;
    static int triggerRumbleCallback(void *userdata, quint16 left, quint16 right);
    static int ledCallback(void *userdata, quint8 red, quint8 green, quint8 blue);

    QString m_name = QStringLiteral("Joyvant Virtual Gamepad");
    bool m_gameController = true;
    bool m_triggerRumble = false;
    bool m_led = false;
    QByteArray m_sdlName; // kept alive while attached
    _SDL_Joystick *m_joystick = nullptr;
    int m_deviceId = -1;

    mutable QMutex m_rumbleMutex;
    QElapsedTimer m_clock;
    QVector<RumbleCall> m_rumbleCalls;
    int m_low = 0;
    int m_high = 0;
    QVector<TriggerRumbleCall> m_triggerRumbleCalls;
    int m_left = 0;
    int m_right = 0;
    QVector<LedCall> m_ledCalls;
};

} // namespace test
} // namespace joyvant
