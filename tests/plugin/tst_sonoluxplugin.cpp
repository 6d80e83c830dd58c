// Loading the com.corvane.multimedia module from build/bin through real QML engines.

#include <QDir>
#include <QJsonObject>
#include <QPluginLoader>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QScopedPointer>
#include <QtTest>

class TestSonoluxPlugin : public QObject
{
    Q_OBJECT

private:
    static QString moduleDir() { return QStringLiteral(JOYVANT_BIN_DIR "/com/corvane/multimedia"); }

    static QString libraryPath()
    {
        const QStringList libraries = QDir(moduleDir()).entryList({QStringLiteral("*sonolux*")}, QDir::Files);
        return libraries.isEmpty() ? QString() : QDir(moduleDir()).filePath(libraries.first());
    }

    // Creates a Sonolux in `engine` and checks it came up as the plug-in's type.
    static QObject *createItem(QQmlEngine &engine)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.15\n"
                          "import com.corvane.multimedia 1.0\n"
                          "Sonolux { loops: -1 }\n",
                          QUrl());
        QObject *object = component.create();
        if (!object)
            qWarning() << component.errors();
        return object;
    }

private slots:
    void moduleLaidOut()
    {
        QVERIFY(QFile::exists(moduleDir() + QStringLiteral("/qmldir")));
        QVERIFY2(!libraryPath().isEmpty(), "no plug-in library next to the qmldir");

        QPluginLoader loader(libraryPath());
        const QJsonObject metaData = loader.metaData();
        QCOMPARE(metaData.value(QStringLiteral("IID")).toString(),
                 QStringLiteral("org.qt-project.Qt.QQmlExtensionInterface/1.0"));
        QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("SonoluxPlugin"));
    }

    void importMakesSonoluxCreatable()
    {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QScopedPointer<QObject> item(createItem(engine));
        QVERIFY(item);
        QCOMPARE(item->metaObject()->className(), "Sonolux");
        QVERIFY(item->inherits("QQuickItem"));
        QCOMPARE(item->property("loops").toInt(), -1);
        QVERIFY(item->metaObject()->indexOfProperty("videoSurface") >= 0);

        // A version the module does not have is refused.
        QQmlComponent wrongVersion(&engine);
        wrongVersion.setData("import com.corvane.multimedia 2.0\nSonolux {}\n", QUrl());
        QVERIFY(wrongVersion.isError());
    }

    void twoEnginesShareOnePlugin()
    {
        QQmlEngine first;
        first.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QScopedPointer<QObject> firstItem(createItem(first));
        QVERIFY(firstItem);

        QQmlEngine second;
        second.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QScopedPointer<QObject> secondItem(createItem(second));
        QVERIFY(secondItem);
        QCOMPARE(firstItem->metaObject(), secondItem->metaObject());

        // The engines loaded this very library; its instance is the one plug-in object,
        // and the engine that loaded it handed it the module's folder.
        QPluginLoader loader(libraryPath());
        QVERIFY(loader.isLoaded());
        QObject *instance = loader.instance();
        QVERIFY(instance);
        QCOMPARE(instance->metaObject()->className(), "SonoluxPlugin");
        auto *plugin = qobject_cast<QQmlExtensionPlugin *>(instance);
        QVERIFY(plugin);
        QCOMPARE(QDir(plugin->baseUrl().toLocalFile()).canonicalPath(), QDir(moduleDir()).canonicalPath());
        QPluginLoader another(libraryPath());
        QCOMPARE(another.instance(), instance);
    }
};

QTEST_MAIN(TestSonoluxPlugin)

#include "tst_sonoluxplugin.moc"
