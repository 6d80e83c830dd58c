#include "triggeranalysis.h"

#include <algorithm>

namespace joyvant {

void TriggerAnalysis::reset()
{
    m_seen.reset();
    m_distinct = 0;
    m_lowest = m_secondLowest = m_highest = -1;
}

void TriggerAnalysis::addSample(int raw)
{
    raw = std::clamp(raw, 0, Full);
    if (m_seen.test(size_t(raw)))
        return;
    m_seen.set(size_t(raw));
    ++m_distinct;
    m_highest = std::max(m_highest, raw);
    if (m_lowest < 0 || raw < m_lowest) {
        m_secondLowest = m_lowest;
        m_lowest = raw;
    } else if (m_secondLowest < 0 || raw < m_secondLowest) {
        m_secondLowest = raw;
    }
}

QString TriggerAnalysis::verdict() const
{
    if (!moved())
        return QString();
    if (percent(m_highest) < PartialBelow || m_lowest != 0)
        return QStringLiteral("partial");
    if (m_distinct == 2)
        return QStringLiteral("digital");
    return QStringLiteral("analog");
}

} // namespace joyvant
