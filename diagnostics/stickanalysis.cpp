#include "stickanalysis.h"

#include <algorithm>
#include <cmath>

namespace joyvant {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Whole percent, rounded up; a hair above a whole number (rounding noise) stays on it.
int ceilPercent(double percent)
{
    return int(std::ceil(percent - 1e-9));
}

} // namespace

StickAnalysis::StickAnalysis()
{
    reset();
}

void StickAnalysis::reset()
{
    m_run.clear();
    m_runStart = -1;
    m_lastTime = -1;
    m_originX = m_originY = m_originR = 0.0;
    m_sumX = m_sumY = m_sumR = m_sumRR = 0.0;
    m_lastRest = Rest();
    m_sectors.fill(0.0);
    m_filled = 0;
    m_seenX.reset();
    m_seenY.reset();
    m_distinctX = m_distinctY = 0;
    m_samples = 0;
}

double StickAnalysis::position(int raw)
{
    return raw < 0 ? std::max(-1.0, raw / 32768.0) : std::min(1.0, raw / 32767.0);
}

double StickAnalysis::angleOf(double x, double y)
{
    double degrees = std::atan2(-y, x) * (180.0 / Pi);
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees;
}

int StickAnalysis::sectorOf(double degrees)
{
    return std::min(Sectors - 1, std::max(0, int(degrees / SectorDegrees)));
}

double StickAnalysis::bits(int distinct)
{
    return distinct > 1 ? std::log2(double(distinct)) : 0.0;
}

void StickAnalysis::addSample(qint64 nanoseconds, int rawX, int rawY)
{
    ++m_samples;
    const size_t bitX = size_t(rawX + 32768) & 0xffff;
    const size_t bitY = size_t(rawY + 32768) & 0xffff;
    if (!m_seenX.test(bitX)) {
        m_seenX.set(bitX);
        ++m_distinctX;
    }
    if (!m_seenY.test(bitY)) {
        m_seenY.set(bitY);
        ++m_distinctY;
    }

    const double x = position(rawX);
    const double y = position(rawY);
    const double rr = x * x + y * y;
    const double r = std::sqrt(rr);
    const Sample sample {nanoseconds, x, y, r};

    // Gate: only real deflections, and atan2 only for them.
    if (rr >= GateMinimumRadius * GateMinimumRadius) {
        double &largest = m_sectors[size_t(sectorOf(angleOf(x, y)))];
        if (largest == 0.0)
            ++m_filled;
        largest = std::max(largest, r);
    }

    // Rest.
    m_lastTime = nanoseconds;
    if (m_run.empty()) {
        startRun(sample);
        return;
    }
    const double n = double(m_run.size());
    const double meanX = m_originX + m_sumX / n;
    const double meanY = m_originY + m_sumY / n;
    const double dx = x - meanX;
    const double dy = y - meanY;
    if (dx * dx + dy * dy > RestTolerance * RestTolerance) {
        if (nanoseconds - m_runStart >= RestHoldNs)
            m_lastRest = restOfRun();
        startRun(sample);
        return;
    }
    m_run.push_back(sample);
    m_sumX += x - m_originX;
    m_sumY += y - m_originY;
    const double relative = r - m_originR;
    m_sumR += relative;
    m_sumRR += relative * relative;
    while (m_run.front().time < nanoseconds - RestWindowNs) {
        const Sample &old = m_run.front();
        m_sumX -= old.x - m_originX;
        m_sumY -= old.y - m_originY;
        const double oldRelative = old.r - m_originR;
        m_sumR -= oldRelative;
        m_sumRR -= oldRelative * oldRelative;
        m_run.pop_front();
    }
}

void StickAnalysis::startRun(const Sample &sample)
{
    m_run.clear();
    m_run.push_back(sample);
    m_runStart = sample.time;
    m_originX = sample.x;
    m_originY = sample.y;
    m_originR = sample.r;
    m_sumX = m_sumY = m_sumR = m_sumRR = 0.0;
}

bool StickAnalysis::atRest(qint64 now) const
{
    return !m_run.empty() && std::max(now, m_lastTime) - m_runStart >= RestHoldNs;
}

StickAnalysis::Rest StickAnalysis::rest(qint64 now) const
{
    return atRest(now) ? restOfRun() : m_lastRest;
}

StickAnalysis::Rest StickAnalysis::restOfRun() const
{
    Rest rest;
    const double n = double(m_run.size());
    if (n < 1)
        return rest;
    const double meanX = m_originX + m_sumX / n;
    const double meanY = m_originY + m_sumY / n;
    const double meanRelative = m_sumR / n;
    const double variance = std::max(0.0, m_sumRR / n - meanRelative * meanRelative);
    rest.measured = true;
    rest.samples = int(n);
    rest.offset = 100.0 * std::sqrt(meanX * meanX + meanY * meanY);
    rest.direction = rest.offset > 0.0 ? angleOf(meanX, meanY) : 0.0;
    rest.noise = 100.0 * 3.0 * std::sqrt(variance);
    rest.deadZone = ceilPercent(rest.offset + rest.noise);
    return rest;
}

StickAnalysis::Gate StickAnalysis::gate() const
{
    Gate gate;
    gate.coverage = 100.0 * m_filled / Sectors;
    gate.sectors = m_sectors;
    double sumSquares = 0.0;
    double worst = -1.0;
    for (int i = 0; i < Sectors; ++i) {
        const double radius = m_sectors[size_t(i)];
        if (radius == 0.0)
            continue;
        const double error = radius - 1.0;
        sumSquares += error * error;
        if (std::abs(error) > worst) {
            worst = std::abs(error);
            gate.worstAngle = (i + 0.5) * SectorDegrees;
            gate.worstRadius = radius;
            gate.overReach = error > 0.0;
        }
    }
    // 65 of the 72 sectors (90.3 %) are the first count that reaches 90 %.
    gate.circularityReported = m_filled > 0 && m_filled * 100.0 >= CoverageNeeded * Sectors;
    if (gate.circularityReported)
        gate.circularityError = 100.0 * std::sqrt(sumSquares / m_filled);
    // Each direction: the two sectors on either side of it.
    for (int k = 0; k < 4; ++k) {
        const int after = k * (Sectors / 4);
        const int before = (after + Sectors - 1) % Sectors;
        gate.reach[size_t(k)] = std::max(m_sectors[size_t(after)], m_sectors[size_t(before)]);
    }
    return gate;
}

} // namespace joyvant
