#include "gamepadbackend.h"

#include "gamepadmappings.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QWeakPointer>

namespace joyvant {

namespace {

// Every joystick and controller event lies in this range of SDL's event types.
constexpr Uint32 FirstDeviceEvent = SDL_JOYAXISMOTION;
constexpr Uint32 LastDeviceEvent = SDL_FINGERDOWN - 1;

bool isOurs(Uint32 type)
{
    return (type >= SDL_CONTROLLERAXISMOTION && type <= SDL_CONTROLLERDEVICEREMAPPED) || type == SDL_JOYDEVICEADDED
        || type == SDL_JOYDEVICEREMOVED;
}

QWeakPointer<GamepadBackend> &sharedInstance()
{
    static QWeakPointer<GamepadBackend> instance;
    return instance;
}

} // namespace

QSharedPointer<GamepadBackend> GamepadBackend::instance()
{
    QSharedPointer<GamepadBackend> backend = sharedInstance().toStrongRef();
    if (!backend) {
        // Released in the middle of a pump round (a handler let go of the last
        // holder), it must outlive the round and its timer's signal.
        backend.reset(new GamepadBackend, [](GamepadBackend *released) {
            if (released->m_pumping) {
                released->m_timer.stop();
                released->deleteLater();
            } else
                delete released;
        });
        sharedInstance() = backend;
    }
    return backend;
}

GamepadBackend::GamepadBackend()
{
    // The program has no SDL window, so SDL must never hold back input for lack of
    // focus; and Ctrl+C belongs to Qt, not to an SDL quit event nobody reads. Both are
    // ordinary hints, so the environment can still override them.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        qWarning() << "Gamepad support unavailable:" << SDL_GetError();
        return;
    }
    m_available = true;
    m_clock.start();
    SDL_AddEventWatch(&GamepadBackend::watchEvent, this);
    loadUserMappings();
    rescan();

    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(PumpIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &GamepadBackend::pump);
    m_timer.start();
}

GamepadBackend::~GamepadBackend()
{
    if (!m_available)
        return;
    m_timer.stop();
    SDL_DelEventWatch(&GamepadBackend::watchEvent, this);
    for (Device &device : m_devices) {
        if (device.rumbleLow || device.rumbleHigh)
            SDL_GameControllerRumble(device.controller, 0, 0, 0);
        if (device.triggerLeft || device.triggerRight)
            SDL_GameControllerRumbleTriggers(device.controller, 0, 0, 0);
        SDL_GameControllerClose(device.controller);
    }
    m_devices.clear();
    m_order.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int SDLCALL GamepadBackend::watchEvent(void *userdata, SDL_Event *event)
{
    // Runs on whichever thread makes SDL push the event; only queue it here, and give
    // SDL the user's mappings for a joystick that has just come.
    if (isOurs(event->type)) {
        auto *backend = static_cast<GamepadBackend *>(userdata);
        if (event->type == SDL_JOYDEVICEADDED && backend->handOverMappingsForDevice(event->jdevice.which))
            backend->m_handedOver = true;
        QMutexLocker lock(&backend->m_queueMutex);
        backend->m_queue.push_back(*event);
    }
    return 1;
}

QString GamepadBackend::name(int deviceId) const
{
    const auto it = m_devices.constFind(deviceId);
    return it == m_devices.constEnd() ? QString() : it->name;
}

bool GamepadBackend::button(int deviceId, int sdlButton) const
{
    const auto it = m_devices.constFind(deviceId);
    if (it == m_devices.constEnd() || sdlButton < 0 || sdlButton >= SDL_CONTROLLER_BUTTON_MAX)
        return false;
    return it->buttons[static_cast<size_t>(sdlButton)];
}

int GamepadBackend::axis(int deviceId, int sdlAxis) const
{
    const auto it = m_devices.constFind(deviceId);
    if (it == m_devices.constEnd() || sdlAxis < 0 || sdlAxis >= SDL_CONTROLLER_AXIS_MAX)
        return 0;
    return it->axes[static_cast<size_t>(sdlAxis)];
}

SDL_GameController *GamepadBackend::controller(int deviceId) const
{
    const auto it = m_devices.constFind(deviceId);
    return it == m_devices.constEnd() ? nullptr : it->controller;
}

void GamepadBackend::loadUserMappings()
{
    const QString path = gamepadmappings::userFile();
    QByteArray text;
    bool exists = false;
    const QString error = gamepadmappings::readFile(path, &text, &exists);
    if (!error.isEmpty()) {
        m_userMappingError = error;
        qWarning().noquote() << "Gamepad mappings not loaded:" << error;
        return;
    }
    if (!exists)
        return;

    constexpr int MaxReported = 100;
    QStringList skipped;
    int skippedCount = 0;
    QByteArray byRule; // "xinput", "default" and GUIDs of SDL's older forms
    for (const gamepadmappings::FileLine &line : gamepadmappings::parseFile(text)) {
        if (!line.error.isEmpty()) {
            if (++skippedCount <= MaxReported) {
                skipped.append(QStringLiteral("%1, line %2: %3")
                                   .arg(QDir::toNativeSeparators(path))
                                   .arg(line.number)
                                   .arg(line.error));
                qWarning().noquote() << "Gamepad mapping skipped:" << skipped.last();
            }
            continue;
        }
        ++m_userMappingCount;
        // As normalized() and forSdl() make it, for the many lines that need little.
        QByteArray forLoader = line.text;
        while (forLoader.endsWith(','))
            forLoader.chop(1);
        if (!forLoader.contains("platform:")) // only in a field: a name cannot hold it
            forLoader += QByteArray(",platform:") + SDL_GetPlatform();
        forLoader += ',';
        if (forLoader.mid(4, 4) != "0000")
            forLoader = gamepadmappings::forSdl(QString::fromUtf8(forLoader)).toUtf8();
        forLoader += '\n';
        const QByteArray key = gamepadmappings::matchKey(line.text.left(line.text.indexOf(',')));
        if (key.isEmpty()) {
            byRule += forLoader;
        } else {
            QMutexLocker lock(&m_pendingMutex);
            m_pendingMappings[key] += forLoader;
        }
    }
    if (skippedCount > MaxReported)
        skipped.append(QStringLiteral("%1: %2 more lines skipped")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(skippedCount - MaxReported));
    m_userMappingError = skipped.join(QLatin1Char('\n'));
    addToSdl(byRule);
    handOverMappings();
    qDebug().noquote() << "Gamepad mappings:" << m_userMappingCount << "from" << path;
}

bool GamepadBackend::handOverMappings()
{
    bool added = false;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index)
        added = handOverMappingsForDevice(index) || added;
    return added;
}

