#pragma once

// The spectrum frame worked out the slow, obvious way, to check the item against:
// one pixel write per sample, the Hamming window with its cosine per element and a
// direct DFT summed in long double.

#include <QAudioBuffer>
#include <QAudioFormat>
#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

namespace reference {

constexpr double twoPi = 6.283185307179586;

inline QAudioFormat pcmFormat(int channels, int bits, QAudioFormat::SampleType type,
                              QAudioFormat::Endian order = QAudioFormat::LittleEndian)
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(channels);
    format.setSampleSize(bits);
    format.setSampleType(type);
    format.setByteOrder(order);
    format.setCodec(QStringLiteral("audio/pcm"));
    return format;
}

template<typename T> QAudioBuffer buffer(const std::vector<T> &samples, const QAudioFormat &format)
{
    const QByteArray data(reinterpret_cast<const char *>(samples.data()), int(samples.size() * sizeof(T)));
    return QAudioBuffer(data, format);
}

// Sample scale the frame is drawn on, -0.5..0.5.
inline double unsigned16(quint16 s)
{
    return s / 65535.0 - 0.5;
}
inline double signed16(qint16 s)
{
    return s / 65536.0;
}
inline double unsigned8(quint8 s)
{
    return (s - 128) / 256.0;
}
inline double signed8(qint8 s)
{
    return s / 256.0;
}
inline double signed24(qint32 s)
{
    return s / 16777216.0;
}
inline double unsigned24(quint32 s)
{
    return (double(s) - 8388608.0) / 16777216.0;
}
inline double signed32(qint32 s)
{
    return s / 4294967296.0;
}
inline double unsigned32(quint32 s)
{
    return (double(s) - 2147483648.0) / 4294967296.0;
}
inline double floating(double f)
{
    if (std::isnan(f))
        return 0.0;
    return std::max(-0.5, std::min(0.5, f / 2.0));
}

// First `bins` sums X[k] = sum_j x[j] exp(-2 pi i j k / n), k past n taken as the
// sum says (periodic in k), with a table of the n roots of unity in long double.
inline std::vector<std::complex<long double>> dft(const std::vector<double> &x, int bins)
{
    const long long n = (long long)x.size();
    std::vector<std::complex<long double>> out(size_t(std::max(bins, 0)));
    if (n == 0)
        return out;
    std::vector<std::complex<long double>> roots(static_cast<size_t>(n));
    for (long long j = 0; j < n; ++j) {
        const long double angle = -2.0L * 3.14159265358979323846264338327950288L * j / n;
        roots[size_t(j)] = std::complex<long double>(std::cos(angle), std::sin(angle));
    }
    for (long long k = 0; k < bins; ++k) {
        std::complex<long double> sum = 0;
        for (long long j = 0; j < n; ++j)
            sum += (long double)x[size_t(j)] * roots[size_t((j * k) % n)];
        out[size_t(k)] = sum;
    }
    return out;
}

inline int red(std::complex<long double> bin, int bins)
{
    const double magnitude = double(std::abs(bin)) / bins;
    double brightness = 0.1 * std::log10(magnitude) + 1.0;
    if (!(brightness > 0.0))
        brightness = 0.0;
    return qRound(std::min(brightness, 1.0) * 255.0);
}

// `values`: the samples the item is expected to read, already on the -0.5..0.5 scale.
inline QImage frame(const std::vector<double> &values, int channels, int recordedSamples, int recordedFrames)
{
    const int n = qRound(double(recordedSamples) / channels);
    const int bins = recordedFrames / 2;
    QImage image(512, 4, QImage::Format_ARGB32);
    image.fill(Qt::black);

    std::vector<double> even;
    std::vector<double> odd;
    for (size_t i = 0; i < values.size(); ++i) {
        const int x = int(double(i) / channels * 512.0 / n);
        image.setPixel(x, i % 2 == 0 ? 2 : 3, qRgba(qRound(std::abs(values[i]) * 255.0), 0, 0, 255));
        (i % 2 == 0 ? even : odd).push_back(values[i]);
    }
    for (std::vector<double> *channel : {&even, &odd}) {
        const double count = double(channel->size());
        for (size_t k = 0; k < channel->size(); ++k)
            (*channel)[k] *= 0.54 - 0.46 * std::cos(twoPi * double(k) / count);
    }
    const auto leftBins = dft(even, bins);
    const auto rightBins = dft(odd, bins);
    for (int k = 0; k < bins; ++k) {
        const int x = int(2.0 * k / n * 512.0);
        const int left = even.empty() ? 0 : red(leftBins[size_t(k)], bins);
        const int right = odd.empty() ? 0 : red(rightBins[size_t(k)], bins);
        image.setPixel(x, 0, qRgba(left, 0, 0, 255));
        image.setPixel(x, 1, qRgba(right, 0, 0, 255));
    }
    return image;
}

} // namespace reference
