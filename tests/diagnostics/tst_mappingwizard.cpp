// The mapping wizard on the real gamepad back end, driven by SDL virtual joysticks laid
// out unlike any standard pad. Each change is set on the joystick and delivered by one
// round of the backend's pump, after which the wizard has seen it.
#include "gamepad.h"
#include "gamepadbackend.h"
#include "gamepadmanager.h"
#include "mappingwizard.h"
#include "padmappings.h"
#include "padtesthelpers.h"
#include "virtualgamepad.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>
#include <memory>

using joyvant::GamepadBackend;
using joyvant::MappingWizard;
using joyvant::test::VirtualGamepad;
using joyvant::test::guidOf;
using joyvant::test::readFile;
using joyvant::test::writeFile;

namespace {

QString platform()
{
    return QStringLiteral("platform:") + QString::fromUtf8(SDL_GetPlatform()) + QLatin1Char(',');
}

// A joystick SDL has no mapping for, and the wizard on it.
struct Rig
{
    QSharedPointer<GamepadBackend> backend = GamepadBackend::instance();
    VirtualGamepad pad;
    MappingWizard wizard;

    // Buttons, axes and one hat; axes 4 and 5 rest at the given values.
    bool attach(const QString &name, int buttons, int axis4Rest, int axis5Rest)
    {
        pad.setName(name);
        pad.setGameController(false);
        pad.setRawLayout(buttons, 6, 1);
        pad.setRawAxisRest(4, axis4Rest);
        pad.setRawAxisRest(5, axis5Rest);
        if (!pad.attach())
            return false;
        backend->pump();
        wizard.setDeviceId(pad.deviceId());
        return !backend->hasDevice(pad.deviceId());
    }
    // Starts the wizard and lets it take the rest positions.
    bool start()
    {
        if (!wizard.start() || wizard.phase() != MappingWizard::Starting)
            return false;
        backend->pump();
        return wizard.phase() == MappingWizard::Asking;
    }
    void tap(int button)
    {
        pad.setRawButton(button, true);
        backend->pump();
        pad.setRawButton(button, false);
        backend->pump();
    }
    void hat(int value)
    {
        pad.setHat(0, value);
        backend->pump();
        pad.setHat(0, 0);
        backend->pump();
    }
    void swing(int axis, int to, int rest)
    {
        pad.setRawAxis(axis, to);
        backend->pump();
        pad.setRawAxis(axis, rest);
        backend->pump();
    }
    void skipTo(const QString &control)
    {
        while (wizard.phase() == MappingWizard::Asking && wizard.control() != control)
            wizard.skip();
    }
};

constexpr int Low = -32768;
constexpr int High = 32767;

} // namespace

class TestMappingWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        m_userFile = m_config.filePath(QStringLiteral("joyvant/gamecontrollerdb.txt"));
    }

    void cleanup() { QFile::remove(m_userFile); }

    // Cross pad on a hat, an inverted vertical axis, triggers resting at -32768, face
    // buttons shuffled, no Guide: walked through, applied, and used as a controller.
    void oddPadWalkedThrough()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Odd Pad, Mk II"), 14, Low, Low));
        const int id = rig.pad.deviceId();
        joyvant::GamepadManager manager;
        joyvant::Gamepad gamepad;
        gamepad.setDeviceId(id);

        QVERIFY(rig.start());
        QVERIFY(!rig.wizard.isRemapping());
        QCOMPARE(rig.wizard.padName(), QStringLiteral("Joyvant Odd Pad Mk II"));
        // The triggers' rest at -32768 is no press.
        rig.backend->pump();
        QCOMPARE(rig.wizard.stepIndex(), 0);
        QCOMPARE(rig.wizard.control(), QStringLiteral("a"));
        QCOMPARE(rig.wizard.picture(), QStringLiteral("front"));
        QVERIFY(!rig.wizard.isOptional());
        QVERIFY(!rig.wizard.prompt().isEmpty());

        for (int button : {3, 1, 0, 2})
            rig.tap(button);
        for (int hat : {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT})
            rig.hat(hat);
        QCOMPARE(rig.wizard.control(), QStringLiteral("leftshoulder"));
        QCOMPARE(rig.wizard.picture(), QStringLiteral("back"));
        rig.tap(4);
        rig.tap(5);
        QCOMPARE(rig.wizard.control(), QStringLiteral("lefttrigger"));
        rig.swing(4, High, Low);
        rig.swing(5, High, Low);
        for (int button : {8, 9, 6})
            rig.tap(button);
        QCOMPARE(rig.wizard.control(), QStringLiteral("guide"));
        rig.wizard.skip();
        rig.tap(7);
        QCOMPARE(rig.wizard.control(), QStringLiteral("leftx"));
        rig.swing(0, Low, 0);
        rig.swing(1, High, 0); // this pad's up is positive
        rig.swing(2, Low, 0);
        rig.swing(3, Low, 0);
        QCOMPARE(rig.wizard.control(), QStringLiteral("misc1"));
        QVERIFY(rig.wizard.isOptional());
        rig.tap(12);
        QCOMPARE(rig.wizard.picture(), QStringLiteral("back")); // the paddles
        while (rig.wizard.phase() == MappingWizard::Asking)
            rig.wizard.skip();
        QVERIFY(rig.wizard.isFinished());
        QCOMPARE(rig.wizard.stepIndex(), MappingWizard::stepCount());
        QCOMPARE(rig.wizard.control(), QString());

        const QString expected = guidOf(rig.pad)
            + QStringLiteral(",Joyvant Odd Pad Mk II,a:b3,b:b1,x:b0,y:b2,dpup:h0.1,dpdown:h0.4,dpleft:h0.8,"
                             "dpright:h0.2,leftshoulder:b4,rightshoulder:b5,lefttrigger:a4,righttrigger:a5,"
                             "leftstick:b8,rightstick:b9,back:b6,start:b7,leftx:a0,lefty:a1~,rightx:a2,righty:a3,"
                             "misc1:b12,")
            + platform();
        QCOMPARE(rig.wizard.mappingLine(), expected);
        QCOMPARE(joyvant::PadMappings().checkMapping(expected), QString());

        // Apply: a game controller at once, whose A is raw button 3.
        QVERIFY2(rig.wizard.apply(), qPrintable(rig.wizard.message()));
        QTRY_VERIFY(manager.connectedGamepads().contains(id));
        QVERIFY(gamepad.isConnected());
        rig.pad.setRawButton(3, true);
        rig.pad.setRawAxis(1, High);
        rig.pad.setRawAxis(4, High);
        rig.backend->pump();
        QVERIFY(gamepad.buttonA());
        QVERIFY(!gamepad.buttonB());
        QVERIFY(gamepad.axisLeftY() < -0.99);
        QVERIFY(gamepad.buttonL2() > 0.99);
        rig.pad.setRawAxis(4, Low);
        rig.backend->pump();
        QCOMPARE(gamepad.buttonL2(), 0.0);
        QVERIFY(!QFile::exists(m_userFile)); // applying saves nothing

        // Copy puts the same line on the clipboard.
        QVERIFY(rig.wizard.copy());
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void detects_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("kind"); // "button", "hat" or "axis"
        QTest::addColumn<int>("index"); // button or axis; the hat's value
        QTest::addColumn<int>("value"); // where the axis goes
        QTest::addColumn<QString>("source");
        // Axis 4 rests at -32768, axis 5 at 32767, the others at 0.
        QTest::newRow("button") << "a" << "button" << 5 << 0 << "b5";
        QTest::newRow("hat direction") << "dpleft" << "hat" << SDL_HAT_LEFT << 0 << "h0.8";
        QTest::newRow("upper half axis") << "dpright" << "axis" << 0 << High << "+a0";
        QTest::newRow("lower half axis") << "dpleft" << "axis" << 0 << Low << "-a0";
        QTest::newRow("just past half") << "dpright" << "axis" << 0 << 16384 << "+a0";
        QTest::newRow("axis resting low") << "lefttrigger" << "axis" << 4 << High << "a4";
        QTest::newRow("axis resting high") << "lefttrigger" << "axis" << 5 << Low << "a5~";
        QTest::newRow("resting low, past half") << "lefttrigger" << "axis" << 4 << 0 << "a4";
        QTest::newRow("centred axis as trigger") << "righttrigger" << "axis" << 3 << High << "+a3";
        QTest::newRow("button as trigger") << "righttrigger" << "button" << 2 << 0 << "b2";
        QTest::newRow("axis resting low as button") << "start" << "axis" << 4 << High << "a4";
        QTest::newRow("stick axis") << "leftx" << "axis" << 0 << Low << "a0";
        QTest::newRow("stick axis going positive") << "lefty" << "axis" << 1 << High << "a1~";
    }
    void detects()
    {
        QFETCH(QString, control);
        QFETCH(QString, kind);
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(QString, source);
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Detect Pad"), 8, Low, High));
        QVERIFY(rig.start());
        rig.skipTo(control);
        const int step = rig.wizard.stepIndex();
        if (kind == QLatin1String("button"))
            rig.tap(index);
        else if (kind == QLatin1String("hat"))
            rig.hat(index);
        else
            rig.swing(index, value, index == 4 ? Low : index == 5 ? High : 0);
        QCOMPARE(rig.wizard.stepIndex(), step + 1);
        QCOMPARE(rig.wizard.message(), QString());
        QVERIFY2(rig.wizard.mappingLine().contains(QLatin1Char(',') + control + QLatin1Char(':') + source + ','),
                 qPrintable(rig.wizard.mappingLine()));
    }

    void notCounted_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("advanced"); // steps
        QTest::addColumn<QString>("line"); // what the mapping line holds afterwards
        QTest::addColumn<QString>("message"); // part of the message afterwards
        QTest::newRow("trembling stick axis") << "tremble 0" << "a" << 0 << "" << "";
        QTest::newRow("trembling trigger at rest") << "tremble 4" << "lefttrigger" << 0 << "" << "";
        QTest::newRow("short of half") << "short" << "dpright" << 0 << "" << "";
        QTest::newRow("resting low, moving lower") << "lower" << "lefttrigger" << 0 << "" << "";
        QTest::newRow("button for a stick axis") << "button" << "leftx" << 0 << "" << "stick";
        QTest::newRow("held across a skip") << "skip" << "a" << 1 << "" << "";
        QTest::newRow("hat rolled on") << "roll" << "dpup" << 1 << ",dpup:h0.1,platform" << "";
        QTest::newRow("another pad") << "other" << "a" << 0 << "" << "";
    }
    void notCounted()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, control);
        QFETCH(int, advanced);
        QFETCH(QString, line);
        QFETCH(QString, message);
        Rig rig;
        rig.pad.setRawAxisRest(3, -20000);
        QVERIFY(rig.attach(QStringLiteral("Joyvant Noise Pad"), 8, Low, High));
        QVERIFY(rig.start());
        rig.skipTo(control);
        const int step = rig.wizard.stepIndex();

        if (scenario.startsWith(QLatin1String("tremble"))) {
            // Up to just short of half the way from the rest position, either way.
            const int axis = scenario.section(QLatin1Char(' '), 1).toInt();
            const int rest = axis == 4 ? Low : 0;
            const int reach = axis == 4 ? High : 16383;
            QRandomGenerator random(7);
            for (int i = 0; i < 200; ++i) {
                rig.pad.setRawAxis(axis, rest + random.bounded(-reach, reach + 1));
                rig.backend->pump();
            }
            rig.pad.setRawAxis(axis, rest);
            rig.backend->pump();
        } else if (scenario == QLatin1String("short")) {
            rig.swing(0, 16383, 0);
        } else if (scenario == QLatin1String("lower")) {
            rig.swing(3, Low, -20000); // past half the short way down
        } else if (scenario == QLatin1String("button")) {
            rig.tap(3);
        } else if (scenario == QLatin1String("skip")) {
            rig.pad.setRawButton(0, true);
            rig.backend->pump();
            QCOMPARE(rig.wizard.heldInput(), QStringLiteral("b0"));
            rig.wizard.skip();
            QCOMPARE(rig.wizard.heldInput(), QString());
            rig.pad.setRawButton(0, false);
            rig.backend->pump();
        } else if (scenario == QLatin1String("roll")) {
            for (int value : {SDL_HAT_UP, SDL_HAT_RIGHTUP, SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN, SDL_HAT_DOWN, 0}) {
                rig.pad.setHat(0, value);
                rig.backend->pump();
            }
        } else if (scenario == QLatin1String("other")) {
            VirtualGamepad other;
            other.setName(QStringLiteral("Joyvant Other Pad"));
            QVERIFY(other.attach());
            for (bool pressed : {true, false}) {
                other.setButton(VirtualGamepad::ButtonA, pressed);
                other.setAxis(VirtualGamepad::AxisLeftX, pressed ? Low : 0);
                rig.backend->pump();
            }
        }
        QCOMPARE(rig.wizard.stepIndex(), step + advanced);
        QCOMPARE(rig.wizard.phase(), MappingWizard::Asking);
        if (line.isEmpty())
            QCOMPARE(rig.wizard.mappingLine(), QString());
        else
            QVERIFY2(rig.wizard.mappingLine().endsWith(line + QStringLiteral(":") + SDL_GetPlatform() + ","),
                     qPrintable(rig.wizard.mappingLine()));
        if (message.isEmpty())
            QCOMPARE(rig.wizard.message(), QString());
        else
            QVERIFY2(rig.wizard.message().contains(message), qPrintable(rig.wizard.message()));
    }

    // An input that an earlier step took is refused, naming that step; going back asks
    // again and frees it.
    void usedInputsAndBack()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Back Pad"), 8, Low, Low));
        QVERIFY(rig.start());
        rig.tap(3);
        QCOMPARE(rig.wizard.control(), QStringLiteral("b"));
        rig.tap(3);
        QCOMPARE(rig.wizard.control(), QStringLiteral("b"));
        QVERIFY2(rig.wizard.message().contains(QLatin1String("mapped to A")), qPrintable(rig.wizard.message()));

        rig.wizard.back();
        QCOMPARE(rig.wizard.control(), QStringLiteral("a"));
        QCOMPARE(rig.wizard.currentSource(), QString());
        QCOMPARE(rig.wizard.message(), QString());
        QCOMPARE(rig.wizard.mappingLine(), QString());
        rig.tap(1);
        rig.tap(3); // free again
        QCOMPARE(rig.wizard.control(), QStringLiteral("x"));
        QVERIFY(rig.wizard.mappingLine().contains(QLatin1String(",a:b1,b:b3,")));

        // The halves of one axis are two inputs; the whole axis is both.
        rig.skipTo(QStringLiteral("dpleft"));
        rig.swing(0, Low, 0);
        rig.swing(0, Low, 0);
        QCOMPARE(rig.wizard.control(), QStringLiteral("dpright"));
        QVERIFY(rig.wizard.message().contains(QLatin1String("Cross pad left")));
        rig.swing(0, High, 0);
        QCOMPARE(rig.wizard.control(), QStringLiteral("leftshoulder"));
        rig.skipTo(QStringLiteral("leftx"));
        rig.swing(0, Low, 0);
        QCOMPARE(rig.wizard.control(), QStringLiteral("leftx"));
        QVERIFY(!rig.wizard.message().isEmpty());

        // Back from the end asks the last control again.
        while (rig.wizard.phase() == MappingWizard::Asking)
            rig.wizard.skip();
        QVERIFY(rig.wizard.isFinished());
        rig.wizard.back();
        QCOMPARE(rig.wizard.phase(), MappingWizard::Asking);
        QCOMPARE(rig.wizard.control(), QStringLiteral("touchpad"));
        rig.tap(7);
        QVERIFY(rig.wizard.isFinished());
        QVERIFY(rig.wizard.mappingLine().contains(QLatin1String(",touchpad:b7,")));
    }

    void cancelChangesNothing()
    {
        const QByteArray content = "# mine\n03000000de2800000112000001000000,Other Pad,a:b0,platform:Linux,\n";
        writeFile(m_userFile, content);
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Cancel Pad"), 8, Low, Low));
        QSignalSpy cancelled(&rig.wizard, &MappingWizard::cancelled);
        QVERIFY(rig.start());
        rig.tap(0);
        rig.tap(1);
        QVERIFY(!rig.wizard.mappingLine().isEmpty());
        rig.wizard.cancel();
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(rig.wizard.phase(), MappingWizard::Idle);
        QCOMPARE(rig.wizard.mappingLine(), QString());
        QVERIFY(!rig.wizard.apply());
        QVERIFY(!rig.wizard.save());
        rig.tap(2);
        QCOMPARE(rig.wizard.stepIndex(), 0);
        QVERIFY(!rig.backend->hasDevice(rig.pad.deviceId()));
        QCOMPARE(readFile(m_userFile), content);
    }

    // Saved, the mapping makes the pad a game controller at the next start.
    void saveKeepsOtherLines()
    {
        const QString name = QStringLiteral("Joyvant Save Pad");
        const QByteArray other = "03000000de2800000112000001000000,Other Pad,a:b0,platform:Linux,";
        {
            Rig rig;
            QVERIFY(rig.attach(name, 8, Low, Low));
            const QByteArray old = guidOf(rig.pad).toLatin1() + ",Old,a:b7," + platform().toLatin1();
            writeFile(m_userFile, "# mine\n" + old + "\n" + other + "\n");
            QVERIFY(rig.start());
            QVERIFY(!rig.wizard.save()); // not finished
            rig.tap(2);
            rig.tap(5);
            while (rig.wizard.phase() == MappingWizard::Asking)
                rig.wizard.skip();
            const QString line = rig.wizard.mappingLine();
            QCOMPARE(line, guidOf(rig.pad) + QStringLiteral(",Joyvant Save Pad,a:b2,b:b5,") + platform());
            QVERIFY2(rig.wizard.save(), qPrintable(rig.wizard.message()));
            QCOMPARE(readFile(m_userFile), "# mine\n" + line.toLatin1() + "\n" + other + "\n");
            QVERIFY(!rig.backend->hasDevice(rig.pad.deviceId())); // saving applies nothing
        }
        // Nothing holds SDL's game controllers now: the next backend starts afresh.
        VirtualGamepad pad;
        pad.setName(name);
        pad.setRawLayout(8, 6, 1);
        QVERIFY(pad.attach());
        const auto backend = GamepadBackend::instance();
        QVERIFY(backend->hasDevice(pad.deviceId()));
        pad.setRawButton(2, true);
        backend->pump();
        QVERIFY(backend->button(pad.deviceId(), SDL_CONTROLLER_BUTTON_A));
    }

    // A mapped pad starts from its mapping; the result replaces it, now and in the file.
    void remapReplacesMapping()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Remap Pad"), 8, Low, Low));
        const int id = rig.pad.deviceId();
        const QString guid = guidOf(rig.pad);
        const QString old = guid + QStringLiteral(",Joyvant Remap Pad,a:b0,b:b1,x:b2,y:b3,leftx:a0,") + platform();
        joyvant::PadMappings mappings;
        QVERIFY(mappings.addMapping(old));
        QVERIFY(mappings.saveMapping(old));
        QVERIFY(rig.backend->hasDevice(id));

        QVERIFY(rig.start());
        QVERIFY(rig.wizard.isRemapping());
        QCOMPARE(rig.wizard.mappingLine(), old);
        QCOMPARE(rig.wizard.currentSource(), QStringLiteral("b0"));
        rig.tap(1); // A was wrong
        QCOMPARE(rig.wizard.control(), QStringLiteral("b"));
        QCOMPARE(rig.wizard.currentSource(), QStringLiteral("b1"));
        rig.wizard.keep(); // but A has it now
        QCOMPARE(rig.wizard.control(), QStringLiteral("b"));
        QVERIFY(rig.wizard.message().contains(QLatin1String("mapped to A")));
        rig.tap(0);
        rig.wizard.keep();
        rig.wizard.keep();
        QCOMPARE(rig.wizard.control(), QStringLiteral("dpup"));
        rig.skipTo(QStringLiteral("leftx"));
        QCOMPARE(rig.wizard.currentSource(), QStringLiteral("a0"));
        rig.wizard.skip(); // the stick is gone
        while (rig.wizard.phase() == MappingWizard::Asking)
            rig.wizard.keep();
        const QString line = guid + QStringLiteral(",Joyvant Remap Pad,a:b1,b:b0,x:b2,y:b3,") + platform();
        QCOMPARE(rig.wizard.mappingLine(), line);

        QVERIFY2(rig.wizard.apply(), qPrintable(rig.wizard.message()));
        rig.pad.setRawButton(1, true);
        rig.backend->pump();
        QVERIFY(rig.backend->button(id, SDL_CONTROLLER_BUTTON_A));
        QVERIFY(!rig.backend->button(id, SDL_CONTROLLER_BUTTON_B));
        QVERIFY(rig.wizard.save());
        QCOMPARE(readFile(m_userFile), line.toLatin1() + "\n");
    }

    // A pad whose mapping SDL made itself (here a virtual game controller) is remapped at
    // once too: SDL keeps such a mapping for an open controller, so the backend opens the
    // controller afresh.
    void remapOfAnAutomaticMappingAppliesAtOnce()
    {
        QSharedPointer<GamepadBackend> backend = GamepadBackend::instance();
        VirtualGamepad pad;
        pad.setName(QStringLiteral("Joyvant Automatic Pad"));
        QVERIFY(pad.attach());
        backend->pump();
        const int id = pad.deviceId();
        QVERIFY(backend->hasDevice(id));
        MappingWizard wizard;
        wizard.setDeviceId(id);
        QVERIFY(wizard.start());
        backend->pump();
        QVERIFY(wizard.isRemapping());
        for (int button : {1, 0}) { // A and B swapped
            pad.setRawButton(button, true);
            backend->pump();
            pad.setRawButton(button, false);
            backend->pump();
        }
        while (wizard.phase() == MappingWizard::Asking)
            wizard.keep();
        QVERIFY(wizard.mappingLine().contains(QLatin1String(",a:b1,b:b0,")));
        QVERIFY2(wizard.apply(), qPrintable(wizard.message()));
        QVERIFY(backend->hasDevice(id));
        pad.setButton(VirtualGamepad::ButtonB, true);
        backend->pump();
        QVERIFY(backend->button(id, SDL_CONTROLLER_BUTTON_A));
        QVERIFY(!backend->button(id, SDL_CONTROLLER_BUTTON_B));
    }

    void padLeaves()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Leaving Pad"), 8, Low, Low));
        QSignalSpy cancelled(&rig.wizard, &MappingWizard::cancelled);
        QVERIFY(rig.start());
        rig.tap(0);
        rig.pad.detach();
        rig.backend->pump();
        QCOMPARE(rig.wizard.phase(), MappingWizard::Idle);
        QCOMPARE(cancelled.count(), 1);
        QVERIFY(!rig.wizard.message().isEmpty());
        QVERIFY(!rig.wizard.start()); // gone
    }

    void inQml()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Qml Wizard Pad"), 8, Low, Low));
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport com.corvane.diagnostics 1.0\n"
                          "MappingWizard {\n"
                          "    property string shown: control + ' ' + picture + ' ' + phase\n"
                          "}\n",
                          QUrl(QStringLiteral("qrc:/WizardHolder.qml")));
        std::unique_ptr<QObject> wizard(component.create());
        QVERIFY2(wizard, qPrintable(component.errorString()));
        wizard->setProperty("deviceId", rig.pad.deviceId());
        QCOMPARE(wizard->property("stepCount").toInt(), 27);
        bool started = false;
        QMetaObject::invokeMethod(wizard.get(), "start", Q_RETURN_ARG(bool, started));
        QVERIFY(started);
        // Left to the backend's own pump from here.
        QTRY_COMPARE(wizard->property("shown").toString(), QStringLiteral("a front 2"));
        rig.pad.setRawButton(4, true);
        QTRY_COMPARE(wizard->property("heldInput").toString(), QStringLiteral("b4"));
        rig.pad.setRawButton(4, false);
        QTRY_COMPARE(wizard->property("control").toString(), QStringLiteral("b"));
        QVERIFY(QMetaObject::invokeMethod(wizard.get(), "cancel"));
        QCOMPARE(wizard->property("phase").toInt(), int(MappingWizard::Idle));
    }

private:
    QTemporaryDir m_config;
    QString m_userFile;
};

QTEST_MAIN(TestMappingWizard)
#include "tst_mappingwizard.moc"
