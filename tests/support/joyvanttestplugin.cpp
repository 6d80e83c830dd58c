#include "virtualgamepad.h"

#include <QQmlExtensionPlugin>
#include <qqml.h>

// "JoyvantTest": helpers that QML tests need and the program must never see.
class JoyvantTestPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterType<joyvant::test::VirtualGamepad>(uri, 1, 0, "VirtualGamepad");
    }
};

#include "joyvanttestplugin.moc"
