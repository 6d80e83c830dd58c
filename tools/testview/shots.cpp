// Pictures of the controller test view for the documentation. A virtual pad plays every
// input once, so that every indicator shows "tested", then holds one input of each kind
// (a face button, two cross-pad directions with their diagonal, a bumper, a trigger, a
// stick off centre and the other stick's button), so that each kind also shows "testing".
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/testview_shots [OUTDIR]
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/testview_shots --wizard [OUTDIR]
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/testview_shots --wizard-steps OUTDIR
//
// Writes OUTDIR/controller-front.png and OUTDIR/controller-back.png (OUTDIR: docs). With
// --wizard, a joystick without a mapping is taken through the mapping wizard's first
// steps and OUTDIR/mapping-wizard.png shows it asking for the cross pad's left; with
// --wizard-steps, OUTDIR/wizard-00-health.png shows the pad health view with "Map…",
// then each step is skipped in turn and OUTDIR/wizard-NN-CONTROL.png shows where each
// control is lit, and OUTDIR/wizard-end.png the panel at the end.
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

// One use of a raw input, held for the wizard to see it, then let go (axes back to rest).
struct RawUse
{
    enum Kind { Button, Hat, Axis } kind;
    int index; // button or axis
    int value; // hat value, or where the axis goes
    int rest; // axis
};

void use(VirtualGamepad &pad, const RawUse &input)
{
    switch (input.kind) {
    case RawUse::Button: pad.setRawButton(input.index, true); break;
    case RawUse::Hat: pad.setHat(0, input.value); break;
    case RawUse::Axis: pad.setRawAxis(input.index, input.value); break;
    }
    pause(80);
    switch (input.kind) {
    case RawUse::Button: pad.setRawButton(input.index, false); break;
    case RawUse::Hat: pad.setHat(0, 0); break;
    case RawUse::Axis: pad.setRawAxis(input.index, input.rest); break;
    }
    pause(80);
}

bool save(QQuickView &window, const QString &path)
{
    if (!window.grabWindow().save(path)) {
        QTextStream(stderr) << "testview_shots: cannot write " << path << "\n";
        return false;
    }
    QTextStream(stdout) << path << "\n";
    return true;
}

// The wizard on a joystick of 14 buttons, 6 axes (triggers resting at -32768) and a hat.
int wizardShots(QQuickView &window, QObject *view, const QDir &outDir, bool everyStep)
{
    // A, B, X, Y, then the cross pad (a hat) up and down.
    const RawUse answers[] = {{RawUse::Button, 3, 0, 0}, {RawUse::Button, 1, 0, 0}, {RawUse::Button, 0, 0, 0},
                              {RawUse::Button, 2, 0, 0}, {RawUse::Hat, 0, 1, 0},    {RawUse::Hat, 0, 4, 0}};
    const int answerCount = int(sizeof(answers) / sizeof(answers[0]));
    VirtualGamepad pad;
    pad.setName(QStringLiteral("Joyvant Odd Pad"));
    pad.setGameController(false);
    pad.setRawLayout(14, 6, 1);
    pad.setRawAxisRest(4, -32768);
    pad.setRawAxisRest(5, -32768);
    if (!pad.attach())
        return 1;
    auto *wizard = view->property("mappingWizard").value<QObject *>();
    if (everyStep) {
        view->setProperty("healthChosen", true);
        if (!waitFor([&] { return view->property("unmappedPads").toList().size() == 1; }, 5000))
            return 1;
        pause(500);
        if (!save(window, outDir.filePath(QStringLiteral("wizard-00-health.png"))))
            return 1;
    }
    QMetaObject::invokeMethod(view, "startMapping", Q_ARG(QVariant, pad.deviceId()));
    // Phase 2: asking.
    if (!wizard || !waitFor([&] { return wizard->property("phase").toInt() == 2; }, 5000)) {
        QTextStream(stderr) << "testview_shots: the wizard never asked\n";
        return 1;
    }
    if (everyStep) {
        const int steps = wizard->property("stepCount").toInt();
        for (int step = 0; step < steps; ++step) {
            pause(700); // the side's fade
            const QString name = QStringLiteral("wizard-%1-%2.png")
                                     .arg(step + 1, 2, 10, QLatin1Char('0'))
                                     .arg(wizard->property("control").toString());
            if (!save(window, outDir.filePath(name)))
                return 1;
            // The first steps answered, so the end has a line to show; the rest skipped.
            if (step < answerCount)
                use(pad, answers[step]);
            else
                QMetaObject::invokeMethod(wizard, "skip");
            if (!waitFor([&] { return wizard->property("stepIndex").toInt() == step + 1; }, 5000))
                return 1;
        }
        pause(500);
        return save(window, outDir.filePath(QStringLiteral("wizard-end.png"))) ? 0 : 1;
    }
    for (const RawUse &answer : answers)
        use(pad, answer);
    if (!waitFor([&] { return wizard->property("control").toString() == QLatin1String("dpleft"); }, 5000)) {
        QTextStream(stderr) << "testview_shots: the wizard did not take the answers\n";
        return 1;
    }
    // Held, not yet let go: the panel says what is held.
    pad.setHat(0, 8);
    pause(700);
    return save(window, outDir.filePath(QStringLiteral("mapping-wizard.png"))) ? 0 : 1;
}

int main(int argc, char *argv[])
{
    QSurfaceFormat::setDefaultFormat(joyvant::programSurfaceFormat());
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments().mid(1);
    const bool wizard = arguments.removeAll(QStringLiteral("--wizard")) > 0;
    const bool wizardSteps = arguments.removeAll(QStringLiteral("--wizard-steps")) > 0;
    const QDir outDir(arguments.value(0, QStringLiteral("docs")));
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
    if (wizard || wizardSteps)
        return wizardShots(window, view, outDir, wizardSteps);

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
