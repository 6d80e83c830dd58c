#pragma once

#include <QString>

#include <bitset>

namespace joyvant {

// The range figures of one analogue trigger, from its raw reports (SDL's trigger values,
// 0..32767, 0 released). Percentages are of full travel (32767).
//
// The rest value is the lowest value seen: a released trigger springs back to it. The
// actuation point is the lowest value seen above that, the first step a press produces.
// Verdict, once the trigger has moved (empty before):
// - "partial": it never went past PartialBelow, or does not rest at 0;
// - "digital": it reported two values only (released and pressed);
// - "analog": anything else.
class TriggerAnalysis
{
public:
    static constexpr int Full = 32767;
    static constexpr double PartialBelow = 95.0;

    TriggerAnalysis() { reset(); }

    void reset();
    void addSample(int raw);

    bool moved() const { return m_distinct >= 2; }
    int distinct() const { return m_distinct; }
    int restRaw() const { return m_lowest; }
    int maximumRaw() const { return m_highest; }
    // -1 while nothing above rest has been seen.
    int actuationRaw() const { return m_secondLowest; }

    static double percent(int raw) { return raw < 0 ? -1.0 : 100.0 * raw / Full; }
    QString verdict() const;

private:
    std::bitset<Full + 1> m_seen;
    int m_distinct = 0;
    int m_lowest = -1;
    int m_secondLowest = -1;
    int m_highest = -1;
};

} // namespace joyvant
