#include "startup.h"

#include "filelog.h"
#include "frametime.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QSurfaceFormat>
#include <QUrl>

namespace joyvant {

namespace {

bool fileLoggingRequested()
{
    // Only the exact entry switches logging on: "JOYVANT_LOGTOFILE=1 ", "=true" or
    // another letter case do not.
    const QStringList environment = QProcess::systemEnvironment();
    for (const QString &entry : environment) {
        if (entry == QLatin1String("JOYVANT_LOGTOFILE=1"))
            return true;
    }
    return false;
}

} // namespace

QSurfaceFormat programSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setVersion(3, 3);
    return format;
}

int runApplication(int &argc, char **argv, const QString &rootUrl)
{
    if (fileLoggingRequested()) {
        createPath(QDir::currentPath() + QStringLiteral("/log"));
        qInstallMessageHandler(fileMessageHandler);
    }

    QSurfaceFormat::setDefaultFormat(programSurfaceFormat());
    qDebug() << "Surfrace format:" << QSurfaceFormat::defaultFormat();

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    QGuiApplication app(argc, argv);
    app.setApplicationVersion(QStringLiteral(JOYVANT_VERSION)); // shown in the About dialog
    // Declared after the application, so it is destroyed before it.
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(":/imports"));

    const QUrl url(rootUrl, QUrl::TolerantMode);
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [url](QObject *object, const QUrl &objectUrl) {
            if (!object && url == objectUrl)
                QCoreApplication::exit(-1);
        },
        Qt::QueuedConnection);
    QObject::connect(&engine, &QQmlEngine::quit, QCoreApplication::instance(), &QCoreApplication::quit);
    reportFirstFrame(&engine);

    engine.load(url);
    return app.exec();
}

} // namespace joyvant
