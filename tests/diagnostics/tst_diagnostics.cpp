// The diagnostics types on the real gamepad back end, driven by SDL virtual pads: each
// position is set on the pad and delivered by one round of the backend's pump, so every
// report reaches the analysis. SysInfo and the module's plug-in come from build/bin.
#include "gamepadbackend.h"
#include "gamepadmappings.h"
#include "padmappings.h"
#include "padreport.h"
#include "pipewatchdog.h"
#include "stickhealth.h"
#include "triggerrange.h"
#include "virtualgamepad.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using joyvant::GamepadBackend;
using joyvant::PadMappings;
using joyvant::PadReport;
namespace gamepadmappings = joyvant::gamepadmappings;
using joyvant::StickHealth;
using joyvant::TriggerRange;
using joyvant::test::VirtualGamepad;

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

QString guidOf(const VirtualGamepad &pad)
{
    char guid[33] = {};
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == pad.deviceId())
            SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof(guid));
    }
    return QString::fromLatin1(guid);
}

bool isGameController(const VirtualGamepad &pad)
{
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == pad.deviceId())
            return SDL_IsGameController(index);
    }
    return false;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// Mappings in the shapes found in SDL's database and in mappings people share; each is
// taken by SDL 2.26 as written. The GUIDs are real ones; tests put a virtual pad's GUID
// (and its name checksum, for a "crc:" field) in their place.
QStringList acceptedShapes()
{
    return {
        // From SDL's database, with an empty binding: the control stays unmapped.
        QStringLiteral("03000000341a00000908000010010000,SL-6566,a:b0,b:b1,back:b8,dpdown:h0.4,dpleft:h0.8,"
                       "dpright:h0.2,dpup:h0.1,guide:,leftshoulder:b4,leftstick:b10,lefttrigger:b6,leftx:a0,"
                       "lefty:a1,rightshoulder:b5,rightstick:b11,righttrigger:b7,rightx:a2,righty:a3,start:b9,"
                       "x:b2,y:b3,platform:Linux,"),
        // A d-pad reported as buttons, bound to the halves of a stick.
        QStringLiteral("030000006f0e00000104000000010000,Dpad Halves,a:b0,+leftx:b15,-leftx:b13,+lefty:b14,"
                       "-lefty:b12,platform:Linux,"),
        // Both triggers on one axis (DirectInput style), its halves.
        QStringLiteral("03000000790000000600000010010000,Shared Triggers,a:b2,b:b1,lefttrigger:-a2,"
                       "righttrigger:+a2,leftx:a0,lefty:a1,platform:Linux,"),
        QStringLiteral("050000004c050000c405000000010000,Inverted,a:b0,leftx:a0,lefty:a1~,righttrigger:a5~,"
                       "-righty:+a3~,"),
        QStringLiteral("03000000de2800000112000001000000,Every Control,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,"
                       "start:b6,leftstick:b7,rightstick:b8,leftshoulder:b9,rightshoulder:b10,dpup:h0.1,"
                       "dpright:h0.2,dpdown:h0.4,dpleft:h0.8,misc1:b11,paddle1:b12,paddle2:b13,paddle3:b14,"
                       "paddle4:b15,touchpad:b16,leftx:a0,lefty:a1,rightx:a2,righty:a3,lefttrigger:a4,"
                       "righttrigger:a5,"),
        QStringLiteral("030000005e0400008e02000010010000,Fields First,platform:Linux,crc:1234,sdk>=:21,sdk<=:33,"
                       "a:b0,b:b1,"),
        QStringLiteral("030000005e0400008e02000010010000,Hint Last,a:b0,b:b1,"
                       "hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=0,platform:Linux,"),
        QStringLiteral("03000000250900000500000000010000,No Comma,a:b2,b:b1,platform:Linux"),
        QStringLiteral("03000000250900000500000000010000,Spaced Out,a: b0 ,b :b1,, left x:a0,platform:Linux,"),
        QStringLiteral("03000000250900000500000000010000,Upper Case,A:b0,LeftX:a0,platform:Linux,"),
        QStringLiteral("03000000250900000500000000010000,,a:b0,platform:Linux,"),
        // Another platform's line: SDL's file loader decides that it does not apply here.
        QStringLiteral("030000005e040000e002000000000000,Windows Pad,a:b0,b:b1,platform:Windows,"),
        QStringLiteral("030000005e040000e002000000000000,Mac Pad,a:b0,b:b1,platform:Mac OS X,"),
    };
}

