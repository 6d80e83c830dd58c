#pragma once

#include "rawinput.h"

#include <QMutex>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QVector>

#include <SDL.h>
#include <vector>

namespace joyvant {

class GamepadBackend;
class PadMappings;

// Makes a controller mapping by asking for one control at a time (`MappingWizard`).
// The user presses or moves the control named by `prompt` on the pad `deviceId` (SDL's
// joystick instance id: a game controller's device id, or a joystick's `instanceId` in
// `SysInfo.gamepads`); the wizard reads the raw joystick, not the game controller, so
// it works for pads SDL does not know and for pads whose mapping is wrong.
//
//     MappingWizard { id: wizard; deviceId: pad.instanceId }
//     wizard.start()    // "Map..." or "Remap...": a pad with a mapping starts from it
//     wizard.skip()     // the pad lacks this control: no binding
//     wizard.keep()     // keep the binding shown as `currentSource` (remapping)
//     wizard.back()     // ask the previous control again; its input is free again
//     wizard.cancel()   // Escape: leaves, nothing changed
//     // once `finished`: wizard.mappingLine, wizard.apply(), wizard.save(), wizard.copy()
//
// The controls come in a fixed order (`stepIndex` of `stepCount`): face buttons, cross
// pad, bumpers, triggers, stick clicks, Back, Guide, Start, each stick's horizontal and
// vertical axis, then the optional extras (misc, four paddles, touchpad click). Each
// step has SDL's name (`control`), a display name and a prompt, whether it is
// `optional`, and the controller picture it is on (`picture`: "front" or "back").
//
// Detection: `start()` opens the joystick; at the backend's next pump round the wizard
// takes every axis's position as its rest position and starts asking (`phase` goes from
// Starting to Asking). Buttons and hat directions count on release; an axis counts once
// it has moved past half the way from its rest position to its end; see RawInputTracker.
// An input that an earlier step already uses is refused, with `message` naming that
// control.
class MappingWizard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(bool finished READ isFinished NOTIFY phaseChanged)
    Q_PROPERTY(bool remapping READ isRemapping NOTIFY remappingChanged)
    Q_PROPERTY(QString padName READ padName NOTIFY padNameChanged)
    Q_PROPERTY(int stepCount READ stepCount CONSTANT)
    Q_PROPERTY(int stepIndex READ stepIndex NOTIFY stepChanged)
    Q_PROPERTY(QString control READ control NOTIFY stepChanged)
    Q_PROPERTY(QString controlName READ controlName NOTIFY stepChanged)
    Q_PROPERTY(QString prompt READ prompt NOTIFY stepChanged)
    Q_PROPERTY(bool optional READ isOptional NOTIFY stepChanged)
    Q_PROPERTY(QString picture READ picture NOTIFY stepChanged)
    Q_PROPERTY(QString currentSource READ currentSource NOTIFY stepChanged)
    Q_PROPERTY(QString heldInput READ heldInput NOTIFY heldInputChanged)
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    Q_PROPERTY(QString mappingLine READ mappingLine NOTIFY mappingLineChanged)

public:
    enum Phase {
        Idle, // not started, cancelled, or the pad left
        Starting, // waiting for the pump round that gives the rest positions
        Asking, // asking for the control of `stepIndex`
        Finished, // every step answered; `mappingLine` is the result
    };
    Q_ENUM(Phase)

    explicit MappingWizard(QObject *parent = nullptr);
    ~MappingWizard() override;

    int deviceId() const { return m_deviceId; }
    // Changing the pad cancels a running wizard.
    void setDeviceId(int deviceId);

    Phase phase() const { return m_phase; }
    bool isFinished() const { return m_phase == Finished; }
    // Whether the pad had a mapping when the wizard started; the result replaces it.
    bool isRemapping() const { return m_remapping; }
    QString padName() const { return m_padName; }

    static int stepCount();
    int stepIndex() const { return m_stepIndex; }
    // The step's control; empty once finished.
    QString control() const;
    QString controlName() const;
    QString prompt() const;
    bool isOptional() const;
    QString picture() const;
    // What the step's control is bound to now: its binding in the pad's mapping when
    // remapping, empty otherwise.
    QString currentSource() const;
    // The button or hat direction pressed and not yet released ("b3", "h0.1"); empty
    // when none is.
    QString heldInput() const { return m_heldInput; }
    // Why the last input or action was refused, or what an action did; empty when
    // there is nothing to say.
    QString message() const { return m_message; }
    // "GUID,name,control:source,...,platform:...,"; empty while nothing is bound.
    QString mappingLine() const { return m_mappingLine; }

    // Opens the pad and starts at the first control; false (with `message`) when there
    // is no such pad. A running wizard starts afresh.
    Q_INVOKABLE bool start();
    // No binding for this control (the pad lacks it); on to the next.
    Q_INVOKABLE void skip();
    // Keeps `currentSource` for this control and goes on; refused when an earlier step
    // took its input.
    Q_INVOKABLE void keep();
    // Back to the previous control, which is asked again; its input is free again.
    Q_INVOKABLE void back();
    // Leaves: no mapping is added or saved, the pad is let go.
    Q_INVOKABLE void cancel();
    // Once finished: makes the pad a game controller with `mappingLine` now (a pad
    // that has one is remapped).
    Q_INVOKABLE bool apply();
    // Once finished: writes `mappingLine` to the user's mapping file in place of the
    // pad's line there, keeping the other lines.
    Q_INVOKABLE bool save();
    // Once finished: puts `mappingLine` on the clipboard.
    Q_INVOKABLE bool copy();

signals:
    void deviceIdChanged();
    void phaseChanged();
    void remappingChanged();
    void padNameChanged();
    void stepChanged();
    void heldInputChanged();
    void messageChanged();
    void mappingLineChanged();
    // After cancel(), and when the pad leaves while the wizard runs.
    void cancelled();

private:
    static int SDLCALL watchEvent(void *userdata, SDL_Event *event);

    void onPumped();
    void handle(const SDL_Event &event);
    void answer(const RawMotion &motion);
    // Whether an earlier step's binding overlaps `input`; `message` then names it.
    bool refuseUsed(const RawInput &input);
    // Every step unbound, the first one current, nothing held.
    void clearSteps();
    void goToStep(int index);
    void stop();
    void setPhase(Phase phase);
    void setRemapping(bool remapping);
    void setPadName(const QString &name);
    void setHeldInput(const QString &input);
    void setMessage(const QString &message);
    void updateMappingLine();
    bool finishedAction(bool ok, const QString &done);

    QSharedPointer<GamepadBackend> m_backend;
    PadMappings *m_mappings = nullptr; // child
    int m_deviceId = -1;
    Phase m_phase = Idle;
    bool m_remapping = false;
    QString m_padName;
    QString m_guid;
    int m_stepIndex = 0;
    QVector<RawInput> m_initial; // per step, as the wizard started
    QVector<RawInput> m_bindings; // per step
    RawInputTracker m_tracker;
    QString m_heldInput;
    QString m_message;
    QString m_mappingLine;

    SDL_Joystick *m_joystick = nullptr;
    SDL_JoystickID m_watchedId = -1; // fixed while the event watch is installed
    bool m_watching = false;
    QMutex m_eventMutex;
    std::vector<SDL_Event> m_events; // filled by the watch, guarded by m_eventMutex
};

} // namespace joyvant
