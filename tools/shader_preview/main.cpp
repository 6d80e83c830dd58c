// Development tool: runs one scene shader in a window with the scene host's inputs,
// under the same OpenGL 3.3 core profile as the program. See preview.qml for options.
#include "startup.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QSurfaceFormat>

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());

    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("previewArguments"), app.arguments());
    engine.load(QUrl(QStringLiteral("qrc:/preview.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