QString fieldOf(const QString &mapping, int index)
{
    return mapping.section(QLatin1Char(','), index, index);
}

bool appliesHere(const QString &mapping)
{
    const QRegularExpression platform(QStringLiteral(",\\s*platform:([^,]*)"));
    const QRegularExpressionMatch match = platform.match(mapping);
    return !match.hasMatch() || match.captured(1).trimmed() == QLatin1String(SDL_GetPlatform());
}

// `mapping` for a joystick with `guid`, as SDL prints it: a "crc:" field gets the
// checksum from the GUID, which loses it then, as SDL's own mappings do.
QString forPad(const QString &mapping, const QString &guid)
{
    QString line = mapping.trimmed();
    line.replace(0, line.indexOf(QLatin1Char(',')), guid);
    const QRegularExpression crc(QStringLiteral("crc:[0-9a-fA-F]+"));
    if (line.contains(crc)) {
        const QString checksum = guid.mid(6, 2) + guid.mid(4, 2);
        line.replace(crc, QStringLiteral("crc:") + checksum);
        line.replace(4, 4, QStringLiteral("0000"));
    }
    return line;
}

QString tempFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden).join(QLatin1Char(' '));
}

QString guidFor(int prefix, int index)
{
    return QStringLiteral("03000000%1000000%2000000000000")
        .arg(prefix, 4, 16, QLatin1Char('0'))
        .arg(index, 4, 16, QLatin1Char('0'));
}

#ifdef Q_OS_UNIX
const char ChildArgument[] = "--mapping-child";

