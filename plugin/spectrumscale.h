#pragma once

#include <QtGlobal>

#include <cmath>

// Red level (0..255) of one DFT bin in the spectrum rows: the magnitude normalised by
// the bin count on a log scale, 1 and above full brightness, one tenth less per decade
// down, 1e-10 and below (and NaN) dark.
inline int spectrumRed(double re, double im, int bins)
{
    const double magnitude = std::sqrt(re * re + im * im) / bins;
    double brightness = 0.1 * std::log10(magnitude) + 1.0;
    if (!(brightness > 0.0))
        brightness = 0.0;
    if (brightness > 1.0)
        brightness = 1.0;
    return qRound(brightness * 255.0);
}
