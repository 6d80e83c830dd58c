#include "sysinfo.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

class SysInfoPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        Q_ASSERT(QLatin1String(uri) == QLatin1String("com.corvane.system"));
        qmlRegisterSingletonType<SysInfo>(uri, 1, 0, "SysInfo",
                                          [](QQmlEngine *, QJSEngine *) -> QObject * { return new SysInfo; });
    }
};

#include "sysinfoplugin.moc"
