#pragma once

#include <QAudioFormat>

// Reads PCM samples of any common integer or floating-point layout onto one scale,
// v in -0.5..0.5, so the spectrum and waveform look the same whatever the decoder
// delivers:
//   unsigned 16-bit  s / 65535.0 - 0.5
//   signed 16-bit    s / 65536.0            (silence is exactly 0)
//   unsigned 8-bit   (u - 128) / 256.0
//   signed 8-bit     s / 256.0
//   unsigned 32-bit  (u - 2^31) / 2^32
//   signed 32-bit    s / 2^32
//   float, double    f / 2, clipped to -0.5..0.5 (NaN reads as 0)
// Samples in the other byte order are swapped first.
class SampleReader
{
public:
    enum class Encoding { Unsupported, UInt8, Int8, UInt16, Int16, UInt32, Int32, Float32, Float64 };

    explicit SampleReader(const QAudioFormat &format);

    bool isValid() const { return m_encoding != Encoding::Unsupported; }
    int bytesPerSample() const { return m_bytesPerSample; }

    // Converts `count` consecutive samples starting at `data` into `out`.
    void read(const void *data, int count, double *out) const;

private:
    Encoding m_encoding = Encoding::Unsupported;
    int m_bytesPerSample = 0;
    bool m_swap = false;
};
