#pragma once

// Writes small PCM WAV files for the playback tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVector>
#include <QtEndian>

#include <cmath>

namespace wavfile {

inline void appendLe32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void appendLe16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// The fmt and data chunks of a PCM WAV file around `data`. The extensible header
// names its valid bits apart from the container size, as 24-bit and multichannel
// files from audio editors carry it.
inline QByteArray riff(const QByteArray &data, int channels, int sampleRate, int bits, int validBits, bool extensible)
{
    const int blockAlign = channels * bits / 8;
    QByteArray format;
    appendLe16(format, extensible ? 0xFFFE : 1);
    appendLe16(format, quint16(channels));
    appendLe32(format, quint32(sampleRate));
    appendLe32(format, quint32(sampleRate * blockAlign));
    appendLe16(format, quint16(blockAlign));
    appendLe16(format, quint16(bits));
    if (extensible) {
        appendLe16(format, 22);
        appendLe16(format, quint16(validBits));
        appendLe32(format, channels < 18 ? (1u << channels) - 1 : 0); // front left, right, centre, ...
        static const char pcmSubFormat[] = "\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71";
        format.append(pcmSubFormat, 16);
    }
    QByteArray out;
    out.reserve(data.size() + format.size() + 28);
    out.append("RIFF");
    appendLe32(out, quint32(20 + format.size() + data.size()));
    out.append("WAVE");
    out.append("fmt ");
    appendLe32(out, quint32(format.size()));
    out.append(format);
    out.append("data");
    appendLe32(out, quint32(data.size()));
    out.append(data);
    return out;
}

// Interleaved signed 16-bit samples to a canonical 44-byte-header WAV file.
inline QByteArray encode(const QVector<qint16> &samples, int channels, int sampleRate)
{
    QByteArray data;
    data.reserve(samples.size() * 2);
    for (qint16 sample : samples)
        appendLe16(data, quint16(sample));
    return riff(data, channels, sampleRate, 16, 16, false);
}

// Sample layout of a PCM WAV file: `bits` a sample as stored, the top `validBits` of
// them carrying the signal (24 in 32 with the extensible header), 8-bit unsigned and
// wider signed as WAV has them.
struct Layout
{
    int bits = 16;
    int validBits = 16;
    bool extensible = false;
    int channels = 2;
    int sampleRate = 44100;
};

// Interleaved samples in -1..1 of full scale to a WAV file of `layout`.
inline QByteArray encode(const QVector<double> &samples, const Layout &layout)
{
    const int bytes = layout.bits / 8;
    const double top = double((qint64(1) << (layout.validBits - 1)) - 1);
    QByteArray data;
    data.reserve(samples.size() * bytes);
    for (double v : samples) {
        qint64 s = qBound(-top - 1.0, double(std::llround(v * top)), top);
        s *= qint64(1) << (layout.bits - layout.validBits);
        if (layout.bits == 8)
            s += 128;
        for (int b = 0; b < bytes; ++b)
            data.append(char((quint64(s) >> (8 * b)) & 0xFF));
    }
    return riff(data, layout.channels, layout.sampleRate, layout.bits, layout.validBits, layout.extensible);
}

// A stereo sine: `frequency` Hz at `amplitude` (0..1 of full scale) on both channels.
inline QVector<qint16> sine(double seconds, double frequency, double amplitude, int sampleRate = 44100)
{
    const int frames = int(seconds * sampleRate);
    QVector<qint16> samples;
    samples.reserve(frames * 2);
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * 32767.0 * std::sin(6.283185307179586 * frequency * i / sampleRate);
        samples.append(qint16(std::lround(value)));
        samples.append(qint16(std::lround(value)));
    }
    return samples;
}

inline bool write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

inline bool writeSine(const QString &path, double seconds, double frequency = 440.0, double amplitude = 0.5)
{
    return write(path, encode(sine(seconds, frequency, amplitude), 2, 44100));
}

} // namespace wavfile
