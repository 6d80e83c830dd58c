// Pictures of the controller test view for the documentation. A virtual pad plays every
// input once, so that every indicator shows "tested", then holds one input of each kind
// (a face button, two cross-pad directions with their diagonal, a bumper, a trigger, a
// stick off centre and the other stick's button), so that each kind also shows "testing".
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/testview_shots [OUTDIR]
//
// Writes OUTDIR/controller-front.png and OUTDIR/controller-back.png (OUTDIR: docs).
#include "startup.h"
#include "eventwait.h"
#include "virtualgamepad.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSurfaceFormat>
#include <QTextStream>
#include <QTimer>

#include <cmath>
#include <functional>

using joyvant::test::VirtualGamepad;
using joyvant::test::pause;
using joyvant::test::tap;
using joyvant::test::waitFor;

namespace {

constexpr double kPi = 3.14159265358979323846;

int stickValue(double v)
{
    return int(std::lround(qBound(-1.0, v, 1.0) * (v < 0 ? 32768.0 : 32767.0)));
}

// Round the whole range: a circle pushed out to the square, so that the stick reaches full
// deflection on both axes on every side.
void sweepStick(VirtualGamepad &pad, VirtualGamepad::Axis x, VirtualGamepad::Axis y)
{
    const int steps = 64;
    for (int step = 0; step <= steps; ++step) {
        const double angle = 2.0 * kPi * step / steps;
        pad.setAxis(x, stickValue(1.3 * std::cos(angle)));
        pad.setAxis(y, stickValue(1.3 * std::sin(angle)));
        pause(30);
    }
    pad.setAxis(x, 0);
    pad.setAxis(y, 0);
    pause(30);
}

void pull(VirtualGamepad &pad, VirtualGamepad::Axis trigger)
{
    pad.setAxis(trigger, 32767);
    pause(60);
    pad.setAxis(trigger, 0);
    pause(60);
}

} // namespace

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QDir outDir(app.arguments().value(1, QStringLiteral("docs")));
    if (!outDir.exists()) {
        err << "testview_shots: no folder " << outDir.path() << "\n";
        return 2;
    }

    QQuickView window;
    window.engine()->addImportPath(QStringLiteral(":/imports"));
    window.engine()->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    window.setSource(QUrl(QStringLiteral("qrc:/testview/shots.qml")));
    QQuickItem *root = window.rootObject();
    QObject *view = root ? root->property("view").value<QObject *>() : nullptr;
    if (!view) {
        err << "testview_shots: the test view did not load\n";
        return 1;
    }
    window.show();

    VirtualGamepad pad;
    if (!pad.attach())
        return 1;
    if (!waitFor([&] { return view->property("currentDeviceId").toInt() == pad.deviceId(); }, 5000)) {
        err << "testview_shots: the view never took the virtual pad\n";
        return 1;
    }

    // Every input once.
    using B = VirtualGamepad;
    tap(pad, {B::ButtonA, B::ButtonB, B::ButtonX, B::ButtonY, B::ButtonBack, B::ButtonStart});
    tap(pad, {B::ButtonDpadUp});
    tap(pad, {B::ButtonDpadDown});
    tap(pad, {B::ButtonDpadLeft});
    tap(pad, {B::ButtonDpadRight});
    tap(pad, {B::ButtonDpadUp, B::ButtonDpadLeft});
    tap(pad, {B::ButtonDpadUp, B::ButtonDpadRight});
    tap(pad, {B::ButtonDpadDown, B::ButtonDpadLeft});
    tap(pad, {B::ButtonDpadDown, B::ButtonDpadRight});
    tap(pad, {B::ButtonLeftShoulder, B::ButtonRightShoulder, B::ButtonLeftStick, B::ButtonRightStick});
    pull(pad, B::AxisTriggerLeft);
    pull(pad, B::AxisTriggerRight);
    sweepStick(pad, B::AxisLeftX, B::AxisLeftY);
    sweepStick(pad, B::AxisRightX, B::AxisRightY);

    // One of each kind held.
    pad.setButton(B::ButtonB, true);
    pad.setButton(B::ButtonDpadDown, true);
    pad.setButton(B::ButtonDpadRight, true);
    pad.setButton(B::ButtonRightShoulder, true);
    pad.setButton(B::ButtonRightStick, true);
    pad.setAxis(B::AxisTriggerLeft, 16384);
    pad.setAxis(B::AxisLeftX, stickValue(0.55));
    pad.setAxis(B::AxisLeftY, stickValue(-0.4));
    pause(1200); // the ripple and the connect pulse run out

    const QString front = outDir.filePath(QStringLiteral("controller-front.png"));
    if (!window.grabWindow().save(front)) {
        err << "testview_shots: cannot write " << front << "\n";
        return 1;
    }
    out << front << "\n";

    view->setProperty("backChosen", true);
    pause(1000); // the turn's fade
    const QString back = outDir.filePath(QStringLiteral("controller-back.png"));
    if (!window.grabWindow().save(back)) {
        err << "testview_shots: cannot write " << back << "\n";
        return 1;
    }
    out << back << "\n";
    pad.detach();
    return 0;
}
