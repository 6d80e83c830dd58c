#include "mappingwizard.h"

#include "gamepadbackend.h"
#include "padmappings.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMutexLocker>
#include <QStringList>

namespace joyvant {

namespace {

struct Step
{
    const char *control; // SDL's name
    ControlKind kind;
    bool optional;
    bool onBack; // drawn on the back picture
    const char *name;
    const char *prompt;
};

#define STEP_TEXT(text) QT_TRANSLATE_NOOP("MappingWizard", text)

const Step Steps[] = {
    {"a", ControlKind::Button, false, false, STEP_TEXT("A"), STEP_TEXT("Press A, the bottom face button.")},
    {"b", ControlKind::Button, false, false, STEP_TEXT("B"), STEP_TEXT("Press B, the right face button.")},
    {"x", ControlKind::Button, false, false, STEP_TEXT("X"), STEP_TEXT("Press X, the left face button.")},
    {"y", ControlKind::Button, false, false, STEP_TEXT("Y"), STEP_TEXT("Press Y, the top face button.")},
    {"dpup", ControlKind::Button, false, false, STEP_TEXT("Cross pad up"), STEP_TEXT("Press the cross pad up.")},
    {"dpdown", ControlKind::Button, false, false, STEP_TEXT("Cross pad down"), STEP_TEXT("Press the cross pad down.")},
    {"dpleft", ControlKind::Button, false, false, STEP_TEXT("Cross pad left"), STEP_TEXT("Press the cross pad left.")},
    {"dpright", ControlKind::Button, false, false, STEP_TEXT("Cross pad right"),
     STEP_TEXT("Press the cross pad right.")},
    {"leftshoulder", ControlKind::Button, false, true, STEP_TEXT("Left bumper"), STEP_TEXT("Press the left bumper.")},
    {"rightshoulder", ControlKind::Button, false, true, STEP_TEXT("Right bumper"),
     STEP_TEXT("Press the right bumper.")},
    {"lefttrigger", ControlKind::Trigger, false, true, STEP_TEXT("Left trigger"),
     STEP_TEXT("Pull the left trigger all the way, then let it go.")},
    {"righttrigger", ControlKind::Trigger, false, true, STEP_TEXT("Right trigger"),
     STEP_TEXT("Pull the right trigger all the way, then let it go.")},
    {"leftstick", ControlKind::Button, false, false, STEP_TEXT("Left stick click"),
     STEP_TEXT("Press the left stick down until it clicks.")},
    {"rightstick", ControlKind::Button, false, false, STEP_TEXT("Right stick click"),
     STEP_TEXT("Press the right stick down until it clicks.")},
    {"back", ControlKind::Button, false, false, STEP_TEXT("Back"),
     STEP_TEXT("Press Back (also called Select, View or Share), left of the centre.")},
    {"guide", ControlKind::Button, false, false, STEP_TEXT("Guide"),
     STEP_TEXT("Press Guide, the logo button in the centre.")},
    {"start", ControlKind::Button, false, false, STEP_TEXT("Start"),
     STEP_TEXT("Press Start (also called Menu or Options), right of the centre.")},
    {"leftx", ControlKind::StickAxis, false, false, STEP_TEXT("Left stick, horizontal"),
     STEP_TEXT("Move the left stick all the way left, then let it go.")},
    {"lefty", ControlKind::StickAxis, false, false, STEP_TEXT("Left stick, vertical"),
     STEP_TEXT("Move the left stick all the way up, then let it go.")},
    {"rightx", ControlKind::StickAxis, false, false, STEP_TEXT("Right stick, horizontal"),
     STEP_TEXT("Move the right stick all the way left, then let it go.")},
    {"righty", ControlKind::StickAxis, false, false, STEP_TEXT("Right stick, vertical"),
     STEP_TEXT("Move the right stick all the way up, then let it go.")},
    {"misc1", ControlKind::Button, true, false, STEP_TEXT("Extra button"),
     STEP_TEXT("Press the extra button (Share, Capture or microphone), if the pad has one.")},
    {"paddle1", ControlKind::Button, true, true, STEP_TEXT("Paddle 1"),
     STEP_TEXT("Press the upper right paddle on the back, if the pad has one.")},
    {"paddle2", ControlKind::Button, true, true, STEP_TEXT("Paddle 2"),
     STEP_TEXT("Press the upper left paddle on the back, if the pad has one.")},
    {"paddle3", ControlKind::Button, true, true, STEP_TEXT("Paddle 3"),
     STEP_TEXT("Press the lower right paddle on the back, if the pad has one.")},
    {"paddle4", ControlKind::Button, true, true, STEP_TEXT("Paddle 4"),
     STEP_TEXT("Press the lower left paddle on the back, if the pad has one.")},
    {"touchpad", ControlKind::Button, true, false, STEP_TEXT("Touchpad click"),
     STEP_TEXT("Press the touchpad down until it clicks, if the pad has one.")},
};

#undef STEP_TEXT

constexpr int StepCount = int(sizeof(Steps) / sizeof(Steps[0]));

QString translated(const char *text)
{
    return QCoreApplication::translate("MappingWizard", text);
}

int stepOf(const QString &control)
{
    for (int i = 0; i < StepCount; ++i) {
        if (control == QLatin1String(Steps[i].control))
            return i;
    }
    return -1;
}

// The joystick a change of a raw joystick belongs to; -1 for other events.
SDL_JoystickID joystickOf(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_JOYAXISMOTION: return event.jaxis.which;
    case SDL_JOYHATMOTION: return event.jhat.which;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: return event.jbutton.which;
    case SDL_JOYDEVICEREMOVED: return event.jdevice.which;
    default: return -1;
    }
}

} // namespace

