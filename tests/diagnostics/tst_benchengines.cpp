// The bench's plain engines without a pad: the haptics patterns' level curves at chosen
// instants, and the report-rate frame parser, statistics and descriptor reader fed with
// recorded event records through pipes.
#include "eventframes.h"
#include "hapticpattern.h"
#include "reportratestats.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <linux/input.h>
#include <random>
#include <thread>
#include <unistd.h>
#include <vector>

using joyvant::EventFrame;
using joyvant::EventFrameParser;
using joyvant::EventFrameReader;
using joyvant::HapticPattern;
using joyvant::MotorLevels;
using joyvant::ReportRateStats;

Q_DECLARE_METATYPE(HapticPattern::Kind)
Q_DECLARE_METATYPE(MotorLevels)

namespace {

constexpr quint16 Full = HapticPattern::Full;

MotorLevels levels(quint16 low, quint16 high, quint16 left = 0, quint16 right = 0)
{
    MotorLevels result;
    result.low = low;
    result.high = high;
    result.leftTrigger = left;
    result.rightTrigger = right;
    return result;
}

QByteArray record(qint64 us, int type, int code, int value)
{
    return joyvant::eventRecord(us, type, code, value);
}

// One frame at `us`: the stick's x at `x` (the same value again is a frame in which
// nothing changed) and a time stamp, as pads that report one send.
QByteArray frame(qint64 us, int x)
{
    return record(us, EV_ABS, ABS_X, x) + record(us, EV_MSC, MSC_TIMESTAMP, int(us))
        + record(us, EV_SYN, SYN_REPORT, 0);
}

// Frames at `rateHz` for `count` frames from t = 1 s, each moved by up to
// `jitterUs` either way (uniform, fixed seed), the stick moving in every one.
QByteArray frames(int rateHz, int count, int jitterUs, qint64 startUs = 1000000)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(-jitterUs, jitterUs);
    QByteArray bytes;
    const qint64 periodUs = 1000000 / rateHz;
    for (int i = 0; i < count; ++i)
        bytes += frame(startUs + i * periodUs + (jitterUs ? jitter(random) : 0), i);
    return bytes;
}

struct Collected
{
    std::vector<EventFrame> frames;
    ReportRateStats stats;
    EventFrameParser::FrameHandler handler()
    {
        return [this](const EventFrame &frame) {
            frames.push_back(frame);
            stats.addFrame(frame);
        };
    }
};

// A pipe whose writing end a thread fills with `bytes` and then closes, as slowly as
// the reader reads.
struct Pipe
{
    int readEnd = -1;
    std::thread writer;

    explicit Pipe(const QByteArray &bytes, bool closeAfter = true)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        readEnd = ends[0];
        const int writeEnd = ends[1];
        writer = std::thread([bytes, writeEnd, closeAfter] {
            qint64 done = 0;
            while (done < bytes.size()) {
                const ssize_t put = ::write(writeEnd, bytes.constData() + done, size_t(bytes.size() - done));
                if (put < 0 && errno != EINTR)
                    break;
                done += qMax<ssize_t>(put, 0);
            }
            if (closeAfter)
                ::close(writeEnd);
        });
    }
    ~Pipe()
    {
        if (writer.joinable())
            writer.join();
    }
};

} // namespace

class TestBenchEngines : public QObject
{
    Q_OBJECT

private slots:
    void steadyPatterns_data()
    {
        QTest::addColumn<HapticPattern::Kind>("kind");
        QTest::addColumn<MotorLevels>("on");
        QTest::newRow("low-frequency motor") << HapticPattern::LowFrequency << levels(Full, 0);
        QTest::newRow("high-frequency motor") << HapticPattern::HighFrequency << levels(0, Full);
        QTest::newRow("both motors") << HapticPattern::BothMotors << levels(Full, Full);
        QTest::newRow("left trigger") << HapticPattern::LeftTrigger << levels(0, 0, Full, 0);
        QTest::newRow("right trigger") << HapticPattern::RightTrigger << levels(0, 0, 0, Full);
    }