// Runs in a copy of the test program started by the tests below:
//   save-many FILE PREFIX COUNT   saves COUNT mappings, each for its own device
//   full-disk FILE REPORT         saves into both with file sizes limited
int runChild(const QStringList &arguments)
{
    const QString mode = arguments.value(2);
    const QString file = arguments.value(3);
    if (mode == QLatin1String("save-many")) {
        const int prefix = arguments.value(4).toInt();
        const int count = arguments.value(5).toInt();
        int failed = 0;
        for (int i = 0; i < count; ++i) {
            const QString error = gamepadmappings::save(
                guidFor(prefix, i) + QStringLiteral(",Pad %1 %2,a:b0,platform:Linux,").arg(prefix).arg(i), file);
            if (!error.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                ++failed;
            }
        }
        return failed == 0 ? 0 : 1;
    }
    if (mode == QLatin1String("full-disk")) {
        // Beyond the limit, writes fail with EFBIG (and SIGXFSZ, ignored), as on a
        // full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const auto limitWrites = [](rlim_t bytes) {
            struct rlimit limit;
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = bytes;
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        };
        // Room for the lock file, not for the mapping file; none for the report.
        if (!limitWrites(512))
            return 3;
        const QString mappingError = gamepadmappings::save(guidFor(1, 1) + QStringLiteral(",Pad,a:b0,"), file);
        if (!limitWrites(64))
            return 3;
        PadReport report;
        const bool reportSaved = report.save(QUrl::fromLocalFile(arguments.value(4)));
        std::printf("%s\n%s\n", qPrintable(mappingError), qPrintable(report.errorString()));
        return !mappingError.isEmpty() && !reportSaved ? 0 : 1;
    }
    return 2;
}
#endif

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

        // One bad line: it is skipped, named with its number, and the rest loads.
        writeFile(m_userFile, line + "\n0300000000000000000000000000000a,Broken,a:x9,\n");
        QVERIFY(fromFile.attach());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mapping skipped:.*line 2: \"x9\"")));
        {
            const auto backend = GamepadBackend::instance();
            QVERIFY(backend->userMappingError().contains(QLatin1String("line 2")));
            QCOMPARE(backend->name(fromFile.deviceId()), QStringLiteral("From File"));
        }
        QFile::remove(m_userFile);
    }

    // Each shape is judged as SDL judges it; a mapping taken connects a joystick of its
    // GUID as a game controller at once, a refused one changes nothing, not even the file.
    void mappingShapes_data()
    {
        QTest::addColumn<QString>("mapping");
        QTest::addColumn<QString>("fault"); // part of the error; empty: accepted
        int row = 0;
        for (const QString &shape : acceptedShapes())
            QTest::addRow("accepted %d %s", ++row, qPrintable(fieldOf(shape, 1))) << shape << QString();

        const QString guid = QStringLiteral("03000000de2800000112000001000000,Pad,");
        const auto refuse = [&guid](const char *name, const QString &bindings, const char *fault) {
            QTest::newRow(name) << guid + bindings << QString::fromUtf8(fault);
        };
        // Bindings SDL would drop or read otherwise than written.
        refuse("junk after the number", QStringLiteral("a:b0x,"), "\"b0x\"");
        refuse("hat ten", QStringLiteral("a:b0,dpup:h10.1,"), "h0 to h9");
        refuse("hat diagonal", QStringLiteral("a:b0,dpup:h0.3,"), "hat direction");
        refuse("hat no direction", QStringLiteral("a:b0,dpup:h0.0,"), "hat direction");
        refuse("control unknown to SDL 2.26", QStringLiteral("a:b0,misc2:b1,"), "\"misc2\"");
        refuse("control and source swapped", QStringLiteral("b0:a,"), "\"b0\"");
        refuse("half a button", QStringLiteral("+a:b0,"), "halves");
        refuse("signed button source", QStringLiteral("y:+b3,"), "axes only");
        refuse("inverted button", QStringLiteral("x:b4~,"), "axes only");
        refuse("inverted hat", QStringLiteral("dpup:h0.1~,"), "axes only");
        refuse("negative trigger half", QStringLiteral("-lefttrigger:a2,"), "negative half");
        refuse("two signs", QStringLiteral("++leftx:a0,"), "\"++leftx\"");
        refuse("upper-case source", QStringLiteral("a:B0,"), "\"B0\"");
        refuse("no colon", QStringLiteral("a,"), "control:source");
        refuse("two colons", QStringLiteral("a:b0:b1,"), "more than one colon");
        refuse("source too long", QStringLiteral("a:b1234567890123456789,"), "longer than");
        refuse("bindings after a long hint", QStringLiteral("a:b0,hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=1,b:b1,"),
               "stops reading");
        refuse("binds nothing", QStringLiteral("guide:,platform:Linux,"), "binds no control");
        refuse("two platforms", QStringLiteral("a:b0,platform:Linux,platform:Windows,"), "more than one platform");
        refuse("empty platform", QStringLiteral("a:b0,platform:,"), "names no platform");
        refuse("platform after a space", QStringLiteral("a:b0,platform: Linux,"), "without spaces");
        refuse("space in a hint", QStringLiteral("a:b0,hint :SDL_HINT,"), "without spaces");
        refuse("bad checksum", QStringLiteral("a:b0,crc:zz,"), "checksum");
        refuse("bad hint", QStringLiteral("a:b0,hint:,"), "not a hint");
        refuse("bad SDK version", QStringLiteral("a:b0,sdk>=:new,"), "SDK");
        // Characters that would cut or split the line, or that SDL keeps in a binding.
        QTest::newRow("NUL in the name") << QStringLiteral("03000000de2800000112000001000000,Bad") + QChar(0)
                + QStringLiteral("Name,a:b0,")
                                         << "NUL";
        refuse("tab in a binding", QStringLiteral("a:\tb0,"), "U+0009");
        refuse("escape", QStringLiteral("a:b0,\x1b"), "U+001b");
        refuse("CR inside", QStringLiteral("a:b0,\rb:b1,"), "single line");
        refuse("two lines", QStringLiteral("a:b0,\n") + guid + QStringLiteral("b:b1,"), "single line");
        QTest::newRow("short GUID") << "03000000de28,Pad,a:b0,"
                                    << "GUID";
        QTest::newRow("GUID with a space") << "03000000de280000 112000001000000,Pad,a:b0,"
                                           << "GUID";
        QTest::newRow("no name field") << "03000000de2800000112000001000000,Pad"
                                       << "a GUID, a name";
        QTest::newRow("platform in the name") << "03000000de2800000112000001000000,My platform:Linux,a:b0,"
                                              << "the name holds";
        QTest::newRow("empty") << ""
                               << "empty";
    }
    void mappingShapes()
    {
        QFETCH(QString, mapping);
        QFETCH(QString, fault);
        const QString error = gamepadmappings::check(mapping);
        if (!fault.isEmpty()) {
            QVERIFY2(error.contains(fault), qPrintable(error));
            const auto backend = GamepadBackend::instance();
            QCOMPARE(backend->addMapping(mapping), error);
            const QByteArray before = "# mine\n030000005e0400008e02000010010000,Kept,a:b0,platform:Linux,\n";
            writeFile(m_userFile, before);
            PadMappings mappings;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mapping refused")));
            QVERIFY(!mappings.saveMapping(mapping));
            QCOMPARE(mappings.errorString(), error);
            QCOMPARE(readFile(m_userFile), before);
            QFile::remove(m_userFile);
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        Rig rig;
        rig.pad.setGameController(false);
        QVERIFY(!rig.attach(QStringLiteral("S%1 Shape").arg(++m_padNumber)) && rig.pad.isAttached());
        const QString line = forPad(mapping, guidOf(rig.pad));
        QCOMPARE(rig.backend->addMapping(line), QString());
        QVERIFY(rig.backend->hasDevice(rig.pad.deviceId()));
        QCOMPARE(rig.backend->name(rig.pad.deviceId()), fieldOf(mapping, 1));
    }

    // A file of every shape, with comments, CR LF line ends and bad lines, loads in full
    // at start, for the pads there and for those that come later; the bad lines are
    // skipped, each named.
    void mappingFileLoadsInFull()
    {
        QCOMPARE(SDL_WasInit(SDL_INIT_JOYSTICK), Uint32(0));
        const QStringList shapes = acceptedShapes();
        std::vector<std::unique_ptr<VirtualGamepad>> pads;
        QByteArray file = "# shared mappings\r\n\r\n";
        QList<int> badLines;
        for (int i = 0; i < shapes.size(); ++i) {
            pads.push_back(std::make_unique<VirtualGamepad>());
            VirtualGamepad &pad = *pads.back();
            pad.setName(QStringLiteral("F%1 Pad").arg(i));
            pad.setGameController(false);
            QVERIFY(pad.attach());
            file += forPad(shapes.at(i), guidOf(pad)).toUtf8() + (i % 2 ? "\r\n" : "\n");
            if (i % 2)
                pad.detach(); // comes after the start
            if (i % 4 == 0) {
                file += guidFor(2, i).toUtf8() + ",Broken,a:q" + QByteArray::number(i) + ",\n";
                badLines.append(file.count('\n'));
            }
        }
        writeFile(m_userFile, file);
        for (int line : badLines)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("mapping skipped: .*line %1: \"q").arg(line)));
        {
            const auto backend = GamepadBackend::instance();
            QCOMPARE(backend->userMappingCount(), shapes.size());
            const QStringList skipped = backend->userMappingError().split(QLatin1Char('\n'));
            QCOMPARE(skipped.size(), badLines.size());
            for (int i = 0; i < badLines.size(); ++i)
                QVERIFY2(skipped.at(i).contains(QStringLiteral(", line %1: ").arg(badLines.at(i))),
                         qPrintable(skipped.at(i)));
            for (int i = 0; i < shapes.size(); ++i) {
                VirtualGamepad &pad = *pads.at(size_t(i));
                if (!pad.isAttached()) {
                    // SDL knows it as a game controller from the moment it comes, for
                    // whoever asks (SysInfo lists pads before the pump runs).
                    QVERIFY(pad.attach());
                    QCOMPARE(isGameController(pad), appliesHere(shapes.at(i)));
                    backend->pump();
                }
                QCOMPARE(backend->hasDevice(pad.deviceId()), appliesHere(shapes.at(i)));
                if (appliesHere(shapes.at(i)))
                    QCOMPARE(backend->name(pad.deviceId()), fieldOf(shapes.at(i), 1));
            }
        }
        pads.clear();
        QFile::remove(m_userFile);
    }

    // Saving keeps the user's other lines byte for byte, the bad ones too, and the
    // file's CR LF line ends; a link to the file stays a link.
    void saveKeepsOtherLines()
    {
        const QString real = m_config.filePath(QStringLiteral("dotfiles/pads.txt"));
        const QByteArray before
            = "# mine\r\n03000000de2800000112000001000000,Old,a:b3,platform:Linux,\r\n"
              "not a mapping at all\r\n030000005e0400008e02000010010000,Other,a:b0,platform:Windows,\r\n";
        writeFile(real, before);
        QDir().mkpath(QFileInfo(m_userFile).absolutePath());
        QVERIFY(QFile::link(real, m_userFile));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mapping skipped: .*line 3: ")));
        PadMappings mappings;
        QVERIFY2(mappings.saveMapping(QStringLiteral("03000000de2800000112000001000000,New,a:b0,")),
                 qPrintable(mappings.errorString()));
        QCOMPARE(readFile(real), QByteArray(before).replace(",Old,a:b3,", ",New,a:b0,"));
        QVERIFY(QFileInfo(m_userFile).isSymLink());
        QVERIFY2(tempFilesIn(QFileInfo(real).absolutePath()).isEmpty(), qPrintable(tempFilesIn(real)));
        QFile::remove(m_userFile);
        QFile::remove(real);
    }

    // What is at the mapping file's or report's path, other than a regular file or
    // nothing, is refused and stays as it was; links to a regular file are followed.
    void specialPaths_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fault"); // empty: saved through the link
        QTest::newRow("named pipe") << "pipe"
                                    << "named pipe";
        QTest::newRow("folder") << "folder"
                                << "a folder";
        QTest::newRow("link to a device") << "link to device"
                                          << "character device";
        QTest::newRow("link to a pipe") << "link to pipe"
                                        << "named pipe";
        QTest::newRow("link loop") << "link loop"
                                   << "too many symbolic links";
        QTest::newRow("link to nothing") << "dangling link"
                                         << "";
        QTest::newRow("link to a file") << "link to file"
                                        << "";
    }
    void specialPaths()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, kind);
        QFETCH(QString, fault);
        QTemporaryDir folder;
        const auto make = [&folder, &kind](const QString &path) {
            const QByteArray target
                = QFile::encodeName(folder.filePath(QStringLiteral("target-") + QFileInfo(path).fileName()));
            const QByteArray name = QFile::encodeName(path);
            if (kind == QLatin1String("pipe"))
                return ::mkfifo(name.constData(), 0600) == 0;
            if (kind == QLatin1String("folder"))
                return QDir().mkdir(path);
            if (kind == QLatin1String("link to device")) {
                // A device of our own (the null device's numbers), not the system's.
                if (::mknod(target.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                    return false;
            } else if (kind == QLatin1String("link to pipe")) {
                if (::mkfifo(target.constData(), 0600) != 0)
                    return false;
            } else if (kind == QLatin1String("link loop")) {
                if (::symlink(name.constData(), target.constData()) != 0)
                    return false;
            } else if (kind == QLatin1String("link to file")) {
                QFile file(QFile::decodeName(target));
                if (!file.open(QIODevice::WriteOnly) || file.write("# before\n") != 9)
                    return false;
            }
            return ::symlink(target.constData(), name.constData()) == 0;
        };
        const QString mappingPath = folder.filePath(QStringLiteral("pads.txt"));
        const QString reportPath = folder.filePath(QStringLiteral("report.json"));
        if (!make(mappingPath) || !make(reportPath))
            QSKIP("cannot make this kind of file here (mknod needs root)");
        const auto typeOf = [](const QString &path) {
            struct stat status;
            return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & S_IFMT) : 0;
        };
        const QString mappingTarget = folder.filePath(QStringLiteral("target-pads.txt"));
        const QString reportTarget = folder.filePath(QStringLiteral("target-report.json"));
        const int before[] = {typeOf(mappingPath), typeOf(reportPath), typeOf(mappingTarget), typeOf(reportTarget)};

        const QString mapping = QStringLiteral("03000000de2800000112000001000000,Pad,a:b0,");
        // Only a pipe can be let go of this way (a device would take the writes).
        const bool pipe = kind.contains(QLatin1String("pipe"));
        std::unique_ptr<PipeWatchdog> mappingDog(pipe ? new PipeWatchdog(mappingPath, std::chrono::seconds(5))
                                                      : nullptr);
        std::unique_ptr<PipeWatchdog> reportDog(pipe ? new PipeWatchdog(reportPath, std::chrono::seconds(5)) : nullptr);
        const QString error = gamepadmappings::save(mapping, mappingPath);
        PadReport report;
        const bool reportSaved = report.save(QUrl::fromLocalFile(reportPath));
        QVERIFY(!pipe || (!mappingDog->readerWaited() && !reportDog->readerWaited()));
        if (fault.isEmpty()) {
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY2(reportSaved, qPrintable(report.errorString()));
            QVERIFY(QFileInfo(mappingPath).isSymLink() && QFileInfo(reportPath).isSymLink());
            QVERIFY(readFile(mappingTarget).contains(",Pad,a:b0,"));
            QVERIFY(readFile(reportTarget).contains("\"deviceId\""));
            return;
        }
        QVERIFY2(error.contains(fault), qPrintable(error));
        QVERIFY(!reportSaved);
        QVERIFY2(report.errorString().contains(fault), qPrintable(report.errorString()));
        QCOMPARE(typeOf(mappingPath), before[0]);
        QCOMPARE(typeOf(reportPath), before[1]);
        QCOMPARE(typeOf(mappingTarget), before[2]);
        QCOMPARE(typeOf(reportTarget), before[3]);
        QVERIFY(tempFilesIn(folder.path()).isEmpty());
#else
        QSKIP("POSIX file kinds");
#endif
    }

    // A mapping file that is no regular file, or too large, is reported at start at once
    // and never waited on; the program goes on without it.
    void unreadableMappingFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fault");
        QTest::newRow("named pipe") << "pipe"
                                    << "named pipe";
        QTest::newRow("link to /dev/zero") << "zero"
                                           << "character device";
        QTest::newRow("too large") << "large"
                                   << "larger than the 16 MiB";
    }
    void unreadableMappingFile()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, kind);
        QFETCH(QString, fault);
        QDir().mkpath(QFileInfo(m_userFile).absolutePath());
        const QByteArray name = QFile::encodeName(m_userFile);
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == QLatin1String("zero"))
            QCOMPARE(::symlink("/dev/zero", name.constData()), 0);
        else {
            QFile file(m_userFile);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(gamepadmappings::MaxFileSize + 1));
        }
        // Only a pipe can be let go of this way (/dev/zero would take the writes).
        std::unique_ptr<PipeWatchdog> watchdog(
            kind == QLatin1String("pipe") ? new PipeWatchdog(m_userFile, std::chrono::seconds(3)) : nullptr);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mappings not loaded: .*") + fault));
        {
            const auto backend = GamepadBackend::instance();
            QVERIFY2(backend->userMappingError().contains(fault), qPrintable(backend->userMappingError()));
        }
        QVERIFY(!watchdog || !watchdog->readerWaited());
        QFile::remove(m_userFile);
