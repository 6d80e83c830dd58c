// Development tool: loads one QML document whose root is a window, with the program's
// resource bundle (qrc:/ documents, ":/imports") and modules, lets it run for a moment and
// saves a picture of the window, so that the look of a widget can be checked by eye.
//
//   qml_snapshot DOCUMENT.qml OUT.png [DELAY_MS]   (default delay 1000 ms)
#include "startup.h"

#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSurfaceFormat>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        err << "usage: qml_snapshot DOCUMENT.qml OUT.png [DELAY_MS]\n";
        return 2;
    }
    const QString output = args.at(2);
    bool delayOk = true;
    const int delay = args.size() > 3 ? args.at(3).toInt(&delayOk) : 1000;
    if (!delayOk || delay < 0) {
        err << "qml_snapshot: the delay must be a whole number of milliseconds\n";
        return 2;
    }

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(":/imports"));
    engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    engine.load(QUrl::fromLocalFile(args.at(1)));
    QQuickWindow *window = engine.rootObjects().isEmpty()
                               ? nullptr
                               : qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window) {
        err << "qml_snapshot: " << args.at(1) << " did not load as a window\n";
        return 1;
    }
    window->show();
    QTimer::singleShot(delay, window, [&app, window, output, &err]() {
        if (!window->grabWindow().save(output)) {
            err << "qml_snapshot: cannot write " << output << "\n";
            app.exit(1);
            return;
        }
        QTextStream(stdout) << output << "\n";
        app.exit(0);
    });
    return app.exec();
}
