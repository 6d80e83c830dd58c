#include "startup.h"

#include "commandline.h"
#include "filelog.h"
#include "frametime.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
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

QUrl sceneListUrl(const QString &workingDirectory, const QString &programDirectory)
{
    // The user's own list in the working directory wins; otherwise the one installed
    // beside the program. Neither there: the working directory's name, so the failure
    // to read it is reported as it always was.
    const QString own = QDir(workingDirectory).filePath(QStringLiteral("scenes.json"));
    if (QFileInfo(own).isFile())
        return QUrl::fromLocalFile(own);
    const QString shipped = QDir(programDirectory).filePath(QStringLiteral("scenes.json"));
    if (!programDirectory.isEmpty() && QFileInfo(shipped).isFile())
        return QUrl::fromLocalFile(shipped);
    return QUrl(QStringLiteral("file:scenes.json"));
}

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
    CommandLine commandLine;
    const int early = handleCommandLine(argc, argv, &commandLine);
    if (early >= 0)
        return early;

    if (fileLoggingRequested()) {
        createPath(QDir::currentPath() + QStringLiteral("/log"));
        qInstallMessageHandler(fileMessageHandler);
    }

    QSurfaceFormat::setDefaultFormat(programSurfaceFormat());
    qDebug() << "Surfrace format:" << QSurfaceFormat::defaultFormat();

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    QGuiApplication app(argc, argv);
    app.setApplicationVersion(QStringLiteral(JOYVANT_VERSION)); // shown in the About dialog
    installInterfaceTranslation(app, QLocale::system());
    // Declared after the application, so it is destroyed before it.
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(":/imports"));
    engine.rootContext()->setContextProperty(
        QStringLiteral("joyvantSceneList"),
        sceneListUrl(QDir::currentPath(), QCoreApplication::applicationDirPath()));
    engine.rootContext()->setContextProperty(QStringLiteral("joyvantSceneScale"), commandLine.sceneScale);

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
