// The start-up function, in process: a root document that cannot be created ends the
// event loop with -1, Qt.quit() from QML with 0.
#include "startup.h"

#include <QFile>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void missingRootDocumentExitsWithMinusOne()
    {
        int argc = 1;
        char name[] = "tst_startup";
        char *argv[] = {name, nullptr};
        QCOMPARE(joyvant::runApplication(argc, argv, QStringLiteral("qrc:/no-such-document.qml")), -1);

        // The default format was fixed before the application existed.
        const QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        QCOMPARE(format.renderableType(), QSurfaceFormat::OpenGL);
        QCOMPARE(format.profile(), QSurfaceFormat::CoreProfile);
        QCOMPARE(format.majorVersion(), 3);
        QCOMPARE(format.minorVersion(), 3);
    }

    void quitFromQmlExitsWithZero()
    {
        QTemporaryDir dir;
        QFile document(dir.filePath(QStringLiteral("quits.qml")));
        QVERIFY(document.open(QIODevice::WriteOnly));
        // The bundle's shared module must be importable from the root document.
        document.write("import QtQuick 2.15\nimport nimbo4 1.0\n"
                       "Item { Component.onCompleted: if (Constants.width === 1280) Qt.quit() }\n");
        document.close();

        int argc = 1;
        char name[] = "tst_startup";
        char *argv[] = {name, nullptr};
        QCOMPARE(joyvant::runApplication(argc, argv, QUrl::fromLocalFile(document.fileName()).toString()), 0);
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
