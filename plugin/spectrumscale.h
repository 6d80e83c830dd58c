#pragma once

#include <QtGlobal>

#include <cmath>
#include <vector>

// Red level (0..255) of one DFT bin in the spectrum rows, from the bin's power
// re^2 + im^2: the magnitude normalised by the bin count on a log scale, 1 and above
// full brightness, one tenth less per decade down, 1e-10 and below (and NaN) dark.
inline int spectrumRedOfPower(double power, int bins)
{
    const double magnitude = std::sqrt(power) / bins;
    double brightness = 0.1 * std::log10(magnitude) + 1.0;
    if (!(brightness > 0.0))
        brightness = 0.0;
    if (brightness > 1.0)
        brightness = 1.0;
    return qRound(brightness * 255.0);
}

inline int spectrumRed(double re, double im, int bins)
{
    return spectrumRedOfPower(re * re + im * im, bins);
}

// spectrumRed() without a logarithm per bin, for one bin count at a time, giving the
// same level for every input. The level only grows with the power, so the smallest
// power of each level is found once (by bisection over the doubles, with the formula
// above); a table indexed by the exponent and the top mantissa bits of the power then
// names the level at the start of each small power range, and at most a step or two
// through the thresholds finishes the lookup.
class SpectrumScale
{
public:
    void setBins(int bins);
    int bins() const { return m_bins; }

    int red(double re, double im) const
    {
        const double power = re * re + im * im;
        if (!(power == power))
            return 0; // NaN
        const quint64 key = keyOf(power);
        if (key < m_firstKey)
            return 0;
        if (key - m_firstKey >= m_levelAtKey.size())
            return 255;
        int level = m_levelAtKey[size_t(key - m_firstKey)];
        while (level < 255 && power >= m_threshold[size_t(level + 1)])
            ++level;
        return level;
    }

private:
    static quint64 keyOf(double power);

    int m_bins = 0;
    // m_threshold[r]: the smallest power with level r or more (r = 1..255).
    std::vector<double> m_threshold;
    quint64 m_firstKey = 0;
    std::vector<quint8> m_levelAtKey;
};
