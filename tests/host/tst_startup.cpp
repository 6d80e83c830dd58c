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
    void windowGeometryFitsTheScreens_data()
    {
        QTest::addColumn<QRect>("requested");
        QTest::addColumn<QRect>("screens");
        QTest::addColumn<QRect>("expected");
        const QRect fullHd(0, 0, 1920, 1080);
        QTest::newRow("fits") << QRect(10, 20, 1280, 800) << fullHd << QRect(10, 20, 1280, 800);
        QTest::newRow("fits, partly off the screens")
            << QRect(1800, 900, 1280, 800) << fullHd << QRect(1800, 900, 1280, 800);
        QTest::newRow("exactly the screens") << fullHd << fullHd << fullHd;
        QTest::newRow("100000 x 100000") << QRect(0, 0, 100000, 100000) << fullHd << fullHd;
        QTest::newRow("too wide only") << QRect(100, 200, 5000, 600) << fullHd << QRect(0, 200, 1920, 600);
        QTest::newRow("too high, far away") << QRect(50000, 50000, 800, 4000) << fullHd << QRect(1120, 0, 800, 1080);
        QTest::newRow("negative place") << QRect(-70000, -70000, 100000, 100000) << fullHd << fullHd;
        QTest::newRow("two screens side by side")
            << QRect(0, 0, 8000, 8000) << QRect(0, 0, 3840, 1080) << QRect(0, 0, 3840, 1080);
        QTest::newRow("screens left of the origin")
            << QRect(0, 0, 9000, 900) << QRect(-1920, 0, 3840, 1080) << QRect(-1920, 0, 3840, 900);
        QTest::newRow("no screens") << QRect(0, 0, 100000, 100000) << QRect() << QRect(0, 0, 100000, 100000);
    }

    void windowGeometryFitsTheScreens()
    {
        QFETCH(QRect, requested);
        QFETCH(QRect, screens);
        QFETCH(QRect, expected);
        QCOMPARE(joyvant::clampedWindowGeometry(requested, screens), expected);
    }

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
