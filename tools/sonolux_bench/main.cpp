// sonolux_bench: how long the Sonolux item takes to turn one probed audio buffer into
// its 512 x 4 spectrum frame, from processAudioBuffer to present, for stereo signed
// 16-bit buffers of 1764 (what GStreamer hands out at 44.1 kHz), 2048 and 4096 frames.
// Prints the median and the 90th percentile in microseconds beside the floor: the same
// buffers through the least work the analysis needs (window, two FFTW transforms, the
// log scale of the bins that show) in plain code, measured in the same run. Then the
// cost of each stage of a 2048-frame buffer measured on its own.
//
//   sonolux_bench [--iterations N]            FFTW3 transform (the plug-in's)
//   sonolux_bench_directdft [--iterations N]  the same analysis with a direct DFT

#include "fft.h"
#include "samplereader.h"
#include "sonolux.h"
#include "spectrumscale.h"
#include "vectorstate.h"

#include <QAbstractVideoSurface>
#include <QAudioBuffer>
#include <QAudioFormat>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

class NullSurface : public QAbstractVideoSurface
{
public:
    QList<QVideoFrame::PixelFormat> supportedPixelFormats(QAbstractVideoBuffer::HandleType) const override
    {
        return {QVideoFrame::Format_ARGB32};
    }
    bool present(const QVideoFrame &frame) override
    {
        presented += frame.isValid() ? 1 : 0;
        return true;
    }
    int presented = 0;
};

QAudioFormat stereoFormat()
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleSize(16);
    format.setSampleType(QAudioFormat::SignedInt);
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setCodec(QStringLiteral("audio/pcm"));
    return format;
}

// Music-like content: a few partials with slow vibrato plus some noise.
QAudioBuffer musicBuffer(int frames, int index, std::mt19937 &random)
{
    std::normal_distribution<double> noise(0.0, 800.0);
    QByteArray data(frames * 4, Qt::Uninitialized);
    auto *samples = reinterpret_cast<qint16 *>(data.data());
    const double base = 110.0 * (1.0 + 0.01 * index);
    for (int i = 0; i < frames; ++i) {
        const double t = double(index * frames + i) / 44100.0;
        double value = 0.0;
        for (int partial = 1; partial <= 6; ++partial)
            value += 6000.0 / partial * std::sin(6.283185307179586 * base * partial * t);
        samples[2 * i] = qint16(std::clamp(value + noise(random), -32768.0, 32767.0));
        samples[2 * i + 1] = qint16(std::clamp(0.7 * value + noise(random), -32768.0, 32767.0));
    }
    return QAudioBuffer(data, stereoFormat());
}

struct Timing
{
    double median = 0.0;
    double p90 = 0.0;
};

Timing summarize(std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    Timing timing;
    timing.median = micros[micros.size() / 2];
    timing.p90 = micros[micros.size() * 9 / 10];
    return timing;
}

