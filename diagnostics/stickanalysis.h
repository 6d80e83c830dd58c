#pragma once

#include <QtGlobal>

#include <array>
#include <bitset>
#include <deque>

namespace joyvant {

// The health figures of one analogue stick, from its raw reports. Plain C++: every
// sample carries its own time stamp, so the figures follow from the samples alone.
//
// Positions are SDL's stick values (-32768..32767, y grows downwards) scaled to -1..1;
// "full travel" is the distance from the centre to the edge (radius 1), so a stick
// resting at (0.05, 0) is 5 % off centre. Angles are in degrees, counter-clockwise from
// the right with up at 90 (the way a person sees the stick).
//
// At rest: a run of samples none of which lies more than RestTolerance from the run's
// running mean, lasting at least RestHoldNs. The rest figures come from the samples of
// the last RestWindowNs of such a run: the current one while it lasts, else the latest
// one that qualified.
//
// Gate: the circle is split into Sectors sectors; each keeps the largest radius the stick
// reached in it. Only deflections of at least GateMinimumRadius count, so a stick resting
// near the centre fills no sector.
class StickAnalysis
{
public:
    static constexpr int Sectors = 72;
    static constexpr double SectorDegrees = 360.0 / Sectors;
    static constexpr double RestTolerance = 0.02;
    static constexpr qint64 RestHoldNs = 500'000'000;
    static constexpr qint64 RestWindowNs = 2'000'000'000;
    static constexpr double GateMinimumRadius = 0.5;
    static constexpr double CoverageNeeded = 90.0; // % of the sectors
    static constexpr double ReachNeeded = 0.99;

    struct Rest
    {
        bool measured = false;
        double offset = 0.0; // % of full travel
        double direction = 0.0; // degrees
        double noise = 0.0; // 3 standard deviations of the radius, %
        int deadZone = 0; // offset + noise, rounded up, %
        int samples = 0;
    };

    struct Gate
    {
        double coverage = 0.0; // % of the sectors that hold data
        bool circularityReported = false; // coverage >= CoverageNeeded
        double circularityError = 0.0; // RMS of (radius - 1) over the sectors with data, %
        double worstAngle = 0.0; // centre of the sector furthest from radius 1, degrees
        double worstRadius = 0.0; // its largest radius
        bool overReach = false; // the worst sector reaches beyond the circle
        std::array<double, 4> reach {}; // largest radius at 0, 90, 180, 270 degrees
        std::array<double, Sectors> sectors {}; // largest radius of each sector, 0 without data
    };

    StickAnalysis();

    void reset();

    // One report: the stick's position (raw SDL values) at time `nanoseconds`.
    void addSample(qint64 nanoseconds, int rawX, int rawY);

    // Whether the stick has been at rest up to `now` (a still stick sends no reports).
    bool atRest(qint64 now) const;
    Rest rest(qint64 now) const;
    Gate gate() const;
    // Distinct raw values seen on the x and y axes.
    int distinctX() const { return m_distinctX; }
    int distinctY() const { return m_distinctY; }
    // log2 of the distinct values seen: the resolution shown, in bits.
    static double bits(int distinct);
    qint64 samples() const { return m_samples; }
    // Start of the current still run (changes whenever a sample breaks it); -1 before any.
    qint64 runStart() const { return m_runStart; }

    static double position(int raw);
    static double angleOf(double x, double y);
    static int sectorOf(double degrees);

private:
    struct Sample
    {
        qint64 time;
        double x;
        double y;
        double r;
    };
    void startRun(const Sample &sample);
    Rest restOfRun() const;

    // The current still run: its samples of the last RestWindowNs, with sums relative to
    // the run's first sample (small numbers, so the variance keeps its precision).
    std::deque<Sample> m_run;
    qint64 m_runStart = -1;
    qint64 m_lastTime = -1;
    double m_originX = 0.0;
    double m_originY = 0.0;
    double m_originR = 0.0;
    double m_sumX = 0.0;
    double m_sumY = 0.0;
    double m_sumR = 0.0;
    double m_sumRR = 0.0;
    Rest m_lastRest;

    std::array<double, Sectors> m_sectors {};
    int m_filled = 0;

    std::bitset<65536> m_seenX;
    std::bitset<65536> m_seenY;
    int m_distinctX = 0;
    int m_distinctY = 0;
    qint64 m_samples = 0;
};

} // namespace joyvant
