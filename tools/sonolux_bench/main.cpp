// sonolux_bench: how long the Sonolux item takes to turn one probed audio buffer into
// its 512 x 4 spectrum frame, from processAudioBuffer to present, for stereo signed
// 16-bit buffers of 1764 (what GStreamer hands out at 44.1 kHz), 2048 and 4096 frames.
// Prints the median and the 90th percentile in microseconds, then the cost of each
// stage of a 2048-frame buffer measured on its own.
//
//   sonolux_bench [--iterations N]            FFTW3 transform (the plug-in's)
//   sonolux_bench_directdft [--iterations N]  the same analysis with a direct DFT

#include "fft.h"
#include "hammingwindow.h"
#include "samplereader.h"
#include "sonolux.h"
#include "spectrumscale.h"

#include <QAbstractVideoSurface>
#include <QAudioBuffer>
#include <QAudioFormat>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
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

void printStages(int iterations)
{
    const int frames = 2048;
    std::mt19937 random(7);
    const QAudioBuffer buffer = musicBuffer(frames, 3, random);
    const SampleReader reader(buffer.format());
    const int samples = buffer.sampleCount();

    std::vector<double> values(static_cast<size_t>(samples));
    std::vector<double> even(static_cast<size_t>(frames));
    reader.read(buffer.constData(), samples, values.data());
    for (int i = 0; i < frames; ++i)
        even[size_t(i)] = values[size_t(2 * i)];

    Fft fft(883);
    NullSurface surface;
    surface.start(QVideoSurfaceFormat(QSize(512, 4), QVideoFrame::Format_ARGB32));
    QImage image(512, 4, QImage::Format_ARGB32);
    image.fill(Qt::black);
    volatile int sink = 0;

    struct Stage
    {
        const char *name;
        Timing timing;
    };
    const std::vector<Stage> stages = {
        {"image 512x4 allocate and fill",
         timeEach(iterations,
                  [&](int) {
                      QImage fresh(512, 4, QImage::Format_ARGB32);
                      fresh.fill(Qt::black);
                      sink = sink + fresh.constBits()[0];
                  })},
        {"read 4096 samples to doubles",
         timeEach(iterations,
                  [&](int) {
                      reader.read(buffer.constData(), samples, values.data());
                      sink = sink + int(values[1]);
                  })},
        {"Hamming window, 2 x 2048",
         timeEach(iterations,
                  [&](int) {
                      std::vector<double> a = even;
                      std::vector<double> b = even;
                      applyHammingWindow(a, frames);
                      applyHammingWindow(b, frames);
                      sink = sink + int(a[5] + b[5]);
                  })},
        {"transform, 2 x 2048 -> 1024 bins (left copied)",
         timeEach(iterations,
                  [&](int) {
                      const std::vector<Fft::Complex> left = fft.transform(even, frames / 2);
                      const std::vector<Fft::Complex> &right = fft.transform(even, frames / 2);
                      sink = sink + int(left[3].real() + right[3].real());
                  })},
        {"log scale, 2 x 512 visible bins",
         timeEach(iterations,
                  [&](int) {
                      const std::vector<Fft::Complex> &bins = fft.transform(even, frames / 2);
                      int total = 0;
                      for (int k = 1; k < frames / 2; k += 2)
                          total += spectrumRed(bins[size_t(k)].real(), bins[size_t(k)].imag(), frames / 2)
                              + spectrumRed(bins[size_t(k)].imag(), bins[size_t(k)].real(), frames / 2);
                      sink = sink + total;
                  })},
        {"QVideoFrame wrap and present", timeEach(iterations, [&](int) { surface.present(QVideoFrame(image)); })},
    };
    std::printf(
        "\nStages of one 2048-frame stereo buffer, measured alone (the log-scale row includes one transform):\n\n");
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
    std::printf("| stereo frames | median us | p90 us |\n|---:|---:|---:|\n");
    for (int frames : {1764, 2048, 4096}) {
        const Timing timing = timeItem(frames, iterations);
        std::printf("| %d | %.1f | %.1f |\n", frames, timing.median, timing.p90);
    }
    printStages(iterations);
    return 0;
}
