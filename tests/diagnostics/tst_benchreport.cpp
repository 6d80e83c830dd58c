// What the bench found, in a pad's report: PadHealth's own benches on the real gamepad
// back end with SDL virtual pads, the report-rate bench fed recorded frames through a
// pipe. Each row states the JSON it expects under "bench" and the line the Markdown
// carries.
#include "eventframes.h"
#include "gamepadbackend.h"
#include "padhealth.h"
#include "virtualgamepad.h"

#include <QtTest>

#include <linux/input.h>
#include <unistd.h>

using joyvant::GamepadBackend;
using joyvant::HapticBench;
using joyvant::PadHealth;
using joyvant::test::VirtualGamepad;

Q_DECLARE_METATYPE(HapticBench::Pattern)

namespace {

constexpr int PatternTimeout = 10000; // ms: a 2 s pattern on a busy machine

// `count` frames `intervalUs` apart, the stick moving in each, with one pause of
// `gapUs` after the middle one (0 for none).
QByteArray frames(int count, qint64 intervalUs, qint64 gapUs)
{
    QByteArray bytes;
    qint64 us = 1000000;
    for (int i = 0; i < count; ++i) {
        bytes += joyvant::eventRecord(us, EV_ABS, ABS_X, i) + joyvant::eventRecord(us, EV_SYN, SYN_REPORT, 0);
        us += (gapUs && i == count / 2) ? gapUs : intervalUs;
    }
    return bytes;
}

// The read end of a pipe holding `bytes` (which fit its buffer), its write end closed.
int pipeWith(const QByteArray &bytes)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    const bool written = ::write(ends[1], bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(ends[1]);
    if (!written) {
        ::close(ends[0]);
        return -1;
    }
    return ends[0];
}

QVariantMap benchOf(const PadHealth &health, const QString &part)
{
    return health.report()->json().value(QStringLiteral("bench")).toMap().value(part).toMap();
}

// The Markdown's bench section.
QString benchMarkdown(const PadHealth &health)
{
    const QString markdown = health.report()->markdown();
    const int at = markdown.indexOf(QLatin1String("\n## Bench\n"));
    return at < 0 ? QString() : markdown.mid(at);
}

} // namespace

class TestBenchReport : public QObject
{
    Q_OBJECT

    QSharedPointer<GamepadBackend> m_backend = GamepadBackend::instance();

    bool attach(VirtualGamepad &pad, bool triggerRumble, bool led)
    {
        pad.setTriggerRumble(triggerRumble);
        pad.setLed(led);
        if (!pad.attach())
            return false;
        m_backend->pump();
        return m_backend->hasDevice(pad.deviceId());
    }

private slots:
    void initTestCase() { qRegisterMetaType<HapticBench::Pattern>("Pattern"); }

    void haptics_data()
    {
        QTest::addColumn<bool>("triggerRumble");
        QTest::addColumn<QList<HapticBench::Pattern>>("patterns");
        QTest::addColumn<int>("pulseRate");
        QTest::addColumn<bool>("stop"); // the last pattern is stopped, not played out
        QTest::addColumn<QString>("played"); // the Markdown's line

        using Patterns = QList<HapticBench::Pattern>;
        QTest::newRow("nothing played") << false << Patterns() << 10 << false << QStringLiteral("none");
        QTest::newRow("one played out")
            << false << Patterns {HapticBench::LowFrequency} << 10 << false
            << QStringLiteral("lowFrequency (completed)");
        QTest::newRow("a pulse train stopped")
            << false << Patterns {HapticBench::PulseTrain} << 5 << true << QStringLiteral("pulseTrain at 5 Hz (stopped)");
        QTest::newRow("trigger motor, then both, stopped")
            << true << Patterns {HapticBench::RightTrigger, HapticBench::BothMotors} << 10 << true
            << QStringLiteral("rightTrigger (completed), bothMotors (stopped)");
    }