#else
        QSKIP("POSIX file kinds");
#endif
    }

    // Two programs saving at the same time: every mapping of both ends up in the file.
    void concurrentSaves()
    {
#ifdef Q_OS_UNIX
        constexpr int PerProcess = 150;
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("pads.txt"));
        writeFile(path, "# shared\nnot a mapping\n");
        QProcess first;
        QProcess second;
        const QString program = QCoreApplication::applicationFilePath();
        first.start(program,
                    {QLatin1String(ChildArgument), QStringLiteral("save-many"), path, QStringLiteral("1"),
                     QString::number(PerProcess)});
        second.start(program,
                     {QLatin1String(ChildArgument), QStringLiteral("save-many"), path, QStringLiteral("2"),
                      QString::number(PerProcess)});
        QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.size(), 2 + 2 * PerProcess + 1);
        QCOMPARE(lines.at(1), QByteArray("not a mapping"));
        for (int prefix : {1, 2}) {
            for (int i = 0; i < PerProcess; ++i) {
                const QByteArray guid = guidFor(prefix, i).toLatin1();
                QCOMPARE(std::count_if(lines.begin(), lines.end(),
                                       [&guid](const QByteArray &line) { return line.startsWith(guid); }),
                         1L);
            }
        }
        QVERIFY(tempFilesIn(folder.path()).isEmpty());
