// Screenshots of the dialogs as the program draws them, for looking at after a change.
//
//   cmake --build build --target dialog_shots
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/dialog_shots [OUTPUT_FOLDER]
//
// Writes about.png (the About window after its system scan) and settings.png (the
// settings dialog over a grey stand-in for the main screen, with the colour picker at
// the stand-in's style colour) into OUTPUT_FOLDER, by default the current folder.
// The documents come from the program's own resource bundle; the system information
// and tree view modules from build/bin.
#include "startup.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QSurfaceFormat>
#include <QUrl>

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());

    QGuiApplication app(argc, argv);
    const QString folder = QDir(app.arguments().value(1, QStringLiteral("."))).absolutePath();
    QDir().mkpath(folder);

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(":/imports"));
    engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    engine.rootContext()->setContextProperty(QStringLiteral("outputFolder"), folder);
    engine.load(QUrl(QStringLiteral("qrc:/shots/shots.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
