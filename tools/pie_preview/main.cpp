// Development tool: shows the pie menu of the bundle open, as the bottom area holds it,
// and can save a picture of it. See preview.qml for the options.
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
    engine.load(QUrl(QStringLiteral("qrc:/tools/pie_preview.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
