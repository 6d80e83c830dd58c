// The diagnostics types on the real gamepad back end, driven by SDL virtual pads: each
// position is set on the pad and delivered by one round of the backend's pump, so every
// report reaches the analysis. SysInfo and the module's plug-in come from build/bin.
#include "gamepadbackend.h"
#include "gamepadmappings.h"
#include "padreport.h"
#include "stickhealth.h"
#include "triggerrange.h"
#include "padtesthelpers.h"
#include "virtualgamepad.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <SDL.h>
#include <cmath>
#include <memory>
#include <random>

using joyvant::GamepadBackend;
using joyvant::PadReport;
using joyvant::StickHealth;
using joyvant::TriggerRange;
using joyvant::test::VirtualGamepad;
using joyvant::test::guidOf;
using joyvant::test::readFile;
using joyvant::test::writeFile;

namespace {

int stickRaw(double position)
{
    const double clamped = qBound(-1.0, position, 1.0);
    return int(std::lround(clamped < 0 ? clamped * 32768.0 : clamped * 32767.0));
}

double gateRadius(const QString &shape, double radians)
{
    if (shape == QLatin1String("square"))
        return 1.0 / std::max(std::abs(std::cos(radians)), std::abs(std::sin(radians)));
    return shape == QLatin1String("short") ? 0.9 : 1.0;
}

// A virtual pad on the process's backend.
struct Rig
{
    QSharedPointer<GamepadBackend> backend = GamepadBackend::instance();
    VirtualGamepad pad;

    bool attach(const QString &name)
    {
        pad.setName(name);
        if (!pad.attach())
            return false;
        backend->pump();
        return backend->hasDevice(pad.deviceId());
    }
    void stick(double x, double y)
    {
        pad.setAxis(VirtualGamepad::AxisLeftX, stickRaw(x));
        pad.setAxis(VirtualGamepad::AxisLeftY, stickRaw(y));
        backend->pump();
    }
    // Round the gate in 0.1 degree steps, counter-clockwise as seen on the pad (y down).
    void sweep(const QString &shape, int fromStep, int toStep)
    {
        for (int step = fromStep; step < toStep; ++step) {
            const double radians = qDegreesToRadians(step * 0.1);
            const double radius = gateRadius(shape, radians);
            stick(radius * std::cos(radians), -radius * std::sin(radians));
        }
    }
};

} // namespace