Timing timeEach(int iterations, const std::function<void(int)> &work)
{
    for (int i = 0; i < iterations / 10 + 10; ++i)
        work(i);
    std::vector<double> micros;
    micros.reserve(size_t(iterations));
    for (int i = 0; i < iterations; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(i);
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return summarize(std::move(micros));
}

Timing timeItem(int frames, int iterations)
{
    std::mt19937 random(frames);
    std::vector<QAudioBuffer> buffers;
    for (int i = 0; i < 16; ++i)
        buffers.push_back(musicBuffer(frames, i, random));

    Sonolux item;
    NullSurface surface;
    item.setVideoSurface(&surface);
    const Timing timing = timeEach(iterations, [&](int i) {
        QMetaObject::invokeMethod(&item, "processAudioBuffer", Qt::DirectConnection,
                                  Q_ARG(QAudioBuffer, buffers[size_t(i) % buffers.size()]));
    });
    if (surface.presented < iterations)
        std::fprintf(stderr, "only %d of %d buffers were presented\n", surface.presented, iterations);
    return timing;
}

// The least the analysis of one stereo buffer can cost, written plainly: samples to
// doubles with the Hamming window, two FFTW real transforms, and the log scale of the
// bins that show (two per column pair, 2 x 512), with std::log10. No frame is drawn.
class Floor
{
public:
    explicit Floor(int frames)
        : m_frames(frames)
        , m_window(size_t(frames))
    {
        for (int k = 0; k < frames; ++k)
            m_window[size_t(k)] = 0.54 - 0.46 * std::cos(6.283185307179586 * k / frames);
        for (int c = 0; c < 2; ++c) {
            m_in[c] = static_cast<double *>(fftw_malloc(sizeof(double) * size_t(frames)));
            m_out[c] = static_cast<fftw_complex *>(fftw_malloc(sizeof(fftw_complex) * size_t(frames / 2 + 1)));
        }
        m_plan = fftw_plan_dft_r2c_1d(frames, m_in[0], m_out[0], FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    }
    ~Floor()
    {
        fftw_destroy_plan(m_plan);
        for (int c = 0; c < 2; ++c) {
            fftw_free(m_in[c]);
            fftw_free(m_out[c]);
        }
    }

    int run(const qint16 *samples)
    {
        for (int k = 0; k < m_frames; ++k) {
            m_in[0][k] = samples[2 * k] / 65536.0 * m_window[size_t(k)];
            m_in[1][k] = samples[2 * k + 1] / 65536.0 * m_window[size_t(k)];
        }
        int total = 0;
        const int bins = m_frames / 2;
        const int step = std::max(1, bins / 512);
        for (int c = 0; c < 2; ++c) {
            fftw_execute_dft_r2c(m_plan, m_in[c], m_out[c]);
            for (int k = step - 1; k < bins; k += step) {
                const double magnitude
                    = std::sqrt(m_out[c][k][0] * m_out[c][k][0] + m_out[c][k][1] * m_out[c][k][1]) / bins;
                const double brightness = std::min(1.0, std::max(0.0, 0.1 * std::log10(magnitude) + 1.0));
                total += int(brightness * 255.0 + 0.5);
            }
        }
        return total;
    }

private:
    int m_frames;
    std::vector<double> m_window;
    double *m_in[2] = {nullptr, nullptr};
    fftw_complex *m_out[2] = {nullptr, nullptr};
    fftw_plan m_plan = nullptr;
};

Timing timeFloor(int frames, int iterations)
{
    std::mt19937 random(frames);
    std::vector<QAudioBuffer> buffers;
    for (int i = 0; i < 16; ++i)
        buffers.push_back(musicBuffer(frames, i, random));
    Floor floor(frames);
    volatile int sink = 0;
    return timeEach(iterations, [&](int i) {
        sink = sink + floor.run(buffers[size_t(i) % buffers.size()].constData<qint16>());
    });
}

void printStages(int iterations)
{
    const int frames = 2048;
    std::mt19937 random(7);
    const QAudioBuffer buffer = musicBuffer(frames, 3, random);
    const SampleReader reader(buffer.format());
    const int samples = buffer.sampleCount();

    std::vector<double> values(static_cast<size_t>(samples));
    std::vector<double> window(static_cast<size_t>(frames));
    for (int k = 0; k < frames; ++k)
        window[size_t(k)] = 0.54 - 0.46 * std::cos(6.283185307179586 * k / frames);
    reader.read(buffer.constData(), samples, values.data());

    Fft fft(883);
    SpectrumScale scale;
    scale.setBins(frames / 2);
    NullSurface surface;
    surface.start(QVideoSurfaceFormat(QSize(512, 4), QVideoFrame::Format_ARGB32));
    QImage image(512, 4, QImage::Format_ARGB32);
    image.fill(Qt::black);
    volatile int sink = 0;

    const auto fillInputs = [&] {
        double *even = fft.input(frames, 0);
        double *odd = fft.input(frames, 1);
        for (int k = 0; k < frames; ++k) {
            even[k] = values[size_t(2 * k)] * window[size_t(k)];
            odd[k] = values[size_t(2 * k + 1)] * window[size_t(k)];
        }
    };
    fillInputs();

    struct Stage
    {
        const char *name;
        Timing timing;
    };
    std::vector<Stage> stages;
    stages.push_back({"read 4096 samples to doubles", timeEach(iterations, [&](int) {
                          clearUpperVectorState();
                          reader.read(buffer.constData(), samples, values.data());
                          sink = sink + int(values[1]);
                      })});
    // The same samples packed as 24-bit (the low byte zero), and as the first two of
    // six channels (the other four silent): the other layouts the reader takes apart.
    QByteArray packed24;
    QByteArray sixChannels;
    for (int i = 0; i < samples; ++i) {
        const auto s = quint16(buffer.constData<qint16>()[i]);
        packed24.append('\0').append(char(s & 0xFF)).append(char(s >> 8));
        sixChannels.append(char(s & 0xFF)).append(char(s >> 8));
        if (i % 2 == 1)
            sixChannels.append(8, '\0');
    }
    QAudioFormat format24 = buffer.format();
    format24.setSampleSize(24);
    const SampleReader reader24(format24);
    stages.push_back({"read 4096 packed 24-bit samples to doubles", timeEach(iterations, [&](int) {
                          clearUpperVectorState();
                          reader24.read(packed24.constData(), samples, values.data());
                          sink = sink + int(values[1]);
                      })});
    stages.push_back({"read the first 2 of 6 channels, 2048 frames, to doubles", timeEach(iterations, [&](int) {
                          clearUpperVectorState();
                          reader.readChannels(sixChannels.constData(), frames, 6, 2, values.data());
                          sink = sink + int(values[1]);
                      })});
    // The same conversion right after QImage::fill (Qt's wide vector fill) and the C
    // library's memset, as zero-filled vectors call it, with and without clearing the
    // upper vector state in between; the rows include the fill of 8 KiB and the memset
    // of 32 KiB.
    std::vector<double> scratch(4096);
    QImage filled(512, 4, QImage::Format_ARGB32);
    const auto fillBoth = [&] {
        filled.fill(Qt::black);
        std::memset(static_cast<void *>(scratch.data()), 0, scratch.size() * sizeof(double));
    };
    stages.push_back({"fill and memset, then read 4096 samples (state left dirty)", timeEach(iterations, [&](int) {
                          fillBoth();
                          reader.read(buffer.constData(), samples, values.data());
                          sink = sink + int(values[1] + scratch[7]);
                      })});
    stages.push_back({"fill and memset, then read 4096 samples (state cleared)", timeEach(iterations, [&](int) {
                          fillBoth();
                          clearUpperVectorState();
                          reader.read(buffer.constData(), samples, values.data());
                          sink = sink + int(values[1] + scratch[7]);
                      })});
    stages.push_back({"split and window into the transform inputs, 2 x 2048", timeEach(iterations, [&](int) {
                          clearUpperVectorState();
                          fillInputs();
                          sink = sink + int(fft.input(frames, 1)[5]);
                      })});
    stages.push_back({"transform, 2 x 2048 (FFTW, in place)", timeEach(iterations, [&](int) {
                          const Fft::Complex *left = fft.execute(frames, 0);
                          const Fft::Complex *right = fft.execute(frames, 1);
                          clearUpperVectorState();
                          sink = sink + int(left[3].real() + right[3].real());
                      })});
    fillInputs();
    const Fft::Complex *bins = fft.execute(frames, 0);
    std::vector<Fft::Complex> spectrum(bins, bins + frames / 2);
    stages.push_back({"log scale, 2 x 512 visible bins, log10 per bin", timeEach(iterations, [&](int) {
                          clearUpperVectorState();
                          int total = 0;
                          for (int k = 1; k < frames / 2; k += 2)
                              total += spectrumRed(spectrum[size_t(k)].real(), spectrum[size_t(k)].imag(), frames / 2)
                                  + spectrumRed(spectrum[size_t(k)].imag(), spectrum[size_t(k)].real(), frames / 2);
                          sink = sink + total;
                      })});
    stages.push_back({"log scale, 2 x 512 visible bins, threshold table", timeEach(iterations, [&](int) {
                          int total = 0;
                          for (int k = 1; k < frames / 2; k += 2)
                              total += scale.red(spectrum[size_t(k)].real(), spectrum[size_t(k)].imag())
                                  + scale.red(spectrum[size_t(k)].imag(), spectrum[size_t(k)].real());
                          sink = sink + total;
                      })});
    stages.push_back({"image 512x4 allocate and fill",
                      timeEach(iterations, [&](int) {
                          QImage fresh(512, 4, QImage::Format_ARGB32);
                          fresh.fill(Qt::black);
                          sink = sink + fresh.constBits()[0];
                      })});
    stages.push_back(
        {"QVideoFrame wrap and present", timeEach(iterations, [&](int) { surface.present(QVideoFrame(image)); })});
    std::printf("\nStages of one 2048-frame stereo buffer, measured alone:\n\n");
    std::printf("| stage | median us | p90 us |\n|---|---:|---:|\n");
    for (const Stage &stage : stages)
        std::printf("| %s | %.2f | %.2f |\n", stage.name, stage.timing.median, stage.timing.p90);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The analysis writes one line per new format; keep the table readable.
    qputenv("QT_LOGGING_RULES", "default.debug=false");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the Sonolux spectrum analysis per audio buffer."));
    parser.addHelpOption();
    QCommandLineOption iterationsOption(QStringLiteral("iterations"), QStringLiteral("Buffers timed per size."),
                                        QStringLiteral("n"), QStringLiteral("3000"));
    parser.addOption(iterationsOption);
    parser.process(app);
    const int iterations = std::max(parser.value(iterationsOption).toInt(), 10);

    std::printf("Sonolux analysis per buffer, transform: %s, %d buffers per size\n\n", SONOLUX_BENCH_TRANSFORM,
                iterations);
    std::printf("| stereo frames | median us | p90 us | floor median us | ratio to floor |\n"
                "|---:|---:|---:|---:|---:|\n");
    for (int frames : {1764, 2048, 4096}) {
        const Timing floor = timeFloor(frames, iterations);
        const Timing timing = timeItem(frames, iterations);
        std::printf("| %d | %.1f | %.1f | %.1f | %.2f |\n", frames, timing.median, timing.p90, floor.median,
                    timing.median / floor.median);
    }
    printStages(iterations);
    return 0;
}
