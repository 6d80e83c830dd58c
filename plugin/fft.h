#pragma once

#include <complex>
#include <vector>

// Real-input discrete Fourier transform on FFTW3, one object per player item.
//
// transform() hands back the first `bins` coefficients of the raw, unnormalised DFT
// X[k] = sum_j x[j] * exp(-2 pi i j k / N) of its N input samples. Coefficients that
// a real-input transform does not compute directly (k > N / 2) come from the
// conjugate symmetry X[k] = conj(X[N - k]) and, beyond N, from the period N of the
// DFT, so any bin count is answered without reading or writing out of range.
//
// Plans are made once per input length and kept for the next call of that length;
// the output array is kept from call to call and only reallocated (zero-filled)
// when a different bin count is asked for.
class Fft
{
public:
    using Complex = std::complex<double>;

    explicit Fft(int outputLength = 0);
    ~Fft();

    Fft(const Fft &) = delete;
    Fft &operator=(const Fft &) = delete;

    const std::vector<Complex> &transform(std::vector<double> samples, int bins);

    // The same transform without copies, for callers that fill the input in place.
    // Each length has two input and output arrays (slots 0 and 1), so two channels can
    // be filled before either is transformed. input() hands out the `length` samples
    // of a slot to write; execute() transforms them (the input is overwritten) and
    // returns the length / 2 + 1 coefficients X[0..length/2] of that slot, valid until
    // the next call for another length. `length` must be greater than 0.
    double *input(int length, int slot);
    const Complex *execute(int length, int slot);

    // Most input lengths whose plans are kept at once; the least recently used goes first.
    static constexpr int maxCachedPlans = 6;
    int cachedPlanCount() const { return int(m_plans.size()); }

private:
    struct Plan;
    Plan *planFor(int length);

    std::vector<Complex> m_output;
    std::vector<Plan *> m_plans; // most recently used first
};
