// Development tool: renders the controller picture of the test view, at the window's
// design size, to PNG files, so that the drawings can be looked at and checked against
// the indicators laid over them.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/screenshot_controller [--out DIR]
//       [--glow COLOR] [--overlay]
//
// Writes controller-unfound.png (no gamepad), controller-front.png and controller-back.png
// (a few controls tested or held) into DIR (default: the current folder). --glow sets the
// glow colour (default #FFFFFF); --overlay draws the places where the layout puts each
// indicator, stick circle and dial ring as thin red, green and cyan outlines on top.
#include "startup.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QSurfaceFormat>

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder for the PNG files."),
                                       QStringLiteral("dir"), QDir::currentPath());
    const QCommandLineOption styleOption(QStringLiteral("glow"), QStringLiteral("Glow colour."),
                                         QStringLiteral("colour"), QStringLiteral("#FFFFFF"));
    const QCommandLineOption overlayOption(QStringLiteral("overlay"),
                                           QStringLiteral("Outline where the layout puts each indicator."));
    parser.addOptions({outOption, styleOption, overlayOption});
    parser.process(app);

    const QString out = QDir(parser.value(outOption)).absolutePath();
    if (!QDir().mkpath(out)) {
        qWarning("screenshot_controller: cannot make the folder %s", qPrintable(out));
        return 1;
    }

    QQuickView view;
    view.engine()->addImportPath(QStringLiteral(":/imports"));
    view.engine()->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    view.rootContext()->setContextProperty(QStringLiteral("outputFolder"), out);
    view.rootContext()->setContextProperty(QStringLiteral("styleColour"), parser.value(styleOption));
    view.rootContext()->setContextProperty(QStringLiteral("showOverlay"), parser.isSet(overlayOption));
    QObject::connect(view.engine(), &QQmlEngine::quit, &app, &QGuiApplication::quit);
    view.setSource(QUrl(QStringLiteral("qrc:/screenshot/screenshot.qml")));
    if (view.status() != QQuickView::Ready)
        return 1;
    view.show();
    return app.exec();
}
