#pragma once

#include <vector>

// Multiplies element k of `samples`, k < count, by the Hamming window
// 0.54 - 0.46 * cos(2 pi k / count). The coefficients of recently used counts are
// cached per thread, so repeated calls with the same count do no trigonometry.
void applyHammingWindow(std::vector<double> &samples, int count);
