#include "gamepad.h"
#include "gamepadmanager.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

// The "QtGamepad" module: game controllers through SDL's game-controller API.
class QtGamepadPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char *uri) override
    {
        // Registered once at 1.0, with the module's versions reaching up to 1.15: a
        // second registration of the singleton would give each version its own instance.
        qmlRegisterSingletonType<joyvant::GamepadManager>(
            uri, 1, 0, "GamepadManager",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new joyvant::GamepadManager; });
        qmlRegisterType<joyvant::Gamepad>(uri, 1, 0, "Gamepad");
        qmlRegisterModule(uri, 1, 15);
    }
};

#include "gamepadplugin.moc"