bool GamepadBackend::handOverMappingsForDevice(int deviceIndex)
{
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof(guid));
    return handOverMappings(gamepadmappings::matchKey(QByteArray(guid)));
}

bool GamepadBackend::handOverMappings(const QByteArray &matchKey)
{
    QByteArray lines;
    {
        QMutexLocker lock(&m_pendingMutex);
        if (m_pendingMappings.isEmpty())
            return false;
        lines = m_pendingMappings.take(matchKey);
    }
    addToSdl(lines);
    return !lines.isEmpty();
}

void GamepadBackend::addToSdl(const QByteArray &lines)
{
    if (lines.isEmpty())
        return;
    // SDL's loader, for its rules: only lines for this platform, and hints.
    SDL_RWops *stream = SDL_RWFromConstMem(lines.constData(), int(lines.size()));
    if (!stream || SDL_GameControllerAddMappingsFromRW(stream, 1) < 0)
        qWarning().noquote() << "Gamepad mappings refused by SDL:" << SDL_GetError();
}

QString GamepadBackend::addMapping(const QString &mapping)
{
    if (!m_available)
        return QStringLiteral("game controllers are unavailable");
    const QString error = gamepadmappings::check(mapping);
    if (!error.isEmpty())
        return error;
    // The file's mappings for the device first, so that they cannot override this one
    // when the device arrives.
    handOverMappings(gamepadmappings::matchKey(mapping.trimmed().section(QLatin1Char(','), 0, 0).toUtf8()));
    if (SDL_GameControllerAddMapping(gamepadmappings::forSdl(mapping).toUtf8().constData()) < 0)
        return QStringLiteral("SDL refused the mapping: %1").arg(QString::fromUtf8(SDL_GetError()));
    // Open devices whose mapping this replaces are remapped by SDL (a remapped event
    // follows); the others are opened afresh. A joystick that has just become a game
    // controller is announced by nobody, and SDL_IsGameController may not say so yet:
    // try to open every device that is not open.
    reopenControllers(gamepadmappings::matchKey(mapping.trimmed().section(QLatin1Char(','), 0, 0).toUtf8()));
    rescan(TryEveryJoystick);
    return QString();
}

SDL_Joystick *GamepadBackend::openJoystick(int instanceId)
{
    if (!m_available)
        return nullptr;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instanceId)
            return SDL_JoystickOpen(index);
    }
    return nullptr;
}

void GamepadBackend::setRumble(int deviceId, quint16 low, quint16 high)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end())
        return;
    it->askedLow = low;
    it->askedHigh = high;
    if (!it->holder)
        playRumble(*it, low, high);
}

