#include "fileguard.h"
#include "fileio.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

class FileIoPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        Q_ASSERT(QLatin1String(uri) == QLatin1String("com.corvane.io"));
        qmlRegisterType<FileIo>(uri, 1, 0, "FileIo");
        qmlRegisterSingletonType<FileGuard>(uri, 1, 0, "FileGuard",
                                            [](QQmlEngine *, QJSEngine *) -> QObject * { return new FileGuard; });
    }
};

#include "fileioplugin.moc"
