// The bench's types on the real gamepad back end, with SDL virtual pads that record
// every rumble, trigger rumble and LED call SDL makes to them.
//
// Pattern timing: the levels a pattern sends are those of its curve at the moment they
// are sent, and the pad records the time of each call as it happens, so each recorded
// level is checked against the curve at its recorded time, within Tolerance ms (the
// clocks' millisecond resolution and the start estimated from the first call). When a
// late timer sends a level does not matter; that the level fits its time does.
#include "eventframes.h"
#include "gamepad.h"
#include "gamepadbackend.h"
#include "hapticbench.h"
#include "reportratebench.h"
#include "sensorbench.h"
#include "virtualgamepad.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/input.h>
#include <memory>
#include <unistd.h>

using joyvant::Gamepad;
using joyvant::GamepadBackend;
using joyvant::HapticBench;
using joyvant::HapticPattern;
using joyvant::MotorLevels;
using joyvant::ReportRateBench;
using joyvant::SensorBench;
using joyvant::test::VirtualGamepad;

namespace {

constexpr qint64 Tolerance = 4; // ms
constexpr int PatternTimeout = 10000; // ms: a 2 s pattern on a busy machine

// One recorded call of either kind, as motor levels at a time since attach.
struct Call
{
    qint64 msecs;
    MotorLevels levels;
};

// The pad's calls merged in time order, each carrying the levels of all four motors
// after it.
QVector<Call> calls(const VirtualGamepad &pad)
{
    QVector<Call> merged;
    const auto rumble = pad.rumbleCalls();
    const auto triggers = pad.triggerRumbleCalls();
    int r = 0, t = 0;
    MotorLevels now;
    while (r < rumble.size() || t < triggers.size()) {
        const bool takeRumble = t >= triggers.size() || (r < rumble.size() && rumble[r].msecs <= triggers[t].msecs);
        qint64 at;
        if (takeRumble) {
            now.low = quint16(rumble[r].low);
            now.high = quint16(rumble[r].high);
            at = rumble[r++].msecs;
        } else {
            now.leftTrigger = quint16(triggers[t].left);
            now.rightTrigger = quint16(triggers[t].right);
            at = triggers[t++].msecs;
        }
        merged.append({at, now});
    }
    return merged;
}

bool near(const MotorLevels &a, const MotorLevels &b, int slack)
{
    return qAbs(a.low - b.low) <= slack && qAbs(a.high - b.high) <= slack
        && qAbs(a.leftTrigger - b.leftTrigger) <= slack && qAbs(a.rightTrigger - b.rightTrigger) <= slack;
}

QString describe(const MotorLevels &levels)
{
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(levels.low)
        .arg(levels.high)
        .arg(levels.leftTrigger)
        .arg(levels.rightTrigger);
}

// Whether `levels` is what the curve gives somewhere within Tolerance of `ms`; the ramp
// may differ by the rise of Tolerance ms.
bool fitsCurve(const HapticPattern &pattern, qint64 ms, const MotorLevels &levels)
{
    const int slack
        = pattern.kind() == HapticPattern::Ramp ? int(HapticPattern::Full * Tolerance / HapticPattern::RampMs) + 1 : 0;
    for (qint64 at = ms - Tolerance; at <= ms + Tolerance; ++at) {
        if (near(pattern.levelsAt(qBound<qint64>(0, at, pattern.durationMs() - 1)), levels, slack))
            return true;
    }
    return false;
}

struct Rig
{
    QSharedPointer<GamepadBackend> backend = GamepadBackend::instance();
    VirtualGamepad pad;

    bool attach(bool triggerRumble = true, bool led = true)
    {
        pad.setTriggerRumble(triggerRumble);
        pad.setLed(led);
        if (!pad.attach())
            return false;
        backend->pump();
        return backend->hasDevice(pad.deviceId());
    }
};

QByteArray frames1000Hz(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const qint64 us = 1000000 + i * 1000;
        bytes += joyvant::eventRecord(us, EV_ABS, ABS_X, i) + joyvant::eventRecord(us, EV_SYN, SYN_REPORT, 0);
    }
    return bytes;
}