#else
        QSKIP("POSIX processes");
#endif
    }

    // Writes that fail part way (a full disk) leave the mapping file and the report as
    // they were, and the saves say so.
    void fullDisk_data()
    {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("full tmpfs") << true;
        QTest::newRow("file size limit") << false;
    }
    void fullDisk()
    {
#ifdef Q_OS_UNIX
        QFETCH(bool, tmpfs);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("pads.txt"));
        const QString reportPath = folder.filePath(QStringLiteral("report.json"));
        QByteArray mappings;
        for (int i = 0; i < 100; ++i)
            mappings += guidFor(3, i).toLatin1() + ",Pad,a:b0,b:b1,leftx:a0,lefty:a1,platform:Linux,\n";
        const QByteArray oldReport = QByteArray("{\n    \"progress\": \"") + QByteArray(4000, 'x') + "\"\n}\n";
        if (!tmpfs) {
            writeFile(path, mappings);
            writeFile(reportPath, oldReport);
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QLatin1String(ChildArgument), QStringLiteral("full-disk"), path, reportPath});
            QVERIFY(child.waitForFinished(60000));
            const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
            QVERIFY2(child.exitCode() == 0, qPrintable(output + child.readAllStandardError()));
            QVERIFY2(output.count(QStringLiteral("File too large")) == 2, qPrintable(output));
        } else {
            if (::geteuid() != 0)
                QSKIP("mounting a tmpfs needs root; the file size limit row covers the same failure");
            if (::mount("tmpfs", QFile::encodeName(folder.path()).constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a tmpfs here");
            struct Unmount
            {
                QByteArray path;
                ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
            } unmount {QFile::encodeName(folder.path())};
            writeFile(path, mappings);
            writeFile(reportPath, oldReport);
            // Fill the rest: the report fails to be written.
            QFile filler(folder.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'f');
            while (filler.write(block) == block.size()) { }
            PadReport report;
            QVERIFY(!report.save(QUrl::fromLocalFile(reportPath)));
            QVERIFY2(report.errorString().contains(QLatin1String("No space left")), qPrintable(report.errorString()));
            // One page for the lock file, none for the mappings (two pages).
            QVERIFY(filler.resize(filler.size() - 4096));
            filler.close();
            const QString error = gamepadmappings::save(guidFor(1, 1) + QStringLiteral(",Pad,a:b0,"), path);
            QVERIFY2(error.contains(QLatin1String("No space left")), qPrintable(error));
            QCOMPARE(readFile(path), mappings);
            QCOMPARE(readFile(reportPath), oldReport);
            QVERIFY(tempFilesIn(folder.path()).isEmpty());
            return; // before the tmpfs goes
        }
        QCOMPARE(readFile(path), mappings);
        QCOMPARE(readFile(reportPath), oldReport);
        QVERIFY(tempFilesIn(folder.path()).isEmpty());
#else
        QSKIP("POSIX limits");
#endif
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
        QCOMPARE(
            document.object().value(QStringLiteral("progress")).toObject().value(QStringLiteral("buttonA")).toInt(), 1);

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

    // Test progress may nest as deep as a report allows, and no deeper: refused with a
    // reason, from C++ and from QML, where a value 20,000 levels deep once crashed.
    void deepProgress()
    {
        const auto nested = [](int levels) {
            QVariant value = 1;
            for (int i = 0; i < levels; ++i)
                value = QVariantMap {{QStringLiteral("a"), value}};
            return value;
        };
        PadReport report;
        report.setProgress(nested(PadReport::MaxDepth - 1)); // the report is the first level
        QCOMPARE(report.errorString(), QString());
        QTemporaryDir folder;
        QVERIFY(report.save(QUrl::fromLocalFile(folder.filePath(QStringLiteral("deep.json")))));
        QVERIFY(report.save(QUrl::fromLocalFile(folder.filePath(QStringLiteral("deep.md")))));
        const QVariant kept = report.progress();
        for (int levels : {PadReport::MaxDepth, 5000}) {
            report.setProgress(nested(levels));
            QVERIFY(report.errorString().contains(QLatin1String("64 levels")));
            QCOMPARE(report.progress(), kept);
        }

        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport com.corvane.diagnostics 1.0\n"
                          "PadReport {\n"
                          "    function nest(levels, array) {\n"
                          "        var value = 1\n"
                          "        for (var i = 0; i < levels; ++i)\n"
                          "            value = array ? [value] : { a: value }\n"
                          "        return value\n"
                          "    }\n"
                          "    function fill(levels, array) { progress = nest(levels, array) }\n"
                          "}\n",
                          QUrl(QStringLiteral("qrc:/DeepReport.qml")));
        std::unique_ptr<QObject> qmlReport(component.create());
        QVERIFY2(qmlReport, qPrintable(component.errorString()));
        for (bool array : {false, true}) {
            QMetaObject::invokeMethod(qmlReport.get(), "fill", Q_ARG(QVariant, 20000), Q_ARG(QVariant, array));
            QVERIFY(qmlReport->property("errorString").toString().contains(QLatin1String("64 levels")));
            QMetaObject::invokeMethod(qmlReport.get(), "fill", Q_ARG(QVariant, 3), Q_ARG(QVariant, array));
            QCOMPARE(qmlReport->property("errorString").toString(), QString());
            QVariantMap json;
            QMetaObject::invokeMethod(qmlReport.get(), "json", Q_RETURN_ARG(QVariantMap, json));
            const QVariant progress = json.value(QStringLiteral("progress"));
            const QVariant inner = array
                ? progress.toList().value(0).toList().value(0)
                : progress.toMap().value(QStringLiteral("a")).toMap().value(QStringLiteral("a"));
            QCOMPARE(array ? inner.toList().value(0).toInt() : inner.toMap().value(QStringLiteral("a")).toInt(), 1);
        }
    }

    void typesInQml()
    {
        Rig rig;
        QVERIFY(rig.attach(QStringLiteral("Joyvant Qml Pad")));
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        component.setData(
            "import QtQml 2.15\nimport com.corvane.diagnostics 1.0\n"
            "QtObject {\n"
            "    id: root\n"
            "    property int deviceId: -1\n"
            "    property StickHealth right: StickHealth { deviceId: root.deviceId; stick: StickHealth.Right }\n"
            "    property TriggerRange trigger: TriggerRange { deviceId: root.deviceId; trigger: TriggerRange.Right }\n"
            "    property PadReport report: PadReport { deviceId: root.deviceId; rightStick: root.right; progress: ({ "
            "a: 2 }) }\n"
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
        QCOMPARE(json.value(QStringLiteral("sticks"))
                     .toMap()
                     .value(QStringLiteral("right"))
                     .toMap()
                     .value(QStringLiteral("stick")),
                 QStringLiteral("right"));
    }

private:
    int m_padNumber = 0;
    QTemporaryDir m_config;
    QString m_userFile;
};

int main(int argc, char **argv)
{
#ifdef Q_OS_UNIX
    if (argc > 1 && qstrcmp(argv[1], ChildArgument) == 0) {
        QCoreApplication app(argc, argv);
        return runChild(app.arguments());
    }
#endif
    QCoreApplication app(argc, argv);
    TestDiagnostics test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_diagnostics.moc"
