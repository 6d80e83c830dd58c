#include "reportratestats.h"

#include <algorithm>
#include <cstdlib>

namespace joyvant {

constexpr int ReportRateStats::Classes[];

void ReportRateStats::reset()
{
    m_intervals.clear();
    m_next = 0;
    m_lastFrameNs = -1;
}

void ReportRateStats::addFrame(const EventFrame &frame)
{
    const qint64 previous = frame.afterDrop ? -1 : m_lastFrameNs;
    m_lastFrameNs = frame.timeNs;
    if (frame.changed && previous >= 0 && frame.timeNs - previous <= PauseNs)
        addInterval(frame.timeNs - previous);
}

void ReportRateStats::addInterval(qint64 ns)
{
    if (ns <= 0)
        return;
    if (m_intervals.size() < size_t(MaxIntervals)) {
        m_intervals.push_back(ns);
        return;
    }
    m_intervals[m_next] = ns;
    m_next = (m_next + 1) % m_intervals.size();
}

int ReportRateStats::rateClass(qint64 medianNs, qint64 jitterNs)
{
    for (int rate : Classes) {
        const qint64 period = 1000000000 / rate;
        if (std::llabs(medianNs - period) * 10 <= period && jitterNs * 2 <= period)
            return rate;
    }
    return 0;
}

ReportRateStats::Figures ReportRateStats::figures() const
{
    Figures figures;
    figures.intervals = int(m_intervals.size());
    if (figures.intervals < MinIntervals)
        return figures;
    std::vector<qint64> sorted = m_intervals;
    const size_t last = sorted.size() - 1;
    // Nearest rank on the sorted intervals.
    auto at = [&sorted, last](double p) {
        const size_t index = std::min(last, size_t(p * double(last) + 0.5));
        std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(index), sorted.end());
        return sorted[index];
    };
    figures.measured = true;
    figures.medianNs = at(0.5);
    figures.jitterNs = at(0.99) - at(0.01);
    figures.longestGapNs = *std::max_element(sorted.begin(), sorted.end());
    figures.rateHz = 1e9 / double(figures.medianNs);
    figures.rateClass = rateClass(figures.medianNs, figures.jitterNs);
    return figures;
}

} // namespace joyvant
