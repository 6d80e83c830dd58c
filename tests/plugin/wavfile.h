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

// Interleaved signed 16-bit samples to a canonical 44-byte-header WAV file.
inline QByteArray encode(const QVector<qint16> &samples, int channels, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    appendLe32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    appendLe32(out, 16);
    appendLe16(out, 1); // PCM
    appendLe16(out, quint16(channels));
    appendLe32(out, quint32(sampleRate));
    appendLe32(out, quint32(sampleRate * channels * 2));
    appendLe16(out, quint16(channels * 2));
    appendLe16(out, 16);
    out.append("data");
    appendLe32(out, dataBytes);
    for (qint16 sample : samples)
        appendLe16(out, quint16(sample));
    return out;
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
