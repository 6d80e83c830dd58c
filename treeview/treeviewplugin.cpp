#include "treeview.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

class TreeViewPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        Q_ASSERT(QLatin1String(uri) == QLatin1String("com.corvane.treeview"));
        qmlRegisterType<TreeView>(uri, 1, 0, "TreeView");
        qmlRegisterUncreatableType<TreeStyleHints>(
            uri, 1, 0, "TreeStyleHints", QStringLiteral("TreeStyleHints is the styleHints group of TreeView"));
        qmlRegisterUncreatableType<FlatTreeModel>(uri, 1, 0, "FlatTreeModel",
                                                  QStringLiteral("FlatTreeModel belongs to a TreeView"));
    }
};

#include "treeviewplugin.moc"
