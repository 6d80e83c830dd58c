// The stick and trigger figures, fed directly: every sample
// carries its own time stamp, so rest timing is exact.
#include "stickanalysis.h"
#include "triggeranalysis.h"

#include <QtMath>
#include <QtTest>

#include <cmath>

using joyvant::StickAnalysis;
using joyvant::TriggerAnalysis;

namespace {

constexpr qint64 Ms = 1000000;

int raw(double position)
{
    return int(std::lround(position * 32767.0));
}

// One sample per millisecond from `start` for `msecs`, at (x, y) with x alternating by
// ±noise: the radius then has a standard deviation of exactly `noise`.
qint64 hold(StickAnalysis &stick, qint64 start, int msecs, double x, double y, double noise = 0.0)
{
    for (int i = 0; i < msecs; ++i)
        stick.addSample(start + i * Ms, raw(x + (i % 2 ? noise : -noise)), raw(y));
    return start + msecs * Ms;
}

} // namespace

class TestStickAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void restNeedsHalfASecondOfStillness()
    {
        StickAnalysis stick;
        qint64 t = hold(stick, 0, 499, 0.05, 0.0);
        QVERIFY(!stick.atRest(t - Ms));
        QVERIFY(!stick.rest(t - Ms).measured);
        // A still stick reports nothing: time alone completes the half second.
        QVERIFY(stick.atRest(500 * Ms));
        const StickAnalysis::Rest rest = stick.rest(500 * Ms);
        QVERIFY(rest.measured);
        QCOMPARE(qRound(rest.offset * 100), 500);

        // A jump of more than 2 % starts a new run, which is not at rest yet; the figures of
        // the run that qualified stay.
        t = hold(stick, 600 * Ms, 100, 0.0, 0.1);
        QVERIFY(!stick.atRest(t));
        QCOMPARE(qRound(stick.rest(t).offset * 100), 500);
        t = hold(stick, t, 500, 0.0, 0.1);
        QVERIFY(stick.atRest(t));
        QCOMPARE(qRound(stick.rest(t).offset * 100), 1000);
        QCOMPARE(qRound(stick.rest(t).direction), 270); // y grows downwards
    }

    void restFiguresComeFromTheLastTwoSeconds()
    {
        StickAnalysis stick;
        // Noisy for a second, then quiet for three: only the quiet part remains.
        qint64 t = hold(stick, 0, 1000, 0.05, 0.0, 0.01);
        QVERIFY(stick.rest(t).noise > 2.9);
        t = hold(stick, t, 3000, 0.05, 0.0);
        const StickAnalysis::Rest rest = stick.rest(t);
        QVERIFY(rest.noise < 0.01);
        QVERIFY(std::abs(rest.samples - 2001) <= 1);
    }

    void deadZoneIsOffsetPlusNoiseRoundedUp_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("noise");
        QTest::addColumn<int>("deadZone");
        QTest::newRow("centred, quiet") << 0.0 << 0.0 << 0;
        QTest::newRow("5 % off, 1 % sd: exactly 8") << 0.05 << 0.01 << 8;
        QTest::newRow("5 % off, 0.5 % sd") << 0.05 << 0.005 << 7;
        QTest::newRow("left, quiet") << -0.031 << 0.0 << 4;
    }
    void deadZoneIsOffsetPlusNoiseRoundedUp()
    {
        QFETCH(double, x);
        QFETCH(double, noise);
        QFETCH(int, deadZone);
        StickAnalysis stick;
        const qint64 t = hold(stick, 0, 1000, x, 0.0, noise);
        const StickAnalysis::Rest rest = stick.rest(t);
        QVERIFY(std::abs(rest.noise - 300.0 * noise) < 0.02);
        QCOMPARE(rest.deadZone, deadZone);
    }

    void circularityNeedsNinetyPercentCoverage()
    {
        StickAnalysis stick;
        const auto fillSectors = [&stick](int from, int to) {
            for (int sector = from; sector < to; ++sector) {
                const double angle = qDegreesToRadians(sector * 5.0 + 2.5);
                stick.addSample(0, raw(0.95 * std::cos(angle)), raw(-0.95 * std::sin(angle)));
            }
        };
        fillSectors(0, 64);
        QVERIFY(!stick.gate().circularityReported);
        QCOMPARE(stick.gate().circularityError, 0.0);
        fillSectors(64, 65);
        QVERIFY(stick.gate().circularityReported);
        QVERIFY(std::abs(stick.gate().circularityError - 5.0) < 0.01);
        QVERIFY(!stick.gate().overReach);
        // Deflections under half travel never count towards the gate.
        StickAnalysis centre;
        hold(centre, 0, 100, 0.3, 0.3);
        QCOMPARE(centre.gate().coverage, 0.0);
    }

    void triggerVerdicts_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<int>("actuation");
        QTest::newRow("untouched") << QList<int> {0} << QString() << -1;
        QTest::newRow("analog") << QList<int> {0, 400, 16000, 32767, 0} << "analog" << 400;
        QTest::newRow("digital") << QList<int> {0, 32767, 0, 32767} << "digital" << 32767;
        QTest::newRow("short of 95 %") << QList<int> {0, 1000, 31000} << "partial" << 1000;
        QTest::newRow("not at 0 at rest") << QList<int> {900, 20000, 32767} << "partial" << 20000;
    }
    void triggerVerdicts()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, verdict);
        QFETCH(int, actuation);
        TriggerAnalysis trigger;
        for (int value : values)
            trigger.addSample(value);
        QCOMPARE(trigger.verdict(), verdict);
        QCOMPARE(trigger.actuationRaw(), actuation);
    }
};

QTEST_APPLESS_MAIN(TestStickAnalysis)
#include "tst_stickanalysis.moc"
