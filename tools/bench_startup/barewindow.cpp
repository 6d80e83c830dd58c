// bench_startup_bare: the baseline of the start-up benchmark. A bare Qt Quick Controls 2
// window set up as the program sets up its own (surface format, high-DPI scaling, one
// QML engine): frameless, 1280 x 800, one line of CJK text. It reports its first
// buffer swap through the same hook as the program (see host/frametime.h).

#include "frametime.h"
#include "startup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QSurfaceFormat>

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    joyvant::reportFirstFrame(&engine);
    engine.loadData("import QtQuick 2.15\n"
                    "import QtQuick.Controls 2.15\n"
                    "ApplicationWindow {\n"
                    "    width: 1280; height: 800; visible: true\n"
                    "    flags: Qt.Window | Qt.FramelessWindowHint\n"
                    "    Label { anchors.centerIn: parent; text: \"\\u624b\\u67c4\\u6d4b\\u8bd5\\uff0c\\u51c6\\u5907\\u5c31\\u7eea\" }\n"
                    "}\n");
    if (engine.rootObjects().isEmpty())
        return -1;
    return app.exec();
}