bool GamepadBackend::holdRumble(int deviceId, const void *holder)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end() || !holder || (it->holder && it->holder != holder))
        return false;
    if (it->holder == holder)
        return true;
    it->holder = holder;
    emit rumbleHoldChanged(deviceId, true);
    return true;
}

void GamepadBackend::releaseRumble(int deviceId, const void *holder)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end() || !holder || it->holder != holder)
        return;
    it->holder = nullptr;
    playTriggerRumble(*it, 0, 0);
    playRumble(*it, it->askedLow, it->askedHigh);
    emit rumbleHoldChanged(deviceId, false);
}

bool GamepadBackend::isRumbleHeld(int deviceId) const
{
    const auto it = m_devices.constFind(deviceId);
    return it != m_devices.constEnd() && it->holder;
}

void GamepadBackend::setHeldRumble(int deviceId, const void *holder, quint16 low, quint16 high, quint16 leftTrigger,
                                   quint16 rightTrigger)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end() || !holder || it->holder != holder)
        return;
    playRumble(*it, low, high);
    playTriggerRumble(*it, leftTrigger, rightTrigger);
}

void GamepadBackend::playRumble(Device &device, quint16 low, quint16 high)
{
    if (device.rumbleLow == low && device.rumbleHigh == high)
        return; // a running rumble is kept alive by the pump
    device.rumbleLow = low;
    device.rumbleHigh = high;
    const bool on = low || high;
    SDL_GameControllerRumble(device.controller, low, high, on ? RumbleDurationMs : 0);
    device.rumbleRenewAt = m_clock.elapsed() + (RumbleDurationMs - RumbleRenewMarginMs);
}

void GamepadBackend::playTriggerRumble(Device &device, quint16 left, quint16 right)
{
    if (device.triggerLeft == left && device.triggerRight == right)
        return;
    // SDL refuses trigger rumble on a pad without trigger motors: nothing to keep.
    const bool on = left || right;
    if (SDL_GameControllerRumbleTriggers(device.controller, left, right, on ? RumbleDurationMs : 0) != 0)
        return;
    device.triggerLeft = left;
    device.triggerRight = right;
    device.triggerRenewAt = m_clock.elapsed() + (RumbleDurationMs - RumbleRenewMarginMs);
}

void GamepadBackend::pump()
{
    if (!m_available || m_pumping)
        return;
    // A handler below may drop the last outside reference to this backend: the flag,
    // still set when `keepAlive` goes, makes that a deferred deletion.
    struct PumpingFlag
    {
        bool &flag;
        ~PumpingFlag() { flag = false; }
    } pumping {m_pumping};
    m_pumping = true;
    const QSharedPointer<GamepadBackend> keepAlive = sharedInstance().toStrongRef();

    SDL_GameControllerUpdate();
    {
        QMutexLocker lock(&m_queueMutex);
        m_batch.swap(m_queue);
    }
    // SDL's own copies of the device events: the watch has queued what we need, and
    // left there they would only pile up.
    SDL_FlushEvents(FirstDeviceEvent, LastDeviceEvent);

    for (const SDL_Event &event : m_batch)
        handleEvent(event);
    m_batch.clear();

    renewRumble();
    // Slow down while there is nothing to read, at full rate again as soon as a joystick
    // is attached (the event that says so has just been handled).
    const int interval = SDL_NumJoysticks() > 0 ? PumpIntervalMs : IdlePumpIntervalMs;
    if (m_timer.interval() != interval)
        m_timer.setInterval(interval);
    emit pumped();
}

void GamepadBackend::handleEvent(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_JOYDEVICEADDED:
        // SDL had looked for a mapping before the watch gave it the user's: no
        // controller event comes for such a joystick, so it is opened here.
        if (m_handedOver.exchange(false))
            rescan(TryEveryJoystick);
        emit joysticksChanged();
        break;
    case SDL_CONTROLLERDEVICEADDED:
        // `which` is a device index here, possibly stale by now: look at every device.
        rescan();
        break;
    case SDL_CONTROLLERDEVICEREMOVED: closeDevice(event.cdevice.which); break;
    case SDL_JOYDEVICEREMOVED:
        closeDevice(event.cdevice.which);
        emit joysticksChanged();
        break;
    case SDL_CONTROLLERDEVICEREMAPPED: reloadState(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        const auto it = m_devices.find(event.cbutton.which);
        const int button = event.cbutton.button;
        if (it == m_devices.end() || button >= SDL_CONTROLLER_BUTTON_MAX)
            break;
        const bool pressed = event.cbutton.state == SDL_PRESSED;
        bool &stored = it->buttons[static_cast<size_t>(button)];
        if (stored != pressed) {
            stored = pressed;
            emit buttonChanged(event.cbutton.which, button, pressed);
        }
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        const auto it = m_devices.find(event.caxis.which);
        const int axis = event.caxis.axis;
        if (it == m_devices.end() || axis >= SDL_CONTROLLER_AXIS_MAX)
            break;
        int &stored = it->axes[static_cast<size_t>(axis)];
        if (stored != event.caxis.value) {
            stored = event.caxis.value;
            emit axisChanged(event.caxis.which, axis, stored);
        }
        break;
    }
    default: break;
    }
}

