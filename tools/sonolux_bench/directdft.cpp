// The transform stage computed as a plain DFT, sum by sum, with a twiddle table per
// length: the baseline the FFTW build of the analysis is measured against. Same
// contract as the FFTW stage (raw sums, bins past N/2 from the same formula).

#include "fft.h"

#include <cmath>
#include <map>

namespace {

const std::vector<Fft::Complex> &twiddles(size_t n)
{
    static std::map<size_t, std::vector<Fft::Complex>> tables;
    std::vector<Fft::Complex> &table = tables[n];
    if (table.size() != n) {
        table.resize(n);
        for (size_t j = 0; j < n; ++j) {
            const double angle = -6.283185307179586 * double(j) / double(n);
            table[j] = Fft::Complex(std::cos(angle), std::sin(angle));
        }
    }
    return table;
}

} // namespace

Fft::Fft(int outputLength)
    : m_output(size_t(outputLength > 0 ? outputLength : 0))
{
}

// Input and output arrays per length, two slots each, as the FFTW stage keeps them.
struct Fft::Plan
{
    int length = 0;
    std::vector<double> input[2];
    std::vector<Fft::Complex> output[2];
};

Fft::~Fft()
{
    for (Plan *plan : m_plans)
        delete plan;
}

Fft::Plan *Fft::planFor(int length)
{
    for (Plan *plan : m_plans) {
        if (plan->length == length)
            return plan;
    }
    Plan *plan = new Plan;
    plan->length = length;
    for (int slot = 0; slot < 2; ++slot) {
        plan->input[slot].assign(size_t(length), 0.0);
        plan->output[slot].assign(size_t(length / 2 + 1), Complex());
    }
    m_plans.push_back(plan);
    return plan;
}

double *Fft::input(int length, int slot)
{
    return planFor(length)->input[slot & 1].data();
}

const Fft::Complex *Fft::execute(int length, int slot)
{
    Plan *plan = planFor(length);
    const std::vector<double> &samples = plan->input[slot & 1];
    std::vector<Complex> &out = plan->output[slot & 1];
    const size_t n = size_t(length);
    const std::vector<Complex> &w = twiddles(n);
    for (size_t k = 0; k < out.size(); ++k) {
        double re = 0.0;
        double im = 0.0;
        size_t index = 0;
        for (size_t j = 0; j < n; ++j) {
            re += samples[j] * w[index].real();
            im += samples[j] * w[index].imag();
            index += k;
            if (index >= n)
                index -= n;
        }
        out[k] = Complex(re, im);
    }
    return out.data();
}

const std::vector<Fft::Complex> &Fft::transform(std::vector<double> samples, int bins)
{
    const size_t binCount = size_t(bins > 0 ? bins : 0);
    if (m_output.size() != binCount)
        m_output.assign(binCount, Complex());
    const size_t n = samples.size();
    if (n == 0) {
        std::fill(m_output.begin(), m_output.end(), Complex());
        return m_output;
    }
    const std::vector<Complex> &w = twiddles(n);
    for (size_t k = 0; k < binCount; ++k) {
        double re = 0.0;
        double im = 0.0;
        size_t index = 0;
        const size_t step = k % n;
        for (size_t j = 0; j < n; ++j) {
            re += samples[j] * w[index].real();
            im += samples[j] * w[index].imag();
            index += step;
            if (index >= n)
                index -= n;
        }
        m_output[k] = Complex(re, im);
    }
    return m_output;
}
