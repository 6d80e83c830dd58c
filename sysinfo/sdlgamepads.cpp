#include "sdlgamepads.h"

#define SDL_MAIN_HANDLED
#include <QDebug>

#include <SDL.h>

#include <algorithm>
#include <iterator>

namespace {

QString typeName(SDL_GameControllerType type)
{
    switch (type) {
    case SDL_CONTROLLER_TYPE_XBOX360: return QStringLiteral("Xbox 360");
    case SDL_CONTROLLER_TYPE_XBOXONE: return QStringLiteral("Xbox One");
    case SDL_CONTROLLER_TYPE_PS3: return QStringLiteral("PlayStation 3");
    case SDL_CONTROLLER_TYPE_PS4: return QStringLiteral("PlayStation 4");
    case SDL_CONTROLLER_TYPE_PS5: return QStringLiteral("PlayStation 5");
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO: return QStringLiteral("Nintendo Switch Pro");
    case SDL_CONTROLLER_TYPE_VIRTUAL: return QStringLiteral("virtual");
    case SDL_CONTROLLER_TYPE_AMAZON_LUNA: return QStringLiteral("Amazon Luna");
    case SDL_CONTROLLER_TYPE_GOOGLE_STADIA: return QStringLiteral("Google Stadia");
    case SDL_CONTROLLER_TYPE_NVIDIA_SHIELD: return QStringLiteral("NVIDIA Shield");
    default: return QStringLiteral("generic");
    }
}

} // namespace

SdlGamepads::SdlGamepads()
{
    // Qt handles the process's signals, and controllers are read while the window is
    // in the background. Default priority: a setting made elsewhere wins.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", SDL_HINT_DEFAULT);
    // Reference-counted: the gamepad module may hold the subsystem as well.
    m_available = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!m_available) {
        m_error = QString::fromUtf8(SDL_GetError());
        qWarning().noquote() << "SysInfo: SDL game controllers unavailable:" << m_error;
    }
}

SdlGamepads::~SdlGamepads()
{
    if (m_available)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

QVector<SdlGamepads::Device> SdlGamepads::devices(Detail detail)
{
    QVector<Device> result;
    if (!m_available)
        return result;
    SDL_GameControllerUpdate();
    SDL_LockJoysticks();
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        Device device;
        device.deviceIndex = index;
        device.instanceId = SDL_JoystickGetDeviceInstanceID(index);
        device.gameController = SDL_IsGameController(index) == SDL_TRUE;
        const char *name
            = device.gameController ? SDL_GameControllerNameForIndex(index) : SDL_JoystickNameForIndex(index);
        device.name = QString::fromUtf8(name ? name : "");
        char guid[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof(guid));
        device.guid = QString::fromLatin1(guid);
        device.vendorId = SDL_JoystickGetDeviceVendor(index);
        device.productId = SDL_JoystickGetDeviceProduct(index);
        device.type = device.gameController ? typeName(SDL_GameControllerTypeForIndex(index)) : QString();
        if (detail == ProbeFeatures && device.gameController) {
            auto known = m_features.constFind(device.instanceId);
            if (known == m_features.constEnd()) {
                Features features;
                // Opening adds a reference to a controller another part of the program
                // may have open already; closing takes only that reference away.
                if (SDL_GameController *controller = SDL_GameControllerOpen(index)) {
                    features.rumble = SDL_GameControllerHasRumble(controller) == SDL_TRUE;
                    features.triggerRumble = SDL_GameControllerHasRumbleTriggers(controller) == SDL_TRUE;
                    SDL_GameControllerClose(controller);
                }
                known = m_features.insert(device.instanceId, features);
            }
            device.rumble = known->rumble;
            device.triggerRumble = known->triggerRumble;
        }
        result.append(device);
    }
    SDL_UnlockJoysticks();
    // Instance ids are never given out again; forget the devices that left.
    if (detail == ProbeFeatures) {
        for (auto it = m_features.begin(); it != m_features.end();) {
            const bool present = std::any_of(result.cbegin(), result.cend(),
                                             [&it](const Device &device) { return device.instanceId == it.key(); });
            it = present ? std::next(it) : m_features.erase(it);
        }
    }
    return result;
}

QString SdlGamepads::versions()
{
    SDL_version compiled;
    SDL_version linked;
    SDL_VERSION(&compiled);
    SDL_GetVersion(&linked);
    return QStringLiteral("%1.%2.%3 (built with %4.%5.%6)")
        .arg(linked.major)
        .arg(linked.minor)
        .arg(linked.patch)
        .arg(compiled.major)
        .arg(compiled.minor)
        .arg(compiled.patch);
}