    void steadyPatterns()
    {
        QFETCH(HapticPattern::Kind, kind);
        QFETCH(MotorLevels, on);
        const HapticPattern pattern(kind);
        QCOMPARE(pattern.durationMs(), HapticPattern::SteadyMs);
        QVERIFY(pattern.levelsAt(-1).isOff());
        for (qint64 ms : {qint64(0), qint64(1), pattern.durationMs() / 2, pattern.durationMs() - 1})
            QVERIFY2(pattern.levelsAt(ms) == on, qPrintable(QString::number(ms)));
        QVERIFY(pattern.levelsAt(pattern.durationMs()).isOff());
        // Nothing changes until the end.
        QCOMPARE(pattern.nextChangeAfter(0), pattern.durationMs());
        QCOMPARE(pattern.nextChangeAfter(pattern.durationMs() + 5), pattern.durationMs());
        QCOMPARE(HapticPattern::usesTriggers(kind), on.leftTrigger || on.rightTrigger);
    }

    void ramp()
    {
        const HapticPattern pattern(HapticPattern::Ramp);
        QCOMPARE(pattern.durationMs(), qint64(2000));
        QVERIFY(pattern.levelsAt(0).isOff());
        QCOMPARE(pattern.levelsAt(500), levels(16384, 16384));
        QCOMPARE(pattern.levelsAt(1000), levels(32768, 32768));
        QCOMPARE(pattern.levelsAt(1999), levels(65502, 65502));
        QVERIFY(pattern.levelsAt(2000).isOff());
        // Rising in steps of 20 ms, never falling before the end.
        quint16 last = 0;
        for (qint64 ms = 0; ms < pattern.durationMs(); ms = pattern.nextChangeAfter(ms)) {
            QCOMPARE(ms % HapticPattern::RampStepMs, qint64(0));
            QVERIFY(pattern.levelsAt(ms).low >= last);
            last = pattern.levelsAt(ms).low;
        }
        QCOMPARE(pattern.nextChangeAfter(1990), qint64(2000));
    }