    void haptics()
    {
        QFETCH(bool, triggerRumble);
        QFETCH(QList<HapticBench::Pattern>, patterns);
        QFETCH(int, pulseRate);
        QFETCH(bool, stop);
        QFETCH(QString, played);
        VirtualGamepad pad;
        QVERIFY(attach(pad, triggerRumble, false));
        PadHealth health(pad.deviceId());
        // Nothing plays before the bench shows.
        QVERIFY(!health.haptics()->play(HapticBench::LowFrequency));
        health.setBenchActive(true);
        health.haptics()->setPulseRate(pulseRate);
        for (int i = 0; i < patterns.size(); ++i) {
            QVERIFY(health.haptics()->play(patterns.at(i)));
            if (stop && i == patterns.size() - 1)
                health.haptics()->stop();
            QTRY_VERIFY_WITH_TIMEOUT(!health.haptics()->isPlaying(), PatternTimeout);
        }

        const QVariantMap haptics = benchOf(health, QStringLiteral("haptics"));
        QCOMPARE(haptics.value(QStringLiteral("rumble")).toBool(), true);
        QCOMPARE(haptics.value(QStringLiteral("triggerRumble")).toBool(), triggerRumble);
        const QVariantList runs = haptics.value(QStringLiteral("played")).toList();
        QCOMPARE(runs.size(), patterns.size());
        for (int i = 0; i < runs.size(); ++i) {
            const QVariantMap run = runs.at(i).toMap();
            QCOMPARE(run.value(QStringLiteral("pattern")).toString(),
                     QString::fromLatin1(joyvant::HapticPattern::name(joyvant::HapticPattern::Kind(patterns.at(i)))));
            QCOMPARE(run.value(QStringLiteral("completed")).toBool(), !(stop && i == runs.size() - 1));
        }
        const QString markdown = benchMarkdown(health);
        QVERIFY2(markdown.contains(QStringLiteral("- motors: yes\n")), qPrintable(markdown));
        QVERIFY2(markdown.contains(QStringLiteral("- trigger motors: %1\n").arg(triggerRumble ? "yes" : "no")),
                 qPrintable(markdown));
        QVERIFY2(markdown.contains(QStringLiteral("- patterns played: %1\n").arg(played)), qPrintable(markdown));
    }

    void lightAndSensors_data()
    {
        QTest::addColumn<bool>("led");
        QTest::addColumn<QString>("color"); // set on the bench, empty for none
        QTest::addColumn<QString>("light"); // the Markdown's line

        QTest::newRow("LED, colour set") << true << QStringLiteral("#ff8000")
                                         << QStringLiteral("yes, colour set to #ff8000");
        QTest::newRow("LED, nothing set") << true << QString() << QStringLiteral("yes");
        // A colour that never reached a pad is not reported as shown.
        QTest::newRow("no LED, colour set") << false << QStringLiteral("#00ff00") << QStringLiteral("no");
    }

    void lightAndSensors()
    {
        QFETCH(bool, led);
        QFETCH(QString, color);
        QFETCH(QString, light);
        VirtualGamepad pad;
        QVERIFY(attach(pad, false, led));
        PadHealth health(pad.deviceId());
        if (!color.isEmpty())
            health.sensors()->setLedColor(QColor(color));
        if (led && !color.isEmpty())
            QTRY_COMPARE(pad.ledColor(), color);

        const QVariantMap sensors = benchOf(health, QStringLiteral("lightAndSensors"));
        QCOMPARE(sensors.value(QStringLiteral("led")).toBool(), led);
        QCOMPARE(sensors.value(QStringLiteral("ledColor")).toString(), led ? color : QString());
        // SDL's virtual pads have no motion sensors or touchpads.
        QCOMPARE(sensors.value(QStringLiteral("gyro")).toMap().value(QStringLiteral("present")).toBool(), false);
        QCOMPARE(sensors.value(QStringLiteral("touchpads")).toList().size(), 0);
        const QString markdown = benchMarkdown(health);
        for (const QString &line : {QStringLiteral("- light: %1\n").arg(light), QStringLiteral("- gyro: no\n"),
                                    QStringLiteral("- accelerometer: no\n"), QStringLiteral("- touchpads: none\n")})
            QVERIFY2(markdown.contains(line), qPrintable(line + QLatin1String(" in\n") + markdown));
    }

