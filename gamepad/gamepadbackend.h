#pragma once

#include "gamepadglobal.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

#include <SDL.h>
#include <array>
#include <atomic>
#include <vector>

namespace joyvant {

// The one owner of SDL's game-controller subsystem for every gamepad object in the
// process, whichever QML engine created it. It holds its own reference on the
// subsystem (SDL counts them, so other users of SDL in the process keep theirs), opens
// every device SDL recognises as a game controller, keeps a mirror of each device's
// buttons and axes, and reports changes as Qt signals on the GUI thread.
//
// Delivery: SDL pushes controller events while its joysticks are updated. A watch on
// SDL's event stream copies ours into a private queue, so no other reader of SDL's
// queue in the process can take them away from us; the pump then works through that
// queue in order. Device events trigger a rescan by instance id rather than trusting
// device indices, which shift whenever a device leaves.
//
// Mappings: SDL knows a joystick as a game controller through a mapping. At start the
// user's mapping file (see gamepadmappings.h) is read and checked line by line; a
// malformed line is skipped with a warning and the rest load. SDL looks through all its
// mappings for each one it adds, so a whole database handed over at once would cost
// time in the square of its size: the file's mappings are instead grouped by the part of
// the GUID that SDL matches on, and each group goes to SDL's loader (which decides by
// platform and hint) when a joystick of that group is present or arrives, before it is
// opened. SDL_GAMECONTROLLERCONFIG keeps precedence for its devices, by SDL's rules.
// addMapping() adds one at run time and opens the pads it covers at once.
//
// Rumble: SDL ends a rumble after the duration given with it. A non-zero level is
// therefore re-sent with a fresh duration before the old one runs out, for as long as
// it is set; level 0 stops the motors at once. The same holds for the trigger motors.
//
// Rumble hold: a holder (the haptics bench of the diagnostics module) can take a device's
// motors for itself. While it holds them, setRumble() only records the levels asked for
// (the test view's triggers and dials keep writing them) and the motors play what the
// holder sends; when the hold ends every motor the holder used stops and the recorded
// levels apply again. A hold ends with its device.
class JOYVANT_GAMEPAD_EXPORT GamepadBackend : public QObject
{
    Q_OBJECT
public:
    // Pump period in milliseconds (250 Hz).
    static constexpr int PumpIntervalMs = 4;
    // Pump period while no joystick at all is attached: only a new one can come, and a
    // twentieth of a second is soon enough to notice it.
    static constexpr int IdlePumpIntervalMs = 50;
    // Duration handed to SDL with every rumble, and how long before its end it is renewed.
    static constexpr Uint32 RumbleDurationMs = 1000;
    static constexpr Uint32 RumbleRenewMarginMs = 500;

    // The process-wide instance; created on first use, released with the last holder.
    // Must be called on the GUI thread.
    static QSharedPointer<GamepadBackend> instance();
    // The pump's period now: PumpIntervalMs while a joystick is attached, otherwise
    // IdlePumpIntervalMs.
    int pumpInterval() const { return m_timer.interval(); }

    ~GamepadBackend() override;

    bool isAvailable() const { return m_available; }

    // Instance ids of the open devices, in the order they were opened.
    QList<int> devices() const { return m_order; }
    bool hasDevice(int deviceId) const { return m_devices.contains(deviceId); }
    QString name(int deviceId) const;

    // Current mirrored state; false / 0 for an unknown device. Values are SDL's:
    // buttons as SDL_GameControllerButton, axes as SDL_GameControllerAxis with SDL's
    // integer range.
    bool button(int deviceId, int sdlButton) const;
    int axis(int deviceId, int sdlAxis) const;

    // Motor levels 0..65535 for an open device; 0, 0 stops at once. Ignored for an
    // unknown device.
    void setRumble(int deviceId, quint16 low, quint16 high);

    // Takes the motors of an open device for `holder`; false for an unknown device or one
    // another holder has. Taking them again is harmless.
    bool holdRumble(int deviceId, const void *holder);
    // Ends `holder`'s hold: the trigger motors stop, the main motors go back to the
    // levels last asked for with setRumble(). Nothing happens for anyone else's hold.
    void releaseRumble(int deviceId, const void *holder);
    bool isRumbleHeld(int deviceId) const;
    // Levels 0..65535 of the main motors and the trigger motors while `holder` holds the
    // device; ignored otherwise. The trigger levels are ignored by a pad without
    // trigger motors.
    void setHeldRumble(int deviceId, const void *holder, quint16 low, quint16 high, quint16 leftTrigger,
                       quint16 rightTrigger);

    // SDL's handle of an open device for queries beyond buttons and axes (identity,
    // features); null for an unknown device. Valid until the device is removed.
    SDL_GameController *controller(int deviceId) const;

