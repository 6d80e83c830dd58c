// Qt Quick Test runner with the program's resource bundle linked in, so tests can
// import "qrc:/" documents and the nimbo4 module exactly as the program sees them.
#include "logcapture.h"
#include "startup.h"
#include "systeminput.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QSurfaceFormat>
#include <QtQuickTest>

class RunnerSetup : public QObject
{
    Q_OBJECT
public:
    RunnerSetup()
    {
        // The program's graphics set-up: shaders are compiled as they will be there.
        QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    }

public slots:
    void applicationAvailable()
    {
        qmlRegisterSingletonType<LogCapture>("JoyvantTest.Log", 1, 0, "LogCapture",
                                             [](QQmlEngine *, QJSEngine *) -> QObject * { return new LogCapture; });
        qmlRegisterSingletonType<SystemInput>("JoyvantTest.Input", 1, 0, "SystemInput",
                                              [](QQmlEngine *, QJSEngine *) -> QObject * { return new SystemInput; });
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral(":/imports"));
        engine->addImportPath(QStringLiteral(JOYVANT_TEST_QML_DIR));
        engine->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        engine->rootContext()->setContextProperty(QStringLiteral("joyvantSourceDir"),
                                                  QStringLiteral(JOYVANT_SOURCE_DIR));
        engine->rootContext()->setContextProperty(QStringLiteral("joyvantTestDataDir"),
                                                  QStringLiteral(JOYVANT_TEST_DATA_DIR));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(joyvant, RunnerSetup)

#include "qmltestrunner.moc"