    void pulseTrain_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("expectedRate");
        QTest::newRow("1 Hz") << 1 << 1;
        QTest::newRow("3 Hz (periods of 333.3 ms)") << 3 << 3;
        QTest::newRow("10 Hz") << 10 << 10;
        QTest::newRow("20 Hz") << 20 << 20;
        QTest::newRow("0 is brought to 1 Hz") << 0 << 1;
        QTest::newRow("50 is brought to 20 Hz") << 50 << 20;
    }

    void pulseTrain()
    {
        QFETCH(int, rate);
        QFETCH(int, expectedRate);
        const HapticPattern pattern(HapticPattern::PulseTrain, rate);
        QCOMPARE(pattern.pulseRate(), expectedRate);
        QCOMPARE(pattern.durationMs(), qint64(2000));
        // Walk the change points: on and off alternate, each half period long (to the
        // millisecond), and there are exactly 2 s x rate pulses.
        int pulses = 0;
        qint64 ms = 0;
        bool on = false;
        while (ms < pattern.durationMs()) {
            const MotorLevels now = pattern.levelsAt(ms);
            QVERIFY(now == levels(Full, Full) || now.isOff());
            QCOMPARE(now.isOff(), on); // it changed
            on = !now.isOff();
            pulses += on ? 1 : 0;
            const qint64 next = pattern.nextChangeAfter(ms);
            const double halfPeriod = 500.0 / expectedRate;
            QVERIFY2(next - ms >= std::floor(halfPeriod) && next - ms <= std::ceil(halfPeriod),
                     qPrintable(QStringLiteral("%1 -> %2").arg(ms).arg(next)));
            QVERIFY(pattern.levelsAt(next - 1) == now);
            ms = next;
        }
        QCOMPARE(pulses, 2 * expectedRate);
        QVERIFY(pattern.levelsAt(ms).isOff());
    }

    void parserFrames()
    {
        Collected collected;
        EventFrameParser parser(collected.handler());
        // First value of a code is a change; the same value again is not; a key press, a
        // relative motion are; a frame with a time stamp only is not.
        const QByteArray bytes = frame(1000, 5) + frame(2000, 5) + record(3000, EV_KEY, BTN_SOUTH, 1)
            + record(3000, EV_SYN, SYN_REPORT, 0) + record(4000, EV_REL, REL_X, 2) + record(4000, EV_SYN, SYN_REPORT, 0)
            + record(5000, EV_MSC, MSC_TIMESTAMP, 1) + record(5000, EV_SYN, SYN_REPORT, 0) + frame(6000, 6);
        // Fed a byte at a time: records cut anywhere wait for their rest.
        for (int i = 0; i < bytes.size(); ++i)
            parser.feed(bytes.constData() + i, 1);
        QCOMPARE(parser.pendingBytes(), 0);
        QCOMPARE(parser.frames(), qint64(6));
        const std::vector<bool> changed {true, false, true, true, false, true};
        for (size_t i = 0; i < changed.size(); ++i) {
            QCOMPARE(collected.frames[i].changed, changed[i]);
            QCOMPARE(collected.frames[i].timeNs, qint64(i + 1) * 1000000);
            QVERIFY(!collected.frames[i].afterDrop);
        }
    }

    void parserDrop()
    {
        Collected collected;
        EventFrameParser parser(collected.handler());
        // The frame that SYN_DROPPED cuts is thrown away; the next one is marked, and its
        // value counts as new although it equals the last one seen.
        const QByteArray bytes = frame(1000, 1) + record(2000, EV_ABS, ABS_X, 2) + record(2000, EV_SYN, SYN_DROPPED, 0)
            + record(2500, EV_ABS, ABS_X, 3) + record(2500, EV_SYN, SYN_REPORT, 0) + frame(3000, 1) + frame(4000, 2);
        parser.feed(bytes.constData(), bytes.size());
        QCOMPARE(collected.frames.size(), size_t(3));
        QVERIFY(!collected.frames[0].afterDrop);
        QVERIFY(collected.frames[1].afterDrop);
        QVERIFY(collected.frames[1].changed);
        QCOMPARE(collected.frames[1].timeNs, qint64(3000000));
        QVERIFY(!collected.frames[2].afterDrop);
        // Only the interval after the drop counts.
        QCOMPARE(collected.stats.intervals(), 1);
    }

    void rates_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rateClass");
        QTest::addColumn<double>("rateHz");
        QTest::addColumn<double>("maxJitterMs");
        QTest::addColumn<double>("longestGapMs");
        QTest::addColumn<int>("intervals");

        QTest::newRow("125 Hz") << frames(125, 200, 0) << 125 << 125.0 << 0.0 << 8.0 << 199;
        QTest::newRow("500 Hz, 100 us jitter") << frames(500, 1000, 100) << 500 << 500.0 << 0.4 << 2.2 << 999;
        QTest::newRow("1000 Hz, 100 us jitter") << frames(1000, 3000, 100) << 1000 << 1000.0 << 0.4 << 1.2 << 2999;
        QTest::newRow("1000 Hz, 400 us jitter: irregular")
            << frames(1000, 3000, 400) << 0 << 1000.0 << 1.6 << 1.8 << 2999;
        // A gap of 30 ms in a 1000 Hz stream.
        QTest::newRow("1000 Hz with a gap") << frames(1000, 500, 0) + frames(1000, 500, 0, 1000000 + 499000 + 30000)
                                            << 1000 << 1000.0 << 0.0 << 30.0 << 999;
        // A pause of a second (the stick held still) is not a gap and no interval.
        QTest::newRow("1000 Hz with a pause")
            << frames(1000, 500, 0) + frames(1000, 500, 0, 2500000) << 1000 << 1000.0 << 0.0 << 1.0 << 998;
        // 250 Hz, every other frame unchanged: only intervals into changed frames count.
        QByteArray repeated;
        for (int i = 0; i < 400; ++i)
            repeated += frame(1000000 + i * 4000, i / 2);
        QTest::newRow("250 Hz, half the frames unchanged") << repeated << 250 << 250.0 << 0.0 << 4.0 << 199;
        QTest::newRow("too few frames") << frames(1000, 40, 0) << -1 << 0.0 << 0.0 << 0.0 << 39;
    }

    void rates()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rateClass);
        QFETCH(double, rateHz);
        QFETCH(double, maxJitterMs);
        QFETCH(double, longestGapMs);
        QFETCH(int, intervals);
        Collected collected;
        EventFrameParser parser(collected.handler());
        parser.feed(bytes.constData(), bytes.size());
        const ReportRateStats::Figures figures = collected.stats.figures();
        QCOMPARE(figures.intervals, intervals);
        if (rateClass < 0) {
            QVERIFY(!figures.measured);
            return;
        }
        QVERIFY(figures.measured);
        QCOMPARE(figures.rateClass, rateClass);
        // The median of jittered intervals lies within 2 % of the period.
        QVERIFY2(qAbs(figures.rateHz - rateHz) <= rateHz * 0.02, qPrintable(QString::number(figures.rateHz)));
        QVERIFY2(figures.jitterNs <= maxJitterMs * 1e6, qPrintable(QString::number(figures.jitterNs)));
        if (maxJitterMs > 0) // uniform jitter of +-j spreads the intervals over most of 4 j
            QVERIFY2(figures.jitterNs >= maxJitterMs * 1e6 * 0.75, qPrintable(QString::number(figures.jitterNs)));
        QVERIFY2(qAbs(figures.longestGapNs - longestGapMs * 1e6) <= 0.2e6 + maxJitterMs * 0.5e6,
                 qPrintable(QString::number(figures.longestGapNs)));
    }

    void rateClasses_data()
    {
        QTest::addColumn<qint64>("medianNs");
        QTest::addColumn<qint64>("jitterNs");
        QTest::addColumn<int>("rateClass");
        QTest::newRow("8 ms") << qint64(8000000) << qint64(100000) << 125;
        QTest::newRow("4.3 ms, 7.5 % off") << qint64(4300000) << qint64(100000) << 250;
        QTest::newRow("2.3 ms, 15 % off") << qint64(2300000) << qint64(100000) << 0;
        QTest::newRow("1 ms, jitter half a period") << qint64(1000000) << qint64(500000) << 1000;
        QTest::newRow("1 ms, jitter over half a period") << qint64(1000000) << qint64(500001) << 0;
        QTest::newRow("1.25 ms (800 Hz, as over Bluetooth)") << qint64(1250000) << qint64(100000) << 0;
    }

    void rateClasses()
    {
        QFETCH(qint64, medianNs);
        QFETCH(qint64, jitterNs);
        QFETCH(int, rateClass);
        QCOMPARE(ReportRateStats::rateClass(medianNs, jitterNs), rateClass);
    }

    void keepsTheLatestIntervals()
    {
        ReportRateStats stats;
        for (int i = 0; i < ReportRateStats::MaxIntervals; ++i)
            stats.addInterval(8000000);
        for (int i = 0; i < ReportRateStats::MaxIntervals; ++i)
            stats.addInterval(1000000);
        stats.addInterval(0);
        stats.addInterval(-5);
        QCOMPARE(stats.intervals(), ReportRateStats::MaxIntervals);
        QCOMPARE(stats.figures().rateClass, 1000);
        QCOMPARE(stats.figures().longestGapNs, qint64(1000000));
    }

    void readerThroughPipe()
    {
        // 1000 Hz for 3 s: more than a pipe holds, so the reader must keep up as it goes.
        const QByteArray bytes = frames(1000, 3000, 50);
        Pipe pipe(bytes);
        QVERIFY(pipe.readEnd >= 0);
        Collected collected;
        EventFrameReader reader(pipe.readEnd, EventFrameReader::TakeOwnership, collected.handler());
        QSignalSpy closed(&reader, &EventFrameReader::closed);
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 20000);
        QCOMPARE(closed.at(0).at(0).toString(), QString()); // a plain end
        QVERIFY(!reader.isOpen());
        QVERIFY(!reader.isTruncated());
        QCOMPARE(collected.frames.size(), size_t(3000));
        QCOMPARE(collected.stats.figures().rateClass, 1000);
    }

    void readerTruncatedRecord()
    {
        QByteArray bytes = frames(500, 100, 0);
        bytes += record(3000000, EV_ABS, ABS_X, 1).left(10);
        Pipe pipe(bytes);
        Collected collected;
        EventFrameReader reader(pipe.readEnd, EventFrameReader::TakeOwnership, collected.handler());
        QSignalSpy closed(&reader, &EventFrameReader::closed);
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 20000);
        QVERIFY(reader.isTruncated());
        QCOMPARE(reader.parser().pendingBytes(), 10);
        QCOMPARE(collected.frames.size(), size_t(100));
    }

    void readerBorrowedDescriptorError()
    {
        // A descriptor that fails to read (here one open for writing only) ends the
        // reader with the error; a borrowed one stays open for its owner.
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        Collected collected;
        EventFrameReader reader(ends[1], EventFrameReader::BorrowDescriptor, collected.handler());
        QSignalSpy closed(&reader, &EventFrameReader::closed);
        reader.readAvailable();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!closed.at(0).at(0).toString().isEmpty());
        QVERIFY(::fcntl(ends[1], F_GETFD) >= 0);
        ::close(ends[0]);
        ::close(ends[1]);
    }
};

QTEST_GUILESS_MAIN(TestBenchEngines)
#include "tst_benchengines.moc"