    void reportRate_data()
    {
        QTest::addColumn<qint64>("intervalUs");
        QTest::addColumn<qint64>("gapUs");
        QTest::addColumn<int>("rateClass");
        QTest::addColumn<QString>("line"); // the Markdown's line, after "report rate: "

        QTest::newRow("125 Hz") << qint64(8000) << qint64(0) << 125
                                << QStringLiteral("125.00 Hz (class 125 Hz), median interval 8.000 ms, jitter 0.000 ms, "
                                                  "longest gap 8.000 ms, 399 intervals");
        QTest::newRow("500 Hz") << qint64(2000) << qint64(0) << 500
                                << QStringLiteral("500.00 Hz (class 500 Hz), median interval 2.000 ms, jitter 0.000 ms, "
                                                  "longest gap 2.000 ms, 399 intervals");
        QTest::newRow("1000 Hz with a gap")
            << qint64(1000) << qint64(25000) << 1000
            << QStringLiteral("1000.00 Hz (class 1000 Hz), median interval 1.000 ms, jitter 0.000 ms, "
                              "longest gap 25.000 ms, 399 intervals");
        QTest::newRow("irregular") << qint64(3300) << qint64(0) << 0
                                   << QStringLiteral("303.03 Hz (irregular), median interval 3.300 ms, jitter 0.000 ms, "
                                                     "longest gap 3.300 ms, 399 intervals");
    }

    void reportRate()
    {
        QFETCH(qint64, intervalUs);
        QFETCH(qint64, gapUs);
        QFETCH(int, rateClass);
        QFETCH(QString, line);
        VirtualGamepad pad;
        QVERIFY(attach(pad, false, false));
        PadHealth health(pad.deviceId());
        const int fd = pipeWith(frames(400, intervalUs, gapUs));
        QVERIFY(fd >= 0);
        health.reportRate()->measureDescriptor(fd);
        QTRY_COMPARE(health.reportRate()->intervals(), 399);

        const QVariantMap rate = benchOf(health, QStringLiteral("reportRate"));
        QCOMPARE(rate.value(QStringLiteral("measured")).toBool(), true);
        QCOMPARE(rate.value(QStringLiteral("rateClass")).toInt(), rateClass);
        QCOMPARE(rate.value(QStringLiteral("longestGapMs")).toDouble(), double(gapUs ? gapUs : intervalUs) / 1000.0);
        const QString markdown = benchMarkdown(health);
        QVERIFY2(markdown.contains(QStringLiteral("- report rate: ") + line + QLatin1Char('\n')), qPrintable(markdown));
    }

    // A virtual pad has no event device: the report says so instead of a rate.
    void reportRateReason()
    {
        VirtualGamepad pad;
        QVERIFY(attach(pad, false, false));
        PadHealth health(pad.deviceId());
        health.setBenchActive(true);
        const QVariantMap rate = benchOf(health, QStringLiteral("reportRate"));
        QCOMPARE(rate.value(QStringLiteral("available")).toBool(), false);
        QCOMPARE(rate.value(QStringLiteral("measured")).toBool(), false);
        const QString reason = rate.value(QStringLiteral("reason")).toString();
        QVERIFY(reason.contains(QStringLiteral("no event device")));
        QVERIFY(benchMarkdown(health).contains(QStringLiteral("- report rate: not measured: ") + reason + QLatin1Char('\n')));
    }
};

QTEST_MAIN(TestBenchReport)
#include "tst_benchreport.moc"
