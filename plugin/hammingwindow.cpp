#include "hammingwindow.h"

#include <algorithm>
#include <cmath>

void applyHammingWindow(std::vector<double> &samples, int count)
{
    if (count <= 0)
        return;

    // Two entries: the even and odd sample sequences of one buffer may differ by one.
    struct Coefficients
    {
        int count = 0;
        std::vector<double> values;
    };
    thread_local Coefficients cache[2];
    thread_local int nextSlot = 0;

    const Coefficients *window = nullptr;
    for (const Coefficients &entry : cache) {
        if (entry.count == count)
            window = &entry;
    }
    if (!window) {
        Coefficients &entry = cache[nextSlot];
        nextSlot = 1 - nextSlot;
        entry.count = count;
        entry.values.resize(size_t(count));
        for (int k = 0; k < count; ++k)
            entry.values[size_t(k)] = 0.54 - 0.46 * std::cos(6.283185307179586 * k / count);
        window = &entry;
    }

    // The divisor stays `count`; only elements that exist are touched.
    const int length = std::min(count, int(samples.size()));
    const double *w = window->values.data();
    double *s = samples.data();
    for (int k = 0; k < length; ++k)
        s[k] *= w[k];
}
