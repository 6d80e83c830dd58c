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
#include <QScreen>
#include <QSurfaceFormat>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

// Watches the application's windows until the first top-level one is shown. Its show
// event comes after Qt applied -qwindowgeometry and before the window system is asked to
// show the window, so a fitted geometry is the first one the renderer sees.
class FirstWindowClamp : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWindowType())
            return false;
        auto *window = static_cast<QWindow *>(watched);
        if (!window->isTopLevel() || window->type() != Qt::Window)
            return false;
        QRect screens;
        const QList<QScreen *> all = QGuiApplication::screens();
        for (QScreen *screen : all)
            screens |= screen->geometry();
        const QRect requested = window->geometry();
        const QRect fitted = clampedWindowGeometry(requested, screens);
        if (fitted != requested) {
            qWarning().nospace() << "Window geometry " << requested.width() << "x" << requested.height() << "+"
                                 << requested.x() << "+" << requested.y() << " is larger than the screens ("
                                 << screens.width() << "x" << screens.height() << "), reduced to " << fitted.width()
                                 << "x" << fitted.height() << "+" << fitted.x() << "+" << fitted.y();
            window->setGeometry(fitted);
        }
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
        return false;
    }
};

} // namespace

QRect clampedWindowGeometry(const QRect &requested, const QRect &screens)
{
    if (screens.isEmpty() || (requested.width() <= screens.width() && requested.height() <= screens.height()))
        return requested;
    QRect fitted(requested.topLeft(),
                 QSize(qMin(requested.width(), screens.width()), qMin(requested.height(), screens.height())));
    fitted.moveLeft(qBound(screens.left(), fitted.left(), screens.right() - fitted.width() + 1));
    fitted.moveTop(qBound(screens.top(), fitted.top(), screens.bottom() - fitted.height() + 1));
    return fitted;
}

void trimHeapPeriodically(QObject *owner)
{
#if defined(__GLIBC__)
    auto *timer = new QTimer(owner);
    timer->setInterval(15000);
    QObject::connect(timer, &QTimer::timeout, timer, [] { malloc_trim(0); });
    timer->start();
#else
    Q_UNUSED(owner)
#endif
}

void clampFirstWindowToScreens(QGuiApplication &app)
{
    app.installEventFilter(new FirstWindowClamp(&app));
}

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

void prepareApplication()
{
    QSurfaceFormat::setDefaultFormat(programSurfaceFormat());
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
}

void prepareEngine(QQmlApplicationEngine &engine, const QString &programDirectory)
{
    engine.addImportPath(QStringLiteral(":/imports"));
    engine.rootContext()->setContextProperty(QStringLiteral("joyvantSceneList"),
                                             sceneListUrl(QDir::currentPath(), programDirectory));
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

    prepareApplication();
    qDebug() << "Surfrace format:" << QSurfaceFormat::defaultFormat();

    QGuiApplication app(argc, argv);
    app.setApplicationVersion(QStringLiteral(JOYVANT_VERSION)); // shown in the About dialog
    clampFirstWindowToScreens(app);
    trimHeapPeriodically(&app);
    installInterfaceTranslation(app, QLocale::system());
    // Declared after the application, so it is destroyed before it.
    QQmlApplicationEngine engine;
    prepareEngine(engine, QCoreApplication::applicationDirPath());
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
