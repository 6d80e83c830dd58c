#include "fft.h"

#include <algorithm>
#include <cstring>
#include <fftw3.h>
#include <mutex>

namespace {

// FFTW's planner is not reentrant; execution of an existing plan is.
std::mutex &plannerMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

struct Fft::Plan
{
    int length = 0;
    // Two slots of arrays from fftw_malloc, all equally aligned, so the one plan made
    // on slot 0 runs on either (FFTW's new-array execute).
    double *input[2] = {nullptr, nullptr};
    fftw_complex *output[2] = {nullptr, nullptr};
    fftw_plan plan = nullptr;

    explicit Plan(int n)
        : length(n)
    {
        for (int slot = 0; slot < 2; ++slot) {
            input[slot] = static_cast<double *>(fftw_malloc(sizeof(double) * size_t(n)));
            output[slot] = static_cast<fftw_complex *>(fftw_malloc(sizeof(fftw_complex) * size_t(n / 2 + 1)));
        }
        std::lock_guard<std::mutex> lock(plannerMutex());
        // Estimated plans cost microseconds to make; measured ones could stall the
        // GUI thread for a long time on lengths with large prime factors.
        plan = fftw_plan_dft_r2c_1d(n, input[0], output[0], FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    }

    ~Plan()
    {
        {
            std::lock_guard<std::mutex> lock(plannerMutex());
            if (plan)
                fftw_destroy_plan(plan);
        }
        for (int slot = 0; slot < 2; ++slot) {
            fftw_free(output[slot]);
            fftw_free(input[slot]);
        }
    }

    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;
};

Fft::Fft(int outputLength)
    : m_output(size_t(std::max(outputLength, 0)))
{
}

Fft::~Fft()
{
    for (Plan *plan : m_plans)
        delete plan;
}

Fft::Plan *Fft::planFor(int length)
{
    const auto found
        = std::find_if(m_plans.begin(), m_plans.end(), [length](const Plan *plan) { return plan->length == length; });
    if (found != m_plans.end()) {
        std::rotate(m_plans.begin(), found, found + 1);
        return m_plans.front();
    }
    if (int(m_plans.size()) >= maxCachedPlans) {
        delete m_plans.back();
        m_plans.pop_back();
    }
    m_plans.insert(m_plans.begin(), new Plan(length));
    return m_plans.front();
}

const std::vector<Fft::Complex> &Fft::transform(std::vector<double> samples, int bins)
{
    const size_t binCount = size_t(std::max(bins, 0));
    if (m_output.size() != binCount)
        m_output.assign(binCount, Complex());
    if (binCount == 0)
        return m_output;

    const int length = int(samples.size());
    if (length == 0) {
        std::fill(m_output.begin(), m_output.end(), Complex());
        return m_output;
    }

    std::memcpy(input(length, 0), samples.data(), sizeof(double) * size_t(length));
    const Complex *half = execute(length, 0);
    const size_t n = size_t(length);
    const size_t direct = std::min(binCount, n / 2 + 1);
    std::copy(half, half + direct, m_output.begin());
    for (size_t k = direct; k < binCount; ++k) {
        const size_t folded = k % n;
        m_output[k] = folded <= n / 2 ? half[folded] : std::conj(half[n - folded]);
    }
    return m_output;
}

double *Fft::input(int length, int slot)
{
    return planFor(length)->input[slot & 1];
}

const Fft::Complex *Fft::execute(int length, int slot)
{
    Plan *plan = planFor(length);
    fftw_execute_dft_r2c(plan->plan, plan->input[slot & 1], plan->output[slot & 1]);
    // fftw_complex is two doubles, laid out as std::complex<double> is.
    return reinterpret_cast<const Complex *>(plan->output[slot & 1]);
}
