#include "spectrumscale.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Non-negative doubles sort as their bit patterns do.
quint64 bitsOf(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(quint64 bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// 64 ranges per power of two: a range spans about 0.06 of a level, so it holds at most
// one threshold.
constexpr int keyShift = 52 - 6;

} // namespace

quint64 SpectrumScale::keyOf(double power)
{
    return bitsOf(power) >> keyShift;
}

void SpectrumScale::setBins(int bins)
{
    if (bins == m_bins && !m_threshold.empty())
        return;
    m_bins = bins;
    m_threshold.assign(256, 0.0);
    const quint64 infinity = bitsOf(std::numeric_limits<double>::infinity());
    for (int level = 1; level <= 255; ++level) {
        // Smallest bit pattern in [0, infinity] whose power reaches the level.
        quint64 low = 0, high = infinity;
        while (low < high) {
            const quint64 middle = low + (high - low) / 2;
            if (spectrumRedOfPower(doubleOf(middle), bins) >= level)
                high = middle;
            else
                low = middle + 1;
        }
        m_threshold[size_t(level)] = doubleOf(low);
    }
    m_firstKey = keyOf(m_threshold[1]);
    const quint64 lastKey = keyOf(m_threshold[255]);
    m_levelAtKey.assign(size_t(lastKey - m_firstKey + 1), 0);
    for (quint64 key = m_firstKey; key <= lastKey; ++key) {
        // The level at the smallest power with this key: thresholds at or below it.
        const double start = doubleOf(key << keyShift);
        const auto above = std::upper_bound(m_threshold.begin() + 1, m_threshold.end(), start);
        m_levelAtKey[size_t(key - m_firstKey)] = quint8(above - (m_threshold.begin() + 1));
    }
}
