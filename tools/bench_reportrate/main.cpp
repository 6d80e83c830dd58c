// Report-rate benchmark: what timing a pad's report frames costs per frame.
//
//   build/tools/bin/bench_reportrate [--frames N] [--rounds R]
//
// A thread writes N recorded report frames of a 1000 Hz pad (both stick axes and a
// SYN_REPORT, 72 bytes; time stamps 1 ms apart with +-50 us of jitter) into a pipe as
// fast as the pipe takes them. The GUI thread reads the pipe through a QSocketNotifier,
// as the bench reads an event device, in two ways:
//
// 1. Baseline: read() into a buffer and nothing else.
// 2. Measurement: EventFrameReader, with every frame going into ReportRateStats, and the
//    figures computed every 250 frames, as the bench publishes them every 250 ms at
//    1000 Hz.
// 3. The same without the figures: the parsing and the intervals alone.
//
// Each way runs R times (default 5), alternating; the cost is the reading thread's CPU
// time per frame, median over the rounds. Also prints one computation of the figures
// over a full window (ReportRateStats::MaxIntervals).
#include "eventframes.h"
#include "reportratestats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <linux/input.h>
#include <random>
#include <thread>
#include <unistd.h>
#include <vector>

using joyvant::EventFrame;
using joyvant::EventFrameReader;
using joyvant::ReportRateStats;

namespace {

qint64 threadCpuNs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QByteArray recording(int frames)
{
    std::mt19937 random(1);
    std::uniform_int_distribution<int> jitter(-50, 50);
    QByteArray bytes;
    bytes.reserve(frames * 3 * int(sizeof(input_event)));
    auto add
        = [&bytes](qint64 us, int type, int code, int value) { bytes += joyvant::eventRecord(us, type, code, value); };
    for (int i = 0; i < frames; ++i) {
        const qint64 us = 1000000 + qint64(i) * 1000 + jitter(random);
        add(us, EV_ABS, ABS_X, (i * 37) % 65536 - 32768);
        add(us, EV_ABS, ABS_Y, (i * 91) % 65536 - 32768);
        add(us, EV_SYN, SYN_REPORT, 0);
    }
    return bytes;
}

// Starts a thread that writes `bytes` into a new pipe and closes it; the reading end.
int startWriter(const QByteArray &bytes, std::thread &writer)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    const int writeEnd = ends[1];
    writer = std::thread([&bytes, writeEnd] {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(writeEnd, bytes.constData() + done, size_t(bytes.size() - done));
            if (put < 0 && errno != EINTR)
                break;
            done += std::max<ssize_t>(put, 0);
        }
        ::close(writeEnd);
    });
    return ends[0];
}

// Baseline: the pipe read alone, until its end; CPU ns of this thread.
qint64 readAlone(const QByteArray &bytes)
{
    std::thread writer;
    const int fd = startWriter(bytes, writer);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    QSocketNotifier notifier(fd, QSocketNotifier::Read);
    qint64 total = 0;
    const qint64 start = threadCpuNs();
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char buffer[64 * 24];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof(buffer));
            if (got > 0) {
                total += got;
                continue;
            }
            if (got == 0) {
                notifier.setEnabled(false);
                QCoreApplication::exit(0);
            }
            return;
        }
    });
    QCoreApplication::exec();
    const qint64 spent = threadCpuNs() - start;
    writer.join();
    ::close(fd);
    if (total != bytes.size())
        std::fprintf(stderr, "baseline read %lld of %lld bytes\n", total, qint64(bytes.size()));
    return spent;
}

// The measurement: frames parsed into the statistics, figures every 250 frames.
qint64 readMeasured(const QByteArray &bytes, int frames, ReportRateStats::Figures *last, bool withFigures = true)
{
    std::thread writer;
    const int fd = startWriter(bytes, writer);
    ReportRateStats stats;
    qint64 count = 0;
    const qint64 start = threadCpuNs();
    EventFrameReader reader(fd, EventFrameReader::TakeOwnership, [&](const EventFrame &frame) {
        stats.addFrame(frame);
        if (++count % 250 == 0 && withFigures)
            *last = stats.figures();
    });
    QObject::connect(&reader, &EventFrameReader::closed, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    const qint64 spent = threadCpuNs() - start;
    writer.join();
    if (count != frames)
        std::fprintf(stderr, "measurement saw %lld of %d frames\n", count, frames);
    return spent;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("frames"), QStringLiteral("Frames per round."), QStringLiteral("N"), QStringLiteral("200000")});
    parser.addOption(
        {QStringLiteral("rounds"), QStringLiteral("Rounds of each way."), QStringLiteral("R"), QStringLiteral("5")});
    parser.process(app);
    const int frames = std::max(1000, parser.value(QStringLiteral("frames")).toInt());
    const int rounds = std::max(1, parser.value(QStringLiteral("rounds")).toInt());

    const QByteArray bytes = recording(frames);
    std::vector<double> alone, measured, parsed;
    ReportRateStats::Figures figures;
    for (int round = 0; round < rounds; ++round) {
        alone.push_back(double(readAlone(bytes)) / frames);
        measured.push_back(double(readMeasured(bytes, frames, &figures)) / frames);
        ReportRateStats::Figures unused;
        parsed.push_back(double(readMeasured(bytes, frames, &unused, false)) / frames);
    }

    ReportRateStats full;
    std::mt19937 random(2);
    std::uniform_int_distribution<int> jitter(-50000, 50000);
    for (int i = 0; i < ReportRateStats::MaxIntervals; ++i)
        full.addInterval(1000000 + jitter(random));
    const qint64 figuresStart = threadCpuNs();
    const ReportRateStats::Figures fullFigures = full.figures();
    const qint64 figuresNs = threadCpuNs() - figuresStart;

    const double baseline = median(alone);
    const double total = median(measured);
    std::printf("frames per round: %d, rounds: %d\n", frames, rounds);
    std::printf("measured rate: %.1f Hz, class %d, jitter %.3f ms, longest gap %.3f ms\n", figures.rateHz,
                figures.rateClass, figures.jitterNs / 1e6, figures.longestGapNs / 1e6);
    std::printf("pipe read alone:        %8.1f ns per frame (median)\n", baseline);
    std::printf("read + parse + figures: %8.1f ns per frame (median)\n", total);
    std::printf("read + parse:           %8.1f ns per frame (median)\n", median(parsed));
    std::printf("measurement's own cost: %8.1f ns per frame, %.2f x the read alone\n", total - baseline,
                (total - baseline) / baseline);
    std::printf("figures over %d intervals: %.1f us (rate %.1f Hz)\n", ReportRateStats::MaxIntervals, figuresNs / 1e3,
                fullFigures.rateHz);
    return 0;
}