void GamepadBackend::rescan(Rescan mode)
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (id >= 0 && !m_devices.contains(id) && (mode == TryEveryJoystick || SDL_IsGameController(index)))
            openDevice(index);
    }
}

void GamepadBackend::openDevice(int deviceIndex)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || m_devices.contains(id))
        return;
    SDL_GameController *controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    Device device;
    device.controller = controller;
    device.name = QString::fromUtf8(SDL_GameControllerName(controller));
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
        device.buttons[static_cast<size_t>(b)]
            = SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)) != 0;
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
        device.axes[static_cast<size_t>(a)]
            = SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(a));
    m_devices.insert(id, device);
    m_order.append(id);
    emit deviceAdded(id);
}

void GamepadBackend::reopenControllers(const QByteArray &matchKey)
{
    if (matchKey.isEmpty())
        return;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const auto it = m_devices.find(SDL_JoystickGetDeviceInstanceID(index));
        if (it == m_devices.end())
            continue;
        char guid[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof(guid));
        if (gamepadmappings::matchKey(QByteArray(guid)) != matchKey)
            continue;
        // The joystick stays open throughout, so the device keeps its state (lights,
        // sensors); only the controller over it is made again, with SDL's choice of
        // mapping now.
        SDL_Joystick *held = SDL_JoystickOpen(index);
        SDL_GameControllerClose(it->controller);
        it->controller = SDL_GameControllerOpen(index);
        if (held)
            SDL_JoystickClose(held);
        const int id = it.key();
        if (!it->controller) {
            // Lost on the way (it cannot be opened as a controller any more).
            m_devices.erase(it);
            m_order.removeOne(id);
            emit deviceRemoved(id);
            continue;
        }
        reloadState(id);
    }
}

void GamepadBackend::closeDevice(int deviceId)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end())
        return;
    SDL_GameControllerClose(it->controller);
    m_devices.erase(it);
    m_order.removeOne(deviceId);
    emit deviceRemoved(deviceId);
}

void GamepadBackend::reloadState(int deviceId)
{
    const auto it = m_devices.find(deviceId);
    if (it == m_devices.end())
        return;
    SDL_GameController *controller = it->controller;
    it->name = QString::fromUtf8(SDL_GameControllerName(controller));
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        const bool pressed = SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)) != 0;
        // Look the device up again for each value: a handler may have closed it.
        const auto current = m_devices.find(deviceId);
        if (current == m_devices.end())
            return;
        if (current->buttons[static_cast<size_t>(b)] != pressed) {
            current->buttons[static_cast<size_t>(b)] = pressed;
            emit buttonChanged(deviceId, b, pressed);
        }
    }
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
        const int value = SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(a));
        const auto current = m_devices.find(deviceId);
        if (current == m_devices.end())
            return;
        if (current->axes[static_cast<size_t>(a)] != value) {
            current->axes[static_cast<size_t>(a)] = value;
            emit axisChanged(deviceId, a, value);
        }
    }
}

void GamepadBackend::renewRumble()
{
    const qint64 now = m_clock.elapsed();
    for (Device &device : m_devices) {
        if ((device.rumbleLow || device.rumbleHigh) && now >= device.rumbleRenewAt) {
            // Same levels: SDL only moves the end of the rumble further out.
            SDL_GameControllerRumble(device.controller, device.rumbleLow, device.rumbleHigh, RumbleDurationMs);
            device.rumbleRenewAt = now + (RumbleDurationMs - RumbleRenewMarginMs);
        }
        if ((device.triggerLeft || device.triggerRight) && now >= device.triggerRenewAt) {
            SDL_GameControllerRumbleTriggers(device.controller, device.triggerLeft, device.triggerRight,
                                             RumbleDurationMs);
            device.triggerRenewAt = now + (RumbleDurationMs - RumbleRenewMarginMs);
        }
    }
}

} // namespace joyvant