MappingWizard::MappingWizard(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
    , m_mappings(new PadMappings(this))
    , m_initial(StepCount)
    , m_bindings(StepCount)
{
    connect(m_backend.data(), &GamepadBackend::pumped, this, &MappingWizard::onPumped);
}

MappingWizard::~MappingWizard()
{
    stop();
}

void MappingWizard::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    if (m_phase != Idle)
        cancel();
    m_deviceId = deviceId;
    emit deviceIdChanged();
}

int MappingWizard::stepCount()
{
    return StepCount;
}

QString MappingWizard::control() const
{
    return m_stepIndex < StepCount ? QString::fromLatin1(Steps[m_stepIndex].control) : QString();
}

QString MappingWizard::controlName() const
{
    return m_stepIndex < StepCount ? translated(Steps[m_stepIndex].name) : QString();
}

QString MappingWizard::prompt() const
{
    return m_stepIndex < StepCount ? translated(Steps[m_stepIndex].prompt) : QString();
}

bool MappingWizard::isOptional() const
{
    return m_stepIndex < StepCount && Steps[m_stepIndex].optional;
}

QString MappingWizard::picture() const
{
    if (m_stepIndex >= StepCount)
        return QString();
    return Steps[m_stepIndex].onBack ? QStringLiteral("back") : QStringLiteral("front");
}

QString MappingWizard::currentSource() const
{
    return m_stepIndex < StepCount ? m_bindings.at(m_stepIndex).source() : QString();
}

bool MappingWizard::start()
{
    stop();
    clearSteps();
    setRemapping(false);
    setPhase(Idle);
    emit stepChanged();

    m_joystick = m_backend->openJoystick(m_deviceId);
    if (!m_joystick) {
        setMessage(m_backend->isAvailable() ? tr("There is no pad with device id %1.").arg(m_deviceId)
                                            : tr("Game controllers are unavailable."));
        updateMappingLine();
        return false;
    }
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(m_joystick), guid, sizeof(guid));
    m_guid = QString::fromLatin1(guid);
    // Commas separate a mapping's fields.
    QString name = QString::fromUtf8(SDL_JoystickName(m_joystick)).replace(QLatin1Char(','), QLatin1Char(' '));
    name = name.simplified();
    setPadName(name.isEmpty() ? QStringLiteral("Joystick") : name);

    // A pad SDL knows starts from the mapping it has: each binding of a whole control.
    if (SDL_GameController *controller = m_backend->controller(m_deviceId)) {
        char *mapping = SDL_GameControllerMapping(controller);
        if (mapping) {
            const QStringList fields = QString::fromUtf8(mapping).split(QLatin1Char(','));
            for (int i = 2; i < fields.size(); ++i) {
                const int step = stepOf(fields.at(i).section(QLatin1Char(':'), 0, 0).trimmed());
                if (step >= 0)
                    m_initial[step] = RawInput::fromSource(fields.at(i).section(QLatin1Char(':'), 1));
            }
            SDL_free(mapping);
        }
        setRemapping(true);
    }
    m_bindings = m_initial;

    m_watchedId = SDL_JoystickInstanceID(m_joystick);
    SDL_AddEventWatch(&MappingWizard::watchEvent, this);
    m_watching = true;
    setMessage(QString());
    setPhase(Starting);
    emit stepChanged();
    updateMappingLine();
    return true;
}

