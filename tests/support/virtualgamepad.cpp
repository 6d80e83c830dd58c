#include "virtualgamepad.h"

#include <QDebug>
#include <QMutexLocker>

#include <SDL.h>
#include <cmath>

namespace joyvant {
namespace test {

static_assert(int(VirtualGamepad::ButtonCount) == int(SDL_CONTROLLER_BUTTON_MAX), "button numbering follows SDL");
static_assert(int(VirtualGamepad::ButtonDpadUp) == int(SDL_CONTROLLER_BUTTON_DPAD_UP), "button numbering follows SDL");
static_assert(int(VirtualGamepad::AxisTriggerLeft) == int(SDL_CONTROLLER_AXIS_TRIGGERLEFT),
              "axis numbering follows SDL");
static_assert(int(VirtualGamepad::AxisCount) == int(SDL_CONTROLLER_AXIS_MAX), "axis numbering follows SDL");

namespace {

int deviceIndexOf(SDL_JoystickID id)
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id)
            return index;
    }
    return -1;
}

// A virtual trigger axis spans SDL's full range, which the controller layer maps onto
// 0..32767: find the raw value that the controller reports as `value`.
Sint16 rawTriggerValue(int value)
{
    if (value <= 0)
        return SDL_JOYSTICK_AXIS_MIN;
    if (value >= SDL_JOYSTICK_AXIS_MAX)
        return SDL_JOYSTICK_AXIS_MAX;
    const double raw = std::ceil(value * 65535.0 / 32767.0) + SDL_JOYSTICK_AXIS_MIN;
    return static_cast<Sint16>(qBound<double>(SDL_JOYSTICK_AXIS_MIN, raw, SDL_JOYSTICK_AXIS_MAX));
}

} // namespace

VirtualGamepad::VirtualGamepad(QObject *parent)
    : QObject(parent)
{
}

VirtualGamepad::~VirtualGamepad()
{
    detach();
}

void VirtualGamepad::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged();
}

void VirtualGamepad::setGameController(bool gameController)
{
    if (m_gameController == gameController)
        return;
    m_gameController = gameController;
    emit gameControllerChanged();
}

void VirtualGamepad::setTriggerRumble(bool triggerRumble)
{
    if (m_triggerRumble == triggerRumble)
        return;
    m_triggerRumble = triggerRumble;
    emit triggerRumbleChanged();
}

void VirtualGamepad::setLed(bool led)
{
    if (m_led == led)
        return;
    m_led = led;
    emit ledChanged();
}