class TestDiagnostics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        m_userFile = m_config.filePath(QStringLiteral("joyvant/gamecontrollerdb.txt"));
    }

    void stickShapes_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::newRow("circle") << "circle";
        QTest::newRow("square") << "square";
        QTest::newRow("short") << "short";
    }
    void stickShapes()
    {
        QFETCH(QString, shape);
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Shape Pad")));
        StickHealth health;
        health.setDeviceId(rig.pad.deviceId());
        rig.sweep(shape, 0, 3600);
        health.refresh();

        QCOMPARE(health.sectorCoverage(), 100.0);
        QVERIFY(health.circularityReported());
        const QVariantList passed = health.reachPassed();
        if (shape == QLatin1String("circle")) {
            QVERIFY2(health.circularityError() < 1.0, qPrintable(QString::number(health.circularityError())));
            QCOMPARE(passed, QVariantList({true, true, true, true}));
        } else if (shape == QLatin1String("square")) {
            // The square's radius grows towards the diagonals, so in each 5 degree sector
            // it reaches furthest at one of the sector's ends.
            double sum = 0.0;
            for (int sector = 0; sector < 72; ++sector) {
                const double from = qDegreesToRadians(sector * 5.0);
                const double to = qDegreesToRadians((sector + 1) * 5.0);
                const double radius = std::max(gateRadius(shape, from), gateRadius(shape, to));
                sum += (radius - 1.0) * (radius - 1.0);
            }
            const double expected = 100.0 * std::sqrt(sum / 72);
            QVERIFY2(std::abs(health.circularityError() - expected) < 0.5,
                     qPrintable(QStringLiteral("%1 vs %2").arg(health.circularityError()).arg(expected)));
            QVERIFY(health.overReach());
            QCOMPARE(passed, QVariantList({true, true, true, true}));
        } else {
            QVERIFY(std::abs(health.circularityError() - 10.0) < 0.2);
            QVERIFY(!health.overReach());
            QVERIFY(std::abs(health.worstSectorRadius() - 0.9) < 0.002);
            QCOMPARE(passed, QVariantList({false, false, false, false}));
        }
        QVERIFY(health.resolutionX() > 9.0 && health.resolutionY() > 9.0);
    }

    void driftAndReset()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Drift Pad")));
        StickHealth health;
        QSignalSpy restSpy(&health, &StickHealth::restChanged);
        health.setDeviceId(rig.pad.deviceId());
        rig.sweep(QStringLiteral("circle"), 0, 3600);

        // Trembling around (0.05, 0) until the stick has rested half a second.
        std::mt19937 random(14);
        std::uniform_real_distribution<double> noise(-0.01, 0.01);
        QElapsedTimer clock;
        clock.start();
        while (!health.atRest() && clock.elapsed() < 10000) {
            rig.stick(0.05 + noise(random), noise(random));
            QTest::qWait(1);
        }
        QVERIFY(health.atRest());
        QVERIFY(health.restMeasured());
        QVERIFY(restSpy.count() > 0);
        QVERIFY2(std::abs(health.centreOffset() - 5.0) < 0.3, qPrintable(QString::number(health.centreOffset())));
        const double direction = health.centreDirection();
        QVERIFY2(std::min(direction, 360.0 - direction) < 3.0, qPrintable(QString::number(direction)));
        QVERIFY2(health.suggestedDeadZone() == 7 || health.suggestedDeadZone() == 8,
                 qPrintable(QString::number(health.suggestedDeadZone())));

        health.reset();
        QVERIFY(!health.atRest());
        QVERIFY(!health.restMeasured());
        QCOMPARE(health.sectorCoverage(), 0.0);
        QVERIFY(!health.circularityReported());
        QCOMPARE(health.distinctX(), 1); // the position it starts from
    }

    void circularityWaitsForCoverage()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Coverage Pad")));
        StickHealth health;
        health.setStick(StickHealth::Left);
        health.setDeviceId(rig.pad.deviceId());
        rig.sweep(QStringLiteral("circle"), 0, 3000); // 300 degrees: 60 sectors
        health.refresh();
        QVERIFY(std::abs(health.sectorCoverage() - 100.0 * 60 / 72) < 1e-9);
        QVERIFY(!health.circularityReported());
        rig.sweep(QStringLiteral("circle"), 3000, 3300); // 66 sectors
        health.refresh();
        QVERIFY(health.circularityReported());
        QVERIFY(health.circularityError() < 1.0);
    }

    void triggers_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<double>("maximum");
        QList<int> analog;
        QList<int> partial;
        for (int step = 0; step <= 200; ++step) {
            analog.append(int(std::lround(step * 32767.0 / 200)));
            partial.append(int(std::lround(step * 0.6 * 32767.0 / 200)));
        }
        QTest::newRow("analog") << analog << "analog" << 100.0;
        QTest::newRow("digital") << QList<int> {32767, 0, 32767, 0, 32767, 0} << "digital" << 100.0;
        QTest::newRow("partial") << partial << "partial" << 60.0;
    }
    void triggers()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, verdict);
        QFETCH(double, maximum);
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Trigger Pad")));
        TriggerRange left;
        TriggerRange right;
        right.setTrigger(TriggerRange::Right);
        left.setDeviceId(rig.pad.deviceId());
        right.setDeviceId(rig.pad.deviceId());
        for (int value : values) {
            rig.pad.setAxis(VirtualGamepad::AxisTriggerLeft, value);
            rig.backend->pump();
        }
        left.refresh();
        right.refresh();
        QCOMPARE(left.verdict(), verdict);
        QCOMPARE(left.distinctValues(), QSet<int>(values.begin(), values.end()).size());
        QVERIFY(std::abs(left.maximum() - maximum) < 0.01);
        QCOMPARE(left.restValue(), 0.0);
        QVERIFY(left.actuationPoint() > 0.0);
        // The other trigger saw nothing of it.
        QCOMPARE(right.distinctValues(), 1);
        QCOMPARE(right.verdict(), QString());
    }

    void unmappedJoystickAndMappings()
    {
        const auto backend = GamepadBackend::instance();
        VirtualGamepad pad;
        pad.setName(QStringLiteral("Joyvant Unmapped Stick"));
        pad.setGameController(false);
        QVERIFY(pad.attach());
        backend->pump();
        QVERIFY(!backend->hasDevice(pad.deviceId()));
        const int id = pad.deviceId();

        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport com.corvane.system 1.0\nimport com.corvane.diagnostics 1.0\n"
                          "QtObject { property QtObject info: SysInfo; property QtObject mappings: PadMappings }\n",
                          QUrl(QStringLiteral("qrc:/MappingHolder.qml")));
        std::unique_ptr<QObject> holder(component.create());
        QVERIFY2(holder, qPrintable(component.errorString()));
        QObject *info = holder->property("info").value<QObject *>();
        QObject *mappings = holder->property("mappings").value<QObject *>();
        const auto listed = [info, id]() {
            QMetaObject::invokeMethod(info, "scanGamepad");
            for (const QVariant &entry : info->property("gamepads").toList()) {
                if (entry.toMap().value(QStringLiteral("instanceId")).toInt() == id)
                    return entry.toMap();
            }
            return QVariantMap();
        };
        const auto call = [mappings](const char *method, const QString &mapping) {
            bool ok = false;
            QMetaObject::invokeMethod(mappings, method, Q_RETURN_ARG(bool, ok), Q_ARG(QString, mapping));
            return ok;
        };

        // Listed, with its GUID and the flag.
        QVariantMap entry = listed();
        QCOMPARE(entry.value(QStringLiteral("deviceName")).toString(), QStringLiteral("Joyvant Unmapped Stick"));
        QCOMPARE(entry.value(QStringLiteral("mappingNeeded")).toBool(), true);
        const QString guid = entry.value(QStringLiteral("guid")).toString();
        QCOMPARE(guid, guidOf(pad));
        PadReport report;
        report.setDeviceId(id);
        QCOMPARE(report.json().value(QStringLiteral("identity")).toMap().value(QStringLiteral("mappingNeeded")), true);

        // A malformed mapping is refused and changes nothing.
        QSignalSpy added(backend.data(), &GamepadBackend::deviceAdded);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mapping refused")));
        QVERIFY(!call("addMapping", guid + QStringLiteral(",Stick,a:zz,")));
        QVERIFY(mappings->property("errorString").toString().contains(QLatin1String("\"zz\"")));
        QVERIFY(!backend->hasDevice(id));

        // A sound one connects the pad at once, as a game controller.
        const QString mapping = guid + QStringLiteral(",Joyvant Mapped Stick,a:b0,b:b1,leftx:a0,lefty:a1,");
        QVERIFY(call("addMapping", mapping));
        QCOMPARE(mappings->property("errorString").toString(), QString());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.first().first().toInt(), id);
        QCOMPARE(backend->name(id), QStringLiteral("Joyvant Mapped Stick"));
        pad.setAxis(VirtualGamepad::AxisLeftX, 32767);
        pad.setButton(VirtualGamepad::ButtonA, true);
        backend->pump();
        QCOMPARE(backend->axis(id, SDL_CONTROLLER_AXIS_LEFTX), 32767);
        QVERIFY(backend->button(id, SDL_CONTROLLER_BUTTON_A));
        QCOMPARE(listed().value(QStringLiteral("mappingNeeded")).toBool(), false);

        // Saving replaces the pad's old line and keeps every other one.
        QCOMPARE(mappings->property("userFile").toString(), m_userFile);
        const QByteArray other = "03000000de2800000112000001000000,Other Pad,a:b0,platform:Linux,";
        writeFile(m_userFile, "# my pads\n" + other + "\n" + guid.toLatin1() + ",Old,a:b3,platform:Linux,\n");
        QVERIFY(call("saveMapping", mapping));
        const QByteArray saved = readFile(m_userFile);
        QCOMPARE(saved, "# my pads\n" + other + "\n" + mapping.toLatin1() + "platform:" + SDL_GetPlatform() + ",\n");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mapping refused")));
        QVERIFY(!call("saveMapping", QStringLiteral("not a mapping")));
        QCOMPARE(readFile(m_userFile), saved);
        QFile::remove(m_userFile);
    }

    void userMappingFileAtStart()
    {
        // Nothing holds SDL's joysticks now, so its mappings start afresh with them.
        QCOMPARE(SDL_WasInit(SDL_INIT_JOYSTICK), Uint32(0));
        // Pads without vendor and product ids: SDL's GUID holds the first 10 characters
        // of their names, so these differ there.
        VirtualGamepad fromFile;
        fromFile.setName(QStringLiteral("Joyvant File Stick"));
        fromFile.setGameController(false);
        VirtualGamepad fromEnvironment;
        fromEnvironment.setName(QStringLiteral("Joyvant Environment Stick"));
        fromEnvironment.setGameController(false);
        QVERIFY(fromFile.attach() && fromEnvironment.attach());
        const QByteArray line = guidOf(fromFile).toLatin1() + ",From File,a:b0,platform:" + SDL_GetPlatform() + ",";
        // In the form SDL's own matching needs (see gamepadmappings::forSdl).
        const QByteArray environment
            = joyvant::gamepadmappings::forSdl(guidOf(fromEnvironment) + ",From Environment,a:b0,").toLatin1();
        fromFile.detach();
        fromEnvironment.detach();

        writeFile(m_userFile, "# mine\n" + line + "\n");
        qputenv("SDL_GAMECONTROLLERCONFIG", environment);
        QVERIFY(fromFile.attach() && fromEnvironment.attach());
        {
            const auto backend = GamepadBackend::instance();
            QCOMPARE(backend->userMappingError(), QString());
            QCOMPARE(backend->name(fromFile.deviceId()), QStringLiteral("From File"));
            QCOMPARE(backend->name(fromEnvironment.deviceId()), QStringLiteral("From Environment"));
        }
        qunsetenv("SDL_GAMECONTROLLERCONFIG");
        fromFile.detach();
        fromEnvironment.detach();

        // One bad line: the file is reported and none of it is loaded.
        writeFile(m_userFile, line + "\n0300000000000000000000000000000a,Broken,a:x9,\n");
        QVERIFY(fromFile.attach());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mappings not loaded.*line 2")));
        {
            const auto backend = GamepadBackend::instance();
            QVERIFY(backend->userMappingError().contains(QLatin1String("line 2")));
            QVERIFY(!backend->hasDevice(fromFile.deviceId()));
        }
        QFile::remove(m_userFile);
    }

    void padReport()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Report Pad")));
        StickHealth stick;
        stick.setDeviceId(rig.pad.deviceId());
        TriggerRange trigger;
        trigger.setDeviceId(rig.pad.deviceId());
        PadReport report;
        report.setDeviceId(rig.pad.deviceId());
        report.setLeftStick(&stick);
        report.setLeftTrigger(&trigger);
        report.setProgress(QVariantMap {{QStringLiteral("buttonA"), 1}});

        const QVariantMap json = report.json();
        const QVariantMap identity = json.value(QStringLiteral("identity")).toMap();
        QCOMPARE(identity.value(QStringLiteral("name")).toString(), QStringLiteral("Joyvant Report Pad"));
        QCOMPARE(identity.value(QStringLiteral("guid")).toString(), guidOf(rig.pad));
        QCOMPARE(identity.value(QStringLiteral("mappingNeeded")).toBool(), false);
        QCOMPARE(json.value(QStringLiteral("features")).toMap().value(QStringLiteral("rumble")).toBool(), true);
        QVERIFY(json.value(QStringLiteral("sticks")).toMap().contains(QStringLiteral("left")));
        QVERIFY(json.value(QStringLiteral("triggers")).toMap().contains(QStringLiteral("left")));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.json"));
        QVERIFY2(report.save(QUrl::fromLocalFile(path)), qPrintable(report.errorString()));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(readFile(path), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document.object().toVariantMap().value(QStringLiteral("identity")).toMap(), identity);
        QCOMPARE(document.object().value(QStringLiteral("progress")).toObject().value(QStringLiteral("buttonA")).toInt(), 1);

        QVERIFY(report.save(QUrl::fromLocalFile(folder.filePath(QStringLiteral("report.md")))));
        const QByteArray markdown = readFile(folder.filePath(QStringLiteral("report.md")));
        QVERIFY(markdown.startsWith("# Pad report: Joyvant Report Pad\n"));
        QVERIFY(markdown.contains("\n## Features\n"));

        // A file below a file cannot be written; nor can a remote address.
        QVERIFY(!report.save(QUrl::fromLocalFile(path + QStringLiteral("/inside.json"))));
        QVERIFY(report.errorString().startsWith(QLatin1String("cannot write")));
        QVERIFY(!report.save(QUrl(QStringLiteral("https://example.com/report.json"))));
        QVERIFY(report.errorString().contains(QLatin1String("only local files")));
    }

    void typesInQml()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Qml Pad")));
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport com.corvane.diagnostics 1.0\n"
                          "QtObject {\n"
                          "    id: root\n"
                          "    property int deviceId: -1\n"
                          "    property StickHealth right: StickHealth { deviceId: root.deviceId; stick: StickHealth.Right }\n"
                          "    property TriggerRange trigger: TriggerRange { deviceId: root.deviceId; trigger: TriggerRange.Right }\n"
                          "    property PadReport report: PadReport { deviceId: root.deviceId; rightStick: root.right; progress: ({ a: 2 }) }\n"
                          "    property string verdict: trigger.verdict\n"
                          "}\n",
                          QUrl(QStringLiteral("qrc:/TypesHolder.qml")));
        std::unique_ptr<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        root->setProperty("deviceId", rig.pad.deviceId());
        for (int value : {0, 32767, 0})
            rig.pad.setAxis(VirtualGamepad::AxisTriggerRight, value), rig.backend->pump();
        QTRY_COMPARE(root->property("verdict").toString(), QStringLiteral("digital"));
        auto *report = root->property("report").value<QObject *>();
        QVariantMap json;
        QMetaObject::invokeMethod(report, "json", Q_RETURN_ARG(QVariantMap, json));
        QCOMPARE(json.value(QStringLiteral("progress")).toMap().value(QStringLiteral("a")).toInt(), 2);
        QCOMPARE(json.value(QStringLiteral("sticks")).toMap().value(QStringLiteral("right")).toMap().value(
                     QStringLiteral("stick")),
                 QStringLiteral("right"));
    }

private:
    QTemporaryDir m_config;
    QString m_userFile;
};

QTEST_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