void MappingWizard::skip()
{
    if (m_phase != Asking)
        return;
    m_bindings[m_stepIndex] = RawInput();
    goToStep(m_stepIndex + 1);
}

void MappingWizard::keep()
{
    if (m_phase != Asking)
        return;
    if (!refuseUsed(m_bindings.at(m_stepIndex)))
        goToStep(m_stepIndex + 1);
}

void MappingWizard::back()
{
    if ((m_phase != Asking && m_phase != Finished) || m_stepIndex == 0)
        return;
    const int previous = m_stepIndex - 1;
    m_bindings[previous] = m_initial.at(previous);
    goToStep(previous);
}

void MappingWizard::cancel()
{
    const bool running = m_phase != Idle;
    stop();
    clearSteps();
    setMessage(QString());
    setPhase(Idle);
    emit stepChanged();
    updateMappingLine();
    if (running)
        emit cancelled();
}

bool MappingWizard::apply()
{
    if (m_phase != Finished || m_mappingLine.isEmpty())
        return finishedAction(false, QString());
    return finishedAction(m_mappings->addMapping(m_mappingLine),
                          tr("Applied: the pad works as a game controller with this mapping now."));
}

bool MappingWizard::save()
{
    if (m_phase != Finished || m_mappingLine.isEmpty())
        return finishedAction(false, QString());
    return finishedAction(m_mappings->saveMapping(m_mappingLine),
                          tr("Saved to %1.").arg(QDir::toNativeSeparators(m_mappings->userFile())));
}

bool MappingWizard::copy()
{
    if (m_phase != Finished || m_mappingLine.isEmpty())
        return finishedAction(false, QString());
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!application) {
        setMessage(tr("There is no clipboard to copy to."));
        return false;
    }
    QGuiApplication::clipboard()->setText(m_mappingLine);
    return finishedAction(true, tr("Copied to the clipboard."));
}

bool MappingWizard::finishedAction(bool ok, const QString &done)
{
    if (m_phase != Finished)
        setMessage(tr("The mapping is not finished yet."));
    else if (m_mappingLine.isEmpty())
        setMessage(tr("No control was mapped."));
    else
        setMessage(ok ? done : m_mappings->errorString());
    return ok;
}

int SDLCALL MappingWizard::watchEvent(void *userdata, SDL_Event *event)
{
    // Runs on whichever thread makes SDL push the event (the pump's, as a rule): queue
    // our joystick's changes for the pump's next round.
    auto *wizard = static_cast<MappingWizard *>(userdata);
    if (wizard->m_watchedId >= 0 && joystickOf(*event) == wizard->m_watchedId) {
        QMutexLocker lock(&wizard->m_eventMutex);
        wizard->m_events.push_back(*event);
    }
    return 1;
}

void MappingWizard::onPumped()
{
    if (!m_watching)
        return;
    std::vector<SDL_Event> events;
    {
        QMutexLocker lock(&m_eventMutex);
        events.swap(m_events);
    }
    if (m_phase == Starting) {
        // SDL has updated the joystick since it was opened: where each axis is now is
        // where it rests. What came before is how it got there.
        QVector<int> baselines;
        const int axes = SDL_JoystickNumAxes(m_joystick);
        for (int axis = 0; axis < axes; ++axis)
            baselines.append(SDL_JoystickGetAxis(m_joystick, axis));
        m_tracker.reset(baselines);
        for (const SDL_Event &event : events) {
            if (event.type == SDL_JOYDEVICEREMOVED)
                handle(event);
        }
        if (m_phase == Starting)
            setPhase(Asking);
        return;
    }
    for (const SDL_Event &event : events) {
        if (!m_watching)
            break; // the pad left
        handle(event);
    }
}

