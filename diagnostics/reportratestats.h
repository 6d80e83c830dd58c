#pragma once

#include "eventframes.h"

#include <vector>

namespace joyvant {

// The report rate of a pad from the time stamps of its report frames (EventFrame).
//
// Intervals: the time from one frame to the next, counted when the later frame changed
// some input (the pad reports what moves) and it is at most PauseNs after the one
// before; a longer silence is the input standing still, not a gap in the reports.
// Intervals across a kernel drop do not count. The last MaxIntervals intervals are kept.
//
// Figures, once there are MinIntervals intervals:
// - rate: 1 s over the median interval;
// - rate class: 125, 250, 500 or 1000 Hz when the median lies within 10 % of that rate's
//   period and the jitter is at most half of it, else 0 ("irregular");
// - jitter: the 99th percentile of the intervals minus the 1st;
// - longest gap: the longest interval.
class ReportRateStats
{
public:
    static constexpr qint64 PauseNs = 100000000; // 100 ms
    static constexpr int MinIntervals = 50;
    static constexpr int MaxIntervals = 5000; // the last 5 s at 1000 Hz
    static constexpr int Classes[] = {125, 250, 500, 1000};

    struct Figures
    {
        bool measured = false; // enough intervals for the rest
        int intervals = 0;
        double rateHz = 0.0;
        int rateClass = 0; // 0: irregular
        qint64 medianNs = 0;
        qint64 jitterNs = 0;
        qint64 longestGapNs = 0;
    };

    void addFrame(const EventFrame &frame);
    // An interval directly, in nanoseconds; not positive ones are ignored.
    void addInterval(qint64 ns);
    void reset();
    int intervals() const { return int(m_intervals.size()); }

    Figures figures() const;
    // The rate class for a median interval and jitter (0: irregular).
    static int rateClass(qint64 medianNs, qint64 jitterNs);

private:
    std::vector<qint64> m_intervals; // a ring once full
    size_t m_next = 0; // where the next interval goes once full
    qint64 m_lastFrameNs = -1;
};

} // namespace joyvant
