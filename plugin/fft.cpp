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
    double *input = nullptr;
    fftw_complex *output = nullptr;
    fftw_plan plan = nullptr;

    explicit Plan(int n)
        : length(n)
    {
        input = static_cast<double *>(fftw_malloc(sizeof(double) * size_t(n)));
        output = static_cast<fftw_complex *>(fftw_malloc(sizeof(fftw_complex) * size_t(n / 2 + 1)));
        std::lock_guard<std::mutex> lock(plannerMutex());
        // Estimated plans cost microseconds to make; measured ones could stall the
        // GUI thread for a long time on lengths with large prime factors.
        plan = fftw_plan_dft_r2c_1d(n, input, output, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    }

    ~Plan()
    {
        {
            std::lock_guard<std::mutex> lock(plannerMutex());
            if (plan)
                fftw_destroy_plan(plan);
        }
        fftw_free(output);
        fftw_free(input);
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

    Plan *plan = planFor(length);
    std::memcpy(plan->input, samples.data(), sizeof(double) * size_t(length));
    fftw_execute(plan->plan);

    const fftw_complex *half = plan->output;
    const size_t n = size_t(length);
    const size_t direct = std::min(binCount, n / 2 + 1);
    for (size_t k = 0; k < direct; ++k)
        m_output[k] = Complex(half[k][0], half[k][1]);
    for (size_t k = direct; k < binCount; ++k) {
        const size_t folded = k % n;
        if (folded <= n / 2)
            m_output[k] = Complex(half[folded][0], half[folded][1]);
        else
            m_output[k] = Complex(half[n - folded][0], -half[n - folded][1]);
    }
    return m_output;
}