void MappingWizard::handle(const SDL_Event &event)
{
    RawMotion done;
    switch (event.type) {
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: done = m_tracker.button(event.jbutton.button, event.jbutton.state == SDL_PRESSED); break;
    case SDL_JOYHATMOTION: done = m_tracker.hat(event.jhat.hat, event.jhat.value); break;
    case SDL_JOYAXISMOTION: done = m_tracker.axis(event.jaxis.axis, event.jaxis.value); break;
    case SDL_JOYDEVICEREMOVED:
        cancel();
        setMessage(tr("The pad was disconnected."));
        return;
    default: break;
    }
    const RawMotion held = m_tracker.held();
    RawInput heldInput;
    heldInput.kind = held.kind;
    heldInput.index = held.index;
    heldInput.hatValue = held.hatValue;
    setHeldInput(heldInput.source());
    if (done.isValid() && m_phase == Asking)
        answer(done);
}

void MappingWizard::answer(const RawMotion &motion)
{
    const Step &step = Steps[m_stepIndex];
    const RawInput input = inputFor(motion, step.kind);
    if (!input.isValid()) {
        setMessage(tr("%1 needs a stick: move the stick, a button cannot stand for it.").arg(translated(step.name)));
        return;
    }
    if (refuseUsed(input))
        return;
    m_bindings[m_stepIndex] = input;
    goToStep(m_stepIndex + 1);
}

bool MappingWizard::refuseUsed(const RawInput &input)
{
    for (int i = 0; i < m_stepIndex; ++i) {
        if (m_bindings.at(i).overlaps(input)) {
            setMessage(tr("This input is already mapped to %1.").arg(translated(Steps[i].name)));
            return true;
        }
    }
    return false;
}

void MappingWizard::clearSteps()
{
    m_bindings.fill(RawInput());
    m_initial.fill(RawInput());
    m_stepIndex = 0;
    m_tracker.reset({});
    setHeldInput(QString());
}

void MappingWizard::goToStep(int index)
{
    m_stepIndex = index;
    // A button held now was pressed for the step that was left.
    m_tracker.forgetHeld();
    setHeldInput(QString());
    setMessage(QString());
    setPhase(m_stepIndex >= StepCount ? Finished : Asking);
    emit stepChanged();
    updateMappingLine();
}

void MappingWizard::stop()
{
    if (m_watching) {
        SDL_DelEventWatch(&MappingWizard::watchEvent, this);
        m_watching = false;
        QMutexLocker lock(&m_eventMutex);
        m_events.clear();
    }
    if (m_joystick) {
        SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
    }
    m_watchedId = -1;
}

void MappingWizard::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

void MappingWizard::setRemapping(bool remapping)
{
    if (m_remapping == remapping)
        return;
    m_remapping = remapping;
    emit remappingChanged();
}

void MappingWizard::setPadName(const QString &name)
{
    if (m_padName == name)
        return;
    m_padName = name;
    emit padNameChanged();
}

void MappingWizard::setHeldInput(const QString &input)
{
    if (m_heldInput == input)
        return;
    m_heldInput = input;
    emit heldInputChanged();
}

void MappingWizard::setMessage(const QString &message)
{
    if (m_message == message)
        return;
    m_message = message;
    emit messageChanged();
}

void MappingWizard::updateMappingLine()
{
    QStringList fields;
    for (int i = 0; i < StepCount; ++i) {
        if (m_bindings.at(i).isValid())
            fields << QLatin1String(Steps[i].control) + QLatin1Char(':') + m_bindings.at(i).source();
    }
    QString line;
    if (!fields.isEmpty() && !m_guid.isEmpty()) {
        line = m_guid + QLatin1Char(',') + m_padName + QLatin1Char(',') + fields.join(QLatin1Char(','))
            + QStringLiteral(",platform:") + QString::fromUtf8(SDL_GetPlatform()) + QLatin1Char(',');
    }
    if (m_mappingLine == line)
        return;
    m_mappingLine = line;
    emit mappingLineChanged();
}

} // namespace joyvant
