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
    // Three selections instead of a sort: the median over all, then the 1st percentile
    // among those below it and the 99th (and the longest) among those above it.
    std::vector<qint64> values = m_intervals;
    const size_t last = values.size() - 1;
    auto rank = [last](double p) { return std::min(last, size_t(p * double(last) + 0.5)); };
    const auto begin = values.begin();
    const auto middle = begin + std::ptrdiff_t(rank(0.5));
    std::nth_element(begin, middle, values.end());
    const auto low = begin + std::ptrdiff_t(rank(0.01));
    std::nth_element(begin, low, middle);
    const auto high = begin + std::ptrdiff_t(rank(0.99));
    std::nth_element(middle + 1, high, values.end());
    figures.measured = true;
    figures.medianNs = *middle;
    figures.jitterNs = *high - *low;
    figures.longestGapNs = *std::max_element(high, values.end());
    figures.rateHz = 1e9 / double(figures.medianNs);
    figures.rateClass = rateClass(figures.medianNs, figures.jitterNs);
    return figures;
}

} // namespace joyvant
