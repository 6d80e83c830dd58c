#pragma once

#include <QAudioFormat>
#include <QString>

// Reads PCM samples of any common integer or floating-point layout onto one scale,
// v in -0.5..0.5, so the spectrum and waveform look the same whatever the decoder
// delivers:
//   unsigned 16-bit  s / 65535.0 - 0.5
//   signed 16-bit    s / 65536.0            (silence is exactly 0)
//   unsigned 8-bit   (u - 128) / 256.0
//   signed 8-bit     s / 256.0
//   unsigned 24-bit  (u - 2^23) / 2^24      (packed, three bytes a sample)
//   signed 24-bit    s / 2^24
//   unsigned 32-bit  (u - 2^31) / 2^32
//   signed 32-bit    s / 2^32
//   float, double    f / 2, clipped to -0.5..0.5 (NaN reads as 0)
// Samples in the other byte order are swapped first.
//
// 24-bit samples in 32-bit words: what reaches the audio probe of Qt's GStreamer back
// end has passed the player's volume element, which takes only F32, F64, S8, S16, S24
// (packed) and S32 in native byte order, so the converter in front of it turns GStreamer's
// S24_32 (24 bits in the low three bytes) into one of those; such buffers never arrive
// as sample size 32. A WAV file with 24 valid bits in 32-bit containers is decoded as
// S32 with the bits at the top of the word, which the signed 32-bit reading puts on the
// same scale as packed 24-bit (s * 256 / 2^32 == s / 2^24).
class SampleReader
{
public:
    enum class Encoding { Unsupported, UInt8, Int8, UInt16, Int16, UInt24, Int24, UInt32, Int32, Float32, Float64 };

    explicit SampleReader(const QAudioFormat &format);

    bool isValid() const { return m_encoding != Encoding::Unsupported; }
    int bytesPerSample() const { return m_bytesPerSample; }

    // Names a sample layout for messages, such as "16-bit float, little-endian".
    static QString describe(const QAudioFormat &format);

    // Converts `count` consecutive samples starting at `data` into `out`.
    void read(const void *data, int count, double *out) const;

    // Converts the first `keep` channels of `frames` interleaved frames of `channels`
    // channels each into `out`, interleaved, `frames * keep` values in all.
    void readChannels(const void *data, int frames, int channels, int keep, double *out) const;

private:
    Encoding m_encoding = Encoding::Unsupported;
    int m_bytesPerSample = 0;
    bool m_swap = false;
};
