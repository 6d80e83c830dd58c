// The README's picture of the whole program: the first scene of the shipped list behind the
// front of the controller, a virtual pad connected and played, and the pie menu opened with
// Select and Start held together, its "play" sector chosen with the right stick.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/program_shot [FILE]
//
// Loads the program's root document (qrc:/nimbo4.qml) in the program's folder, where the
// program finds scenes.json, and writes FILE (default docs/screenshot.png).
#include "startup.h"
#include "eventwait.h"
#include "virtualgamepad.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSurfaceFormat>
#include <QTextStream>
#include <QTimer>

#include <functional>

using joyvant::test::VirtualGamepad;
using joyvant::test::pause;
using joyvant::test::tap;
using joyvant::test::waitFor;

namespace {

// The main screen is the item in the window that has the screen's actions.
QQuickItem *mainScreenIn(QQuickItem *item)
{
    if (item->property("actionFullScreen").isValid())
        return item;
    const QList<QQuickItem *> items = item->childItems();
    for (QQuickItem *child : items) {
        if (QQuickItem *found = mainScreenIn(child))
            return found;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString file = QFileInfo(app.arguments().value(1, QStringLiteral("docs/screenshot.png"))).absoluteFilePath();
    if (!QDir::setCurrent(QStringLiteral(JOYVANT_BIN_DIR))) {
        err << "program_shot: no program folder " << JOYVANT_BIN_DIR << "\n";
        return 1;
    }

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(":/imports"));
    engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    engine.load(QUrl(QStringLiteral("qrc:/nimbo4.qml")));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    QQuickItem *main = window ? mainScreenIn(window->contentItem()) : nullptr;
    QObject *test = main ? main->property("test").value<QObject *>() : nullptr;
    QObject *menu = main ? main->property("pieMenu").value<QObject *>() : nullptr;
    if (!test || !menu) {
        err << "program_shot: the main screen did not load\n";
        return 1;
    }
    if (main->property("scenes").value<QObject *>()->property("count").toInt() == 0) {
        err << "program_shot: no scenes in " << JOYVANT_BIN_DIR << "/scenes.json\n";
        return 1;
    }

    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    if (!waitFor([&] { return test->property("currentDeviceId").toInt() == pad.deviceId(); }, 5000)) {
        err << "program_shot: the test view never took the virtual pad\n";
        return 1;
    }
    pause(700); // the connect pulse

    // A few controls tested, so the picture shows all three looks.
    using B = VirtualGamepad;
    tap(pad, {B::ButtonA, B::ButtonY, B::ButtonDpadUp, B::ButtonLeftShoulder});
    pad.setAxis(B::AxisTriggerRight, 32767);
    pause(120);
    pad.setAxis(B::AxisTriggerRight, 0);
    pad.setButton(B::ButtonX, true);
    pad.setAxis(B::AxisTriggerLeft, 20000);
    pad.setAxis(B::AxisLeftX, -20000);
    pad.setAxis(B::AxisLeftY, 12000);

    // Select and Start together open the menu; the right stick up picks "play".
    pad.setButton(B::ButtonBack, true);
    pad.setButton(B::ButtonStart, true);
    if (!waitFor([&] { return menu->property("state").toString() == QLatin1String("active"); }, 3000)) {
        err << "program_shot: the pie menu did not open\n";
        return 1;
    }
    pad.setButton(B::ButtonBack, false);
    pad.setButton(B::ButtonStart, false);
    pad.setAxis(B::AxisRightX, 0);
    pad.setAxis(B::AxisRightY, -32768);
    pause(1500); // the menu's fade and the dial ripple

    if (!window->grabWindow().save(file)) {
        err << "program_shot: cannot write " << file << "\n";
        return 1;
    }
    out << file << "\n";
    pad.detach();
    return 0;
}