    // Opens joystick `instanceId` as a plain joystick, game controller or not, for
    // reading its raw buttons, axes and hats; null if there is no such joystick. The
    // caller closes it with SDL_JoystickClose before letting go of the backend. The pump
    // updates it like every open joystick, and SDL reports its changes as joystick events
    // (SDL_JOYAXISMOTION and the like) to event watches.
    SDL_Joystick *openJoystick(int instanceId);

    // Adds one mapping (SDL's text format) at run time. A joystick it covers becomes a
    // device at once (deviceAdded); an open device takes the new mapping. Empty on
    // success, otherwise the error, and nothing changed.
    QString addMapping(const QString &mapping);
    // What went wrong loading the user's mapping file at start, one line each: the file
    // not read, or each line skipped with its number; empty if nothing did.
    QString userMappingError() const { return m_userMappingError; }
    // Good mappings in the user's mapping file at start (of every platform).
    int userMappingCount() const { return m_userMappingCount; }

    // One round of the pump: lets SDL update its devices, then delivers what happened.
    // Run by the timer; public so tools can time a single round.
    void pump();

signals:
    void deviceAdded(int deviceId);
    void deviceRemoved(int deviceId);
    void buttonChanged(int deviceId, int sdlButton, bool pressed);
    void axisChanged(int deviceId, int sdlAxis, int value);
    // A joystick arrived or left, game controller or not: the moment to look again at
    // the joysticks SDL has no mapping for.
    void joysticksChanged();
    // After every round of the pump, once SDL has updated every open joystick.
    void pumped();
    // A hold began or ended; not emitted when a hold ends because its device left.
    void rumbleHoldChanged(int deviceId, bool held);

private:
    struct Device
    {
        SDL_GameController *controller = nullptr;
        QString name;
        std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons {};
        std::array<int, SDL_CONTROLLER_AXIS_MAX> axes {};
        quint16 rumbleLow = 0; // the levels the motors play
        quint16 rumbleHigh = 0;
        qint64 rumbleRenewAt = 0; // on m_clock
        quint16 askedLow = 0; // the levels setRumble() asked for
        quint16 askedHigh = 0;
        quint16 triggerLeft = 0;
        quint16 triggerRight = 0;
        qint64 triggerRenewAt = 0; // on m_clock
        const void *holder = nullptr;
    };

    GamepadBackend();
    static int SDLCALL watchEvent(void *userdata, SDL_Event *event);

    void loadUserMappings();
    // Hands SDL the user mappings that may be for the joysticks present now, for the
    // joystick at a device index, or for a GUID's matchKey; true when it got any. Any
    // thread; never called with m_pendingMutex held into SDL.
    bool handOverMappings();
    bool handOverMappingsForDevice(int deviceIndex);
    bool handOverMappings(const QByteArray &matchKey);
    static void addToSdl(const QByteArray &lines);
    // Opens the devices SDL knows as game controllers; after a mapping change, every
    // joystick that SDL will open as one.
    enum Rescan { MappedJoysticks, TryEveryJoystick };
    void rescan(Rescan mode = MappedJoysticks);
    void openDevice(int deviceIndex);
    // SDL remaps an open controller only when a new mapping takes the place of the one
    // it uses; one whose mapping SDL made itself (a virtual pad, a pad it knows by its
    // kind) keeps that one although SDL would now choose the new one. The open devices
    // whose GUID has this matchKey are therefore made controllers again.
    void reopenControllers(const QByteArray &matchKey);
    void closeDevice(int deviceId);
    void reloadState(int deviceId);
    void handleEvent(const SDL_Event &event);
    void renewRumble();
    void playRumble(Device &device, quint16 low, quint16 high);
    void playTriggerRumble(Device &device, quint16 left, quint16 right);

    bool m_available = false;
    QString m_userMappingError;
    int m_userMappingCount = 0;
    // User mappings not yet handed to SDL, in the form of its loader, by matchKey;
    // guarded by m_pendingMutex. The watch hands a new joystick's over as SDL announces
    // it, so that SDL_IsGameController is right for it at once, for every reader.
    QMutex m_pendingMutex;
    QHash<QByteArray, QByteArray> m_pendingMappings;
    std::atomic<bool> m_handedOver {false}; // by the watch, since the last pump
    bool m_pumping = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QHash<int, Device> m_devices;
    QList<int> m_order;

    QMutex m_queueMutex;
    std::vector<SDL_Event> m_queue; // filled by the watch, guarded by m_queueMutex
    std::vector<SDL_Event> m_batch; // worked through by the pump
};

} // namespace joyvant