// A pipe holding `bytes` (which fit its buffer), its writing end closed if `close`.
int pipeWith(const QByteArray &bytes, bool close, int *writeEnd = nullptr)
{
    int ends[2];
    if (::pipe(ends) != 0 || ::write(ends[1], bytes.constData(), size_t(bytes.size())) != bytes.size())
        return -1;
    if (close)
        ::close(ends[1]);
    else if (writeEnd)
        *writeEnd = ends[1];
    return ends[0];
}

} // namespace

Q_DECLARE_METATYPE(HapticBench::Pattern)

class TestBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<HapticBench::Pattern>("Pattern"); }

    void patternLevels_data()
    {
        QTest::addColumn<HapticBench::Pattern>("pattern");
        QTest::addColumn<int>("pulseRate");
        QTest::newRow("low-frequency motor") << HapticBench::LowFrequency << 10;
        QTest::newRow("high-frequency motor") << HapticBench::HighFrequency << 10;
        QTest::newRow("both motors") << HapticBench::BothMotors << 10;
        QTest::newRow("ramp") << HapticBench::Ramp << 10;
        QTest::newRow("pulse train, 5 Hz") << HapticBench::PulseTrain << 5;
        QTest::newRow("left trigger") << HapticBench::LeftTrigger << 10;
        QTest::newRow("right trigger") << HapticBench::RightTrigger << 10;
    }

    void patternLevels()
    {
        QFETCH(HapticBench::Pattern, pattern);
        QFETCH(int, pulseRate);
        Rig rig;
        QVERIFY(rig.attach());
        HapticBench bench;
        bench.setDeviceId(rig.pad.deviceId());
        bench.setPulseRate(pulseRate);
        QSignalSpy finished(&bench, &HapticBench::finished);
        rig.pad.clearRumbleCalls();
        QVERIFY(bench.play(pattern));
        QVERIFY(bench.isPlaying());
        QCOMPARE(bench.pattern(), pattern);
        QVERIFY(rig.backend->isRumbleHeld(rig.pad.deviceId()));
        QTRY_VERIFY_WITH_TIMEOUT(!bench.isPlaying(), PatternTimeout);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(1).toBool(), true);
        QVERIFY(!rig.backend->isRumbleHeld(rig.pad.deviceId()));

        const HapticPattern curve(HapticPattern::Kind(pattern), pulseRate);
        const QVector<Call> recorded = calls(rig.pad);
        QVERIFY(recorded.size() >= 2);
        // Every motor ends at 0, and not before the pattern's time is up.
        QVERIFY2(recorded.constLast().levels.isOff(), qPrintable(describe(recorded.constLast().levels)));
        QVERIFY(!recorded.at(recorded.size() - 2).levels.isOff());
        // The start, from the first call: the ramp's first level tells how far in it was.
        const Call &first = recorded.constFirst();
        const qint64 start = first.msecs
            - qint64(first.levels.low) * HapticPattern::RampMs / HapticPattern::Full
                * (pattern == HapticBench::Ramp ? 1 : 0);
        qint64 silentFrom = curve.durationMs(); // from here on the curve is 0
        while (silentFrom > 0 && curve.levelsAt(silentFrom - 1).isOff())
            --silentFrom;
        QVERIFY2(recorded.constLast().msecs - start >= silentFrom - Tolerance,
                 qPrintable(QString::number(recorded.constLast().msecs - start)));
        int pulses = 0;
        for (int i = 0; i + 1 < recorded.size(); ++i) {
            const Call &call = recorded.at(i);
            QVERIFY2(
                fitsCurve(curve, call.msecs - start, call.levels),
                qPrintable(
                    QStringLiteral("call %1 at %2 ms: %3").arg(i).arg(call.msecs - start).arg(describe(call.levels))));
            pulses += call.levels.isOff() ? 0 : 1;
        }
        if (pattern == HapticBench::PulseTrain) {
            // 2 s at 5 Hz; a timer late by a whole half period (100 ms) would lose one.
            QVERIFY2(pulses >= 2 * pulseRate - 1 && pulses <= 2 * pulseRate, qPrintable(QString::number(pulses)));
        } else if (pattern == HapticBench::Ramp) {
            QVERIFY2(pulses >= 50, qPrintable(QString::number(pulses))); // steps of 20 ms over 2 s
        } else {
            QCOMPARE(pulses, 1); // one level, held
        }
        const QVariantList played = bench.summary().value(QStringLiteral("played")).toList();
        QCOMPARE(played.size(), 1);
        QCOMPARE(played.at(0).toMap().value(QStringLiteral("pattern")).toString(),
                 QString::fromLatin1(HapticPattern::name(HapticPattern::Kind(pattern))));
        QCOMPARE(played.at(0).toMap().value(QStringLiteral("completed")).toBool(), true);
    }

    void endsAtZeroWhenCut_data()
    {
        QTest::addColumn<HapticBench::Pattern>("pattern");
        QTest::addColumn<QString>("cut");
        for (HapticBench::Pattern pattern : {HapticBench::Ramp, HapticBench::RightTrigger}) {
            const QString name = QString::fromLatin1(HapticPattern::name(HapticPattern::Kind(pattern)));
            for (const char *cut : {"stop", "inactive", "other device", "no device", "destroyed", "detached"})
                QTest::newRow(qPrintable(name + QLatin1String(", ") + QLatin1String(cut)))
                    << pattern << QString::fromLatin1(cut);
        }
    }

    void endsAtZeroWhenCut()
    {
        QFETCH(HapticBench::Pattern, pattern);
        QFETCH(QString, cut);
        Rig rig;
        QVERIFY(rig.attach());
        Rig other;
        QVERIFY(other.attach());
        auto bench = std::make_unique<HapticBench>();
        bench->setDeviceId(rig.pad.deviceId());
        QSignalSpy finished(bench.get(), &HapticBench::finished);
        rig.pad.clearRumbleCalls();
        QVERIFY(bench->play(pattern));
        // Well into the pattern: the motors run.
        QTRY_VERIFY(rig.pad.lowFrequencyRumble() > 2000 || rig.pad.rightTriggerRumble() > 0);
        const int deviceId = rig.pad.deviceId();
        if (cut == QLatin1String("stop"))
            bench->stop();
        else if (cut == QLatin1String("inactive"))
            bench->setActive(false);
        else if (cut == QLatin1String("other device"))
            bench->setDeviceId(other.pad.deviceId());
        else if (cut == QLatin1String("no device"))
            bench->setDeviceId(-1);
        else if (cut == QLatin1String("destroyed"))
            bench.reset();
        else if (cut == QLatin1String("detached")) {
            const int before = rig.pad.rumbleCount() + rig.pad.triggerRumbleCount();
            rig.pad.detach();
            QTRY_VERIFY(!rig.backend->hasDevice(deviceId));
            QVERIFY(!bench->isPlaying());
            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished.at(0).at(1).toBool(), false);
            // Nothing more reaches a pad that has gone; nothing is held for its id.
            QCOMPARE(rig.pad.rumbleCount() + rig.pad.triggerRumbleCount(), before);
            QVERIFY(!rig.backend->isRumbleHeld(deviceId));
            // The pad comes back as a new device and nothing plays on it.
            QVERIFY(rig.attach());
            QVERIFY(!rig.backend->isRumbleHeld(rig.pad.deviceId()));
            QCOMPARE(rig.pad.rumbleCount() + rig.pad.triggerRumbleCount(), 0);
            return;
        }
        // Every motor is at 0 the moment the pattern is cut, and stays there.
        QCOMPARE(rig.pad.lowFrequencyRumble(), 0);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);
        QCOMPARE(rig.pad.leftTriggerRumble(), 0);
        QCOMPARE(rig.pad.rightTriggerRumble(), 0);
        QVERIFY(!rig.backend->isRumbleHeld(deviceId));
        QVERIFY(!rig.backend->isRumbleHeld(other.pad.deviceId()));
        QCOMPARE(other.pad.rumbleCount() + other.pad.triggerRumbleCount(), 0);
        if (bench) {
            QVERIFY(!bench->isPlaying());
            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished.at(0).at(1).toBool(), false);
        }
        // Nothing more reaches the pad for longer than the pattern would have lasted:
        // the time the whole pattern takes on the other pad.
        const int after = rig.pad.rumbleCount() + rig.pad.triggerRumbleCount();
        HapticBench timer;
        timer.setDeviceId(other.pad.deviceId());
        QVERIFY(timer.play(pattern));
        QTRY_VERIFY_WITH_TIMEOUT(!timer.isPlaying(), PatternTimeout);
        QCOMPARE(rig.pad.rumbleCount() + rig.pad.triggerRumbleCount(), after);
    }

    void testViewRumbleHeldOffDuringPattern()
    {
        Rig rig;
        QVERIFY(rig.attach());
        // The test view's rule: the right trigger's depth is the right motor's level.
        Gamepad gamepad;
        gamepad.setDeviceId(rig.pad.deviceId());
        connect(&gamepad, &Gamepad::buttonR2Changed, &gamepad, &Gamepad::setRightMotorSpeed);
        auto pull = [&rig](int value) {
            rig.pad.setAxis(VirtualGamepad::AxisTriggerRight, value);
            rig.backend->pump();
        };
        pull(32767);
        QCOMPARE(rig.pad.highFrequencyRumble(), 65535);
        pull(0);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);

        HapticBench bench;
        bench.setDeviceId(rig.pad.deviceId());
        QVERIFY(bench.play(HapticBench::LowFrequency));
        QCOMPARE(rig.pad.lowFrequencyRumble(), 65535);
        // The trigger moves, the gamepad asks, the pad plays the pattern only.
        pull(32767);
        QCOMPARE(gamepad.rightMotorSpeed(), 1.0);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);
        QCOMPARE(rig.pad.lowFrequencyRumble(), 65535);
        pull(16384);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);
        // Another pattern follows on the same pad: what the trigger asks for does not come
        // through in between.
        const quint16 asked = Gamepad::rumbleStrength(gamepad.rightMotorSpeed());
        rig.pad.clearRumbleCalls();
        QVERIFY(bench.play(HapticBench::HighFrequency));
        QCOMPARE(rig.pad.highFrequencyRumble(), 65535);
        for (const VirtualGamepad::RumbleCall &call : rig.pad.rumbleCalls())
            QVERIFY(call.high != asked);
        QCOMPARE(bench.summary().value(QStringLiteral("played")).toList().size(), 1); // the first, cut short
        // When it ends, the level the trigger asks for now comes back, and the trigger
        // drives the motor again.
        QTRY_VERIFY_WITH_TIMEOUT(!bench.isPlaying(), PatternTimeout);
        QCOMPARE(rig.pad.lowFrequencyRumble(), 0);
        QCOMPARE(rig.pad.highFrequencyRumble(), asked);
        QVERIFY(asked > 30000);
        pull(32767);
        QCOMPARE(rig.pad.highFrequencyRumble(), 65535);
        pull(0);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);
    }

    void availability()
    {
        Rig plain;
        QVERIFY(plain.attach(false, false));
        Rig full;
        QVERIFY(full.attach());
        HapticBench bench;
        QSignalSpy features(&bench, &HapticBench::featuresChanged);
        QCOMPARE(bench.unavailableReason(HapticBench::BothMotors), QStringLiteral("No pad is connected."));
        QVERIFY(!bench.play(HapticBench::BothMotors));

        // A pad without trigger motors: the trigger patterns are refused with the reason.
        bench.setDeviceId(plain.pad.deviceId());
        QVERIFY(bench.hasRumble());
        QVERIFY(!bench.hasTriggerRumble());
        const QVariantList patterns = bench.patterns();
        QCOMPARE(patterns.size(), 7);
        for (const QVariant &entry : patterns) {
            const QVariantMap map = entry.toMap();
            const bool trigger = map.value(QStringLiteral("name")).toString().endsWith(QLatin1String("Trigger"));
            QCOMPARE(map.value(QStringLiteral("available")).toBool(), !trigger);
            QCOMPARE(map.value(QStringLiteral("reason")).toString(),
                     trigger ? QStringLiteral("This pad has no trigger motors.") : QString());
        }
        QVERIFY(!bench.play(HapticBench::LeftTrigger));
        QVERIFY(!bench.isPlaying());
        QCOMPARE(plain.pad.triggerRumbleCount(), 0);
        QCOMPARE(plain.pad.rumbleCount(), 0);
        QCOMPARE(bench.summary().value(QStringLiteral("triggerRumble")).toBool(), false);

        // Not active: nothing plays. Another bench holding the pad: nothing plays.
        bench.setDeviceId(full.pad.deviceId());
        QVERIFY(bench.isAvailable(HapticBench::RightTrigger));
        bench.setActive(false);
        QCOMPARE(bench.unavailableReason(HapticBench::Ramp), QStringLiteral("The bench is not active."));
        bench.setActive(true);
        HapticBench second;
        second.setDeviceId(full.pad.deviceId());
        features.clear();
        // What a view reads when the hold is taken: the player's own hold blocks none of
        // its patterns.
        QVariantList published;
        connect(&second, &HapticBench::featuresChanged, &second, [&] { published = second.patterns(); });
        QVERIFY(second.play(HapticBench::Ramp));
        QVERIFY(features.count() >= 1);
        QCOMPARE(published.size(), 7);
        for (const QVariant &entry : qAsConst(published))
            QVERIFY2(entry.toMap().value(QStringLiteral("available")).toBool(),
                     qPrintable(entry.toMap().value(QStringLiteral("reason")).toString()));
        QCOMPARE(bench.unavailableReason(HapticBench::Ramp), QStringLiteral("Another pattern is playing on this pad."));
        QVERIFY(!bench.play(HapticBench::Ramp));
        QVERIFY(second.unavailableReason(HapticBench::Ramp).isEmpty()); // it may start another
        second.stop();
        QVERIFY(bench.isAvailable(HapticBench::Ramp));
        QCOMPARE(bench.unavailableReason(HapticBench::Pattern(42)), QStringLiteral("There is no such pattern."));
    }

    void ledAndSensors()
    {
        Rig lit;
        QVERIFY(lit.attach(false, true));
        Rig dark;
        QVERIFY(dark.attach(false, false));
        SensorBench bench;
        bench.setLedColor(QColor(QStringLiteral("#3366cc")));
        bench.setDeviceId(lit.pad.deviceId());
        // The colour set before the pad was chosen reaches it when it is.
        QVERIFY(bench.hasLed());
        QCOMPARE(lit.pad.ledColor(), QStringLiteral("#3366cc"));
        bench.setLedColor(QColor(255, 128, 0));
        QCOMPARE(lit.pad.ledColor(), QStringLiteral("#ff8000"));
        QCOMPARE(lit.pad.ledCalls().size(), 2);
        QCOMPARE(bench.summary().value(QStringLiteral("ledColor")).toString(), QStringLiteral("#ff8000"));
        QVERIFY(bench.unavailableReason(SensorBench::Led).isEmpty());

        // SDL's virtual pads have no motion sensors or touchpads: each says so.
        QVERIFY(!bench.hasGyro());
        QVERIFY(!bench.hasAccelerometer());
        QCOMPARE(bench.touchpads(), 0);
        QCOMPARE(bench.gyroRate(), 0.0);
        QCOMPARE(bench.unavailableReason(SensorBench::Gyro), QStringLiteral("This pad has no gyro that SDL can read."));
        QCOMPARE(bench.unavailableReason(SensorBench::Accelerometer),
                 QStringLiteral("This pad has no accelerometer that SDL can read."));
        QCOMPARE(bench.unavailableReason(SensorBench::Touchpad),
                 QStringLiteral("This pad has no touchpad that SDL can read."));
        QVERIFY(bench.fingers().isEmpty());
        const QVariantMap summary = bench.summary();
        QCOMPARE(summary.value(QStringLiteral("gyro")).toMap().value(QStringLiteral("present")).toBool(), false);
        QCOMPARE(summary.value(QStringLiteral("touchpads")).toList().size(), 0);

        // A pad without a light: nothing is sent, the reason is given, the report says so.
        bench.setDeviceId(dark.pad.deviceId());
        QVERIFY(!bench.hasLed());
        QCOMPARE(bench.unavailableReason(SensorBench::Led), QStringLiteral("This pad has no light that SDL can set."));
        QVERIFY(dark.pad.ledCalls().isEmpty());
        QVERIFY(!bench.summary().contains(QStringLiteral("ledColor")));
        QCOMPARE(bench.summary().value(QStringLiteral("led")).toBool(), false);

        // The lit pad comes back: the colour is sent to it again.
        bench.setDeviceId(lit.pad.deviceId());
        lit.pad.detach();
        QTRY_VERIFY(!lit.backend->hasDevice(bench.deviceId()));
        QCOMPARE(bench.unavailableReason(SensorBench::Led), QStringLiteral("No pad is connected."));
    }

    void reportRateReasons()
    {
        Rig rig;
        QVERIFY(rig.attach());
        ReportRateBench bench;
        QVERIFY(!bench.isAvailable());
        QCOMPARE(bench.reason(), QStringLiteral("No pad is connected."));
        bench.setDeviceId(rig.pad.deviceId());
        QVERIFY(!bench.isAvailable());
        QCOMPARE(bench.reason(),
                 QStringLiteral(
                     "This pad has no event device to read (SDL reaches it another way, as it does a virtual pad)."));
        QCOMPARE(bench.summary().value(QStringLiteral("reason")).toString(), bench.reason());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString reason;
        const QString missing = dir.filePath(QStringLiteral("event99"));
        QCOMPARE(ReportRateBench::openEventDevice(missing, &reason), -1);
        QCOMPARE(reason, QStringLiteral("Cannot open %1: No such file or directory.").arg(missing));
        const QString plainFile = dir.filePath(QStringLiteral("hidraw0"));
        {
            QFile file(plainFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(ReportRateBench::openEventDevice(plainFile, &reason), -1);
        QVERIFY2(reason.startsWith(plainFile + QStringLiteral(" is not an event device")), qPrintable(reason));
        if (::geteuid() != 0) { // root reads anything
            QFile::setPermissions(plainFile, QFileDevice::WriteOwner);
            QCOMPARE(ReportRateBench::openEventDevice(plainFile, &reason), -1);
            QVERIFY2(reason.startsWith(QStringLiteral("No permission to read %1.").arg(plainFile)), qPrintable(reason));
        }
    }

    void eventDeviceOfHidraw()
    {
        // A DualShock 4 as its HID driver lays it out: motion sensors, touchpad, pad.
        QTemporaryDir sys;
        QVERIFY(sys.isValid());
        const QString base = sys.filePath(QStringLiteral("class/hidraw/hidraw3/device/input/"));
        struct Input
        {
            const char *name, *properties, *axes, *event;
        };
        for (const Input &input :
             {Input {"input20", "40", "3f", "event20"}, Input {"input21", "5", "2608000 3", "event21"},
              Input {"input22", "0", "3003f", "event22"}, Input {"input23", "0", "0", "event23"}}) {
            const QString dir = base + QLatin1String(input.name);
            QVERIFY(QDir().mkpath(dir + QStringLiteral("/capabilities")));
            QVERIFY(QDir().mkpath(dir + QLatin1Char('/') + QLatin1String(input.event)));
            for (const auto &file :
                 {std::make_pair("properties", input.properties), std::make_pair("capabilities/abs", input.axes)}) {
                QFile text(dir + QLatin1Char('/') + QLatin1String(file.first));
                QVERIFY(text.open(QIODevice::WriteOnly));
                text.write(QByteArray(file.second) + '\n');
            }
        }
        QCOMPARE(ReportRateBench::eventDeviceOfHidraw(QStringLiteral("/dev/hidraw3"), sys.path()),
                 QStringLiteral("/dev/input/event22"));
        QCOMPARE(ReportRateBench::eventDeviceOfHidraw(QStringLiteral("/dev/hidraw4"), sys.path()), QString());
        QCOMPARE(ReportRateBench::eventDeviceOfHidraw(QStringLiteral("/dev/input/event2"), sys.path()), QString());
    }

    void reportRateFromDescriptor_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("close");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the descriptor closes") << QByteArray() << true << QStringLiteral("The event device closed.");
        QTest::newRow("a truncated record")
            << QByteArray(7, 'x') << true << QStringLiteral("The event device ended in the middle of a record.");
        QTest::newRow("still open") << QByteArray() << false << QString();
    }

    void reportRateFromDescriptor()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, close);
        QFETCH(QString, reason);
        ReportRateBench bench;
        QSignalSpy figures(&bench, &ReportRateBench::figuresChanged);
        int writeEnd = -1;
        const int fd = pipeWith(frames1000Hz(600) + tail, close, &writeEnd);
        QVERIFY(fd >= 0);
        bench.measureDescriptor(fd);
        QVERIFY(bench.isAvailable());
        QTRY_VERIFY(bench.isMeasured());
        QCOMPARE(bench.rateClass(), 1000);
        QCOMPARE(bench.rateClassText(), QStringLiteral("1000 Hz"));
        QCOMPARE(bench.rate(), 1000.0);
        QCOMPARE(bench.medianInterval(), 1.0);
        QCOMPARE(bench.jitter(), 0.0);
        QCOMPARE(bench.longestGap(), 1.0);
        QTRY_COMPARE(bench.intervals(), 599);
        QTRY_COMPARE(bench.reason(), reason);
        const QVariantMap summary = bench.summary();
        QCOMPARE(summary.value(QStringLiteral("rateClass")).toInt(), 1000);
        QCOMPARE(summary.value(QStringLiteral("jitterMs")).toDouble(), 0.0);
        QCOMPARE(summary.value(QStringLiteral("available")).toBool(), reason.isEmpty());
        // The figures stay after the end; reset() forgets them.
        bench.reset();
        QVERIFY(!bench.isMeasured());
        QCOMPARE(bench.rateClassText(), QString());
        if (writeEnd >= 0)
            ::close(writeEnd);
    }

    void typesInQml()
    {
        Rig rig;
        QVERIFY(rig.attach());
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine);
        // QtQuick gives QML its colour type.
        component.setData(
            "import QtQuick 2.15\nimport com.corvane.diagnostics 1.0\n"
            "QtObject {\n"
            "    id: root\n"
            "    property int deviceId: -1\n"
            "    property HapticBench haptics: HapticBench { deviceId: root.deviceId; pulseRate: 25 }\n"
            "    property SensorBench sensors: SensorBench { deviceId: root.deviceId; ledColor: \"#102030\" }\n"
            "    property ReportRateBench rate: ReportRateBench { deviceId: root.deviceId }\n"
            "    property int patterns: haptics.patterns.length\n"
            "    property string reason: haptics.patterns[HapticBench.LeftTrigger].reason\n"
            "    function play() { return haptics.play(HapticBench.PulseTrain) }\n"
            "}\n",
            QUrl(QStringLiteral("qrc:/BenchHolder.qml")));
        std::unique_ptr<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QCOMPARE(root->property("reason").toString(), QStringLiteral("No pad is connected."));
        root->setProperty("deviceId", rig.pad.deviceId());
        QCOMPARE(root->property("patterns").toInt(), 7);
        QCOMPARE(root->property("reason").toString(), QString());
        QCOMPARE(rig.pad.ledColor(), QStringLiteral("#102030"));
        // The plug-in has its own copy of the types: reach them through properties.
        auto *haptics = root->property("haptics").value<QObject *>();
        QVERIFY(haptics);
        QCOMPARE(haptics->property("pulseRate").toInt(), 20);
        QVariant played;
        QVERIFY(QMetaObject::invokeMethod(root.get(), "play", Q_RETURN_ARG(QVariant, played)));
        QVERIFY(played.toBool());
        QVERIFY(haptics->property("playing").toBool());
        QVERIFY(rig.backend->isRumbleHeld(rig.pad.deviceId()));
        // The engine goes with the view: every motor stops.
        root.reset();
        QCOMPARE(rig.pad.lowFrequencyRumble(), 0);
        QCOMPARE(rig.pad.highFrequencyRumble(), 0);
        QVERIFY(!rig.backend->isRumbleHeld(rig.pad.deviceId()));
    }
};

QTEST_MAIN(TestBench)
#include "tst_bench.moc"