bool VirtualGamepad::attach()
{
    if (m_joystick) {
        qWarning() << "VirtualGamepad: already attached";
        return false;
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        qWarning() << "VirtualGamepad: SDL joystick subsystem:" << SDL_GetError();
        return false;
    }

    m_sdlName = m_name.toUtf8();
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = m_gameController ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    // With every button and axis present, joystick index i is controller button/axis i.
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = m_sdlName.constData();
    desc.userdata = this;
    desc.Rumble = &VirtualGamepad::rumbleCallback;
    describeRawLayout(desc);
    // SDL gives a virtual pad the features whose callbacks it has.
    if (m_triggerRumble)
        desc.RumbleTriggers = &VirtualGamepad::triggerRumbleCallback;
    if (m_led)
        desc.SetLED = &VirtualGamepad::ledCallback;

    {
        QMutexLocker lock(&m_rumbleMutex);
        m_clock.start();
        m_rumbleCalls.clear();
        m_low = m_high = 0;
        m_triggerRumbleCalls.clear();
        m_left = m_right = 0;
        m_ledCalls.clear();
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick *joystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (!joystick) {
        qWarning() << "VirtualGamepad: cannot attach:" << SDL_GetError();
        if (index >= 0)
            SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return false;
    }
    m_joystick = joystick;
    m_deviceId = SDL_JoystickInstanceID(joystick);
    // Triggers rest at the bottom of their raw range.
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    restRawAxes();
    emit attachedChanged();
    emit rumbleChanged();
    return true;
}

void VirtualGamepad::detach()
{
    if (!m_joystick)
        return;
    const SDL_JoystickID id = m_deviceId;
    SDL_JoystickClose(m_joystick);
    m_joystick = nullptr;
    m_deviceId = -1;
    const int index = deviceIndexOf(id);
    if (index >= 0)
        SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    emit attachedChanged();
}

void VirtualGamepad::setButton(Button button, bool pressed)
{
    if (m_joystick && button >= 0 && button < ButtonCount)
        SDL_JoystickSetVirtualButton(m_joystick, button, pressed ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualGamepad::setAxis(Axis axis, int value)
{
    if (!m_joystick || axis < 0 || axis >= AxisCount)
        return;
    const Sint16 raw = (axis == AxisTriggerLeft || axis == AxisTriggerRight)
        ? rawTriggerValue(value)
        : static_cast<Sint16>(qBound<int>(SDL_JOYSTICK_AXIS_MIN, value, SDL_JOYSTICK_AXIS_MAX));
    SDL_JoystickSetVirtualAxis(m_joystick, axis, raw);
}

void VirtualGamepad::setRawLayout(int buttons, int axes, int hats)
{
    m_rawButtons = qMax(-1, buttons);
    m_rawAxes = m_rawButtons < 0 ? -1 : qMax(0, axes);
    m_rawHats = m_rawButtons < 0 ? -1 : qMax(0, hats);
}

void VirtualGamepad::setRawAxisRest(int axis, int value)
{
    if (axis < 0)
        return;
    if (m_rawAxisRest.size() <= axis)
        m_rawAxisRest.resize(axis + 1);
    m_rawAxisRest[axis] = qBound<int>(SDL_JOYSTICK_AXIS_MIN, value, SDL_JOYSTICK_AXIS_MAX);
}

void VirtualGamepad::describeRawLayout(SDL_VirtualJoystickDesc &desc) const
{
    if (!hasRawLayout())
        return;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.nbuttons = static_cast<Uint16>(m_rawButtons);
    desc.naxes = static_cast<Uint16>(m_rawAxes);
    desc.nhats = static_cast<Uint16>(m_rawHats);
    desc.button_mask = 0;
    desc.axis_mask = 0;
}

void VirtualGamepad::restRawAxes()
{
    if (!hasRawLayout())
        return;
    for (int axis = 0; axis < m_rawAxes; ++axis)
        SDL_JoystickSetVirtualAxis(m_joystick, axis, static_cast<Sint16>(m_rawAxisRest.value(axis, 0)));
}

void VirtualGamepad::setRawButton(int button, bool pressed)
{
    if (m_joystick)
        SDL_JoystickSetVirtualButton(m_joystick, button, pressed ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualGamepad::setRawAxis(int axis, int value)
{
    if (m_joystick)
        SDL_JoystickSetVirtualAxis(m_joystick, axis,
                                   static_cast<Sint16>(qBound<int>(SDL_JOYSTICK_AXIS_MIN, value, SDL_JOYSTICK_AXIS_MAX)));
}

void VirtualGamepad::setHat(int hat, int value)
{
    if (m_joystick)
        SDL_JoystickSetVirtualHat(m_joystick, hat, static_cast<Uint8>(value));
}

int VirtualGamepad::rumbleCallback(void *userdata, quint16 low, quint16 high)
{
    // SDL calls this on whichever thread starts, renews or ends a rumble.
    auto *pad = static_cast<VirtualGamepad *>(userdata);
    {
        QMutexLocker lock(&pad->m_rumbleMutex);
        pad->m_low = low;
        pad->m_high = high;
        pad->m_rumbleCalls.append({pad->m_clock.elapsed(), low, high});
    }
    QMetaObject::invokeMethod(pad, &VirtualGamepad::rumbleChanged, Qt::QueuedConnection);
    return 0;
}

int VirtualGamepad::lowFrequencyRumble() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_low;
}

int VirtualGamepad::highFrequencyRumble() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_high;
}

int VirtualGamepad::rumbleCount() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_rumbleCalls.size();
}

QVector<VirtualGamepad::RumbleCall> VirtualGamepad::rumbleCalls() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_rumbleCalls;
}

void VirtualGamepad::clearRumbleCalls()
{
    {
        QMutexLocker lock(&m_rumbleMutex);
        m_rumbleCalls.clear();
        m_triggerRumbleCalls.clear();
    }
    emit rumbleChanged();
}

int VirtualGamepad::triggerRumbleCallback(void *userdata, quint16 left, quint16 right)
{
    auto *pad = static_cast<VirtualGamepad *>(userdata);
    {
        QMutexLocker lock(&pad->m_rumbleMutex);
        pad->m_left = left;
        pad->m_right = right;
        pad->m_triggerRumbleCalls.append({pad->m_clock.elapsed(), left, right});
    }
    QMetaObject::invokeMethod(pad, &VirtualGamepad::rumbleChanged, Qt::QueuedConnection);
    return 0;
}

int VirtualGamepad::ledCallback(void *userdata, quint8 red, quint8 green, quint8 blue)
{
    auto *pad = static_cast<VirtualGamepad *>(userdata);
    {
        QMutexLocker lock(&pad->m_rumbleMutex);
        pad->m_ledCalls.append({pad->m_clock.elapsed(), red, green, blue});
    }
    QMetaObject::invokeMethod(pad, &VirtualGamepad::ledColorChanged, Qt::QueuedConnection);
    return 0;
}

int VirtualGamepad::leftTriggerRumble() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_left;
}

int VirtualGamepad::rightTriggerRumble() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_right;
}

int VirtualGamepad::triggerRumbleCount() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_triggerRumbleCalls.size();
}

QVector<VirtualGamepad::TriggerRumbleCall> VirtualGamepad::triggerRumbleCalls() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_triggerRumbleCalls;
}

QString VirtualGamepad::ledColor() const
{
    QMutexLocker lock(&m_rumbleMutex);
    if (m_ledCalls.isEmpty())
        return QString();
    const LedCall &last = m_ledCalls.constLast();
    return QString::asprintf("#%02x%02x%02x", last.red, last.green, last.blue);
}

QVector<VirtualGamepad::LedCall> VirtualGamepad::ledCalls() const
{
    QMutexLocker lock(&m_rumbleMutex);
    return m_ledCalls;
}

} // namespace test
} // namespace joyvant
